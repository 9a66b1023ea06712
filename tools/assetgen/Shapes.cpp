// Shapes: grid surfaces between two poles, tubes, boxes, cylinders and extruded flat shapes.
#include "tools/assetgen/Shapes.h"

#include <algorithm>
#include <map>
#include <utility>

namespace assetgen {
namespace shapes {

void addClosedSurface(Mesh& mesh, const Surface& surface, int segU, int segV, const UvRect& uv,
                      const Transform& place) {
    const size_t firstVertex = mesh.vertexCount();
    const size_t firstTriangle = mesh.triangleCount();
    // Positions are computed once per grid point and reused for the doubled seam column and
    // the pole fans, so the part welds exactly when shared positions are merged.
    std::vector<Vec3> ring(size_t(segU) * size_t(segV - 1));
    for (int j = 1; j < segV; ++j) {
        for (int i = 0; i < segU; ++i) {
            ring[size_t(j - 1) * segU + i] = place.apply(surface(float(i) / segU, float(j) / segV));
        }
    }
    const Vec3 south = place.apply(surface(0.0f, 0.0f));
    const Vec3 north = place.apply(surface(0.0f, 1.0f));

    // Grid vertices: rows 1..segV-1, columns 0..segU (the last one repeats column 0).
    std::vector<int> grid(size_t(segU + 1) * size_t(segV - 1));
    for (int j = 1; j < segV; ++j) {
        for (int i = 0; i <= segU; ++i) {
            const float s = float(i) / segU, t = float(j) / segV;
            grid[size_t(j - 1) * (segU + 1) + i] =
                mesh.addVertex(ring[size_t(j - 1) * segU + (i % segU)], uv.u(s), uv.v(t));
        }
    }
    auto at = [&](int i, int j) { return grid[size_t(j - 1) * (segU + 1) + i]; };
    for (int i = 0; i < segU; ++i) {
        const float s = (i + 0.5f) / segU;
        const int bottom = mesh.addVertex(south, uv.u(s), uv.v(0.0f));
        const int top = mesh.addVertex(north, uv.u(s), uv.v(1.0f));
        mesh.addTriangle(bottom, at(i + 1, 1), at(i, 1));
        mesh.addTriangle(top, at(i, segV - 1), at(i + 1, segV - 1));
    }
    for (int j = 1; j + 1 < segV; ++j) {
        for (int i = 0; i < segU; ++i) {
            mesh.addQuad(at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1));
        }
    }
    mesh.faceOutwards(firstVertex, firstTriangle);
    mesh.smoothNormals(firstVertex, firstTriangle);
}

Vec3 sphereDirection(float u, float v) {
    const float around = 2.0f * kPi * u, up = kPi * v;
    const float r = std::sin(up);
    return Vec3{-std::sin(around) * r, -std::cos(up), -std::cos(around) * r};
}

void addEllipsoid(Mesh& mesh, const Vec3& centre, const Vec3& radii, int segU, int segV,
                  const UvRect& uv, const Transform& place) {
    addClosedSurface(
        mesh,
        [&](float u, float v) {
            const Vec3 d = sphereDirection(u, v);
            return centre + Vec3{d.x * radii.x, d.y * radii.y, d.z * radii.z};
        },
        segU, segV, uv, place);
}

void addTube(Mesh& mesh, const std::function<Vec3(float)>& centre,
             const std::function<float(float)>& radius, const Vec3& side, int segU, int segV,
             const UvRect& uv, const Transform& place) {
    auto point = [&](float u, float v) {
        const float e = 1.0f / 256.0f;
        const Vec3 tangent =
            normalized(centre(std::min(v + e, 1.0f)) - centre(std::max(v - e, 0.0f)));
        const Vec3 n = normalized(side - tangent * dot(side, tangent));
        const Vec3 b = cross(tangent, n);
        const float a = 2.0f * kPi * (u - 0.5f);
        return centre(v) + (n * std::cos(a) + b * std::sin(a)) * radius(v);
    };
    addClosedSurface(mesh, point, segU, segV, uv, place);
}

namespace {

// One flat quad with its own four vertices (hard edges) mapping the whole rectangle.
void addFlatQuad(Mesh& mesh, const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& d,
                 const UvRect& uv) {
    const Vec3 n = normalized(cross(b - a, c - a));
    const int ia = mesh.addVertex(a, uv.u(0), uv.v(0), n);
    const int ib = mesh.addVertex(b, uv.u(1), uv.v(0), n);
    const int ic = mesh.addVertex(c, uv.u(1), uv.v(1), n);
    const int id = mesh.addVertex(d, uv.u(0), uv.v(1), n);
    mesh.addQuad(ia, ib, ic, id);
}

}  // namespace

void addBox(Mesh& mesh, const Vec3& low, const Vec3& high, const BoxSkin& skin,
            const Transform& place) {
    const size_t firstVertex = mesh.vertexCount();
    const size_t firstTriangle = mesh.triangleCount();
    auto p = [&](int x, int y, int z) {
        return place.apply(Vec3{x ? high.x : low.x, y ? high.y : low.y, z ? high.z : low.z});
    };
    // Sides counter-clockwise from outside, bottom edge first so t runs upwards.
    addFlatQuad(mesh, p(0, 0, 1), p(1, 0, 1), p(1, 1, 1), p(0, 1, 1), skin.sides);  // +Z
    addFlatQuad(mesh, p(1, 0, 1), p(1, 0, 0), p(1, 1, 0), p(1, 1, 1), skin.sides);  // +X
    addFlatQuad(mesh, p(1, 0, 0), p(0, 0, 0), p(0, 1, 0), p(1, 1, 0), skin.sides);  // -Z
    addFlatQuad(mesh, p(0, 0, 0), p(0, 0, 1), p(0, 1, 1), p(0, 1, 0), skin.sides);  // -X
    addFlatQuad(mesh, p(0, 1, 1), p(1, 1, 1), p(1, 1, 0), p(0, 1, 0), skin.top);
    addFlatQuad(mesh, p(0, 0, 0), p(1, 0, 0), p(1, 0, 1), p(0, 0, 1), skin.bottom);
    mesh.faceOutwards(firstVertex, firstTriangle);
}

void addCylinder(Mesh& mesh, const Vec3& baseCentre, float height, float bottomRadius,
                 float topRadius, int segments, const UvRect& side, const UvRect& caps,
                 const Transform& place) {
    const size_t firstVertex = mesh.vertexCount();
    const size_t firstTriangle = mesh.triangleCount();
    std::vector<Vec3> bottom(segments), top(segments);
    std::vector<Vec2> direction(segments);
    for (int i = 0; i < segments; ++i) {
        const Vec3 d = sphereDirection(float(i) / segments, 0.5f);
        direction[i] = Vec2{d.x, d.z};
        bottom[i] = place.apply(baseCentre + Vec3{d.x * bottomRadius, 0.0f, d.z * bottomRadius});
        top[i] = place.apply(baseCentre + Vec3{d.x * topRadius, height, d.z * topRadius});
    }
    std::vector<int> low(segments + 1), high(segments + 1);
    for (int i = 0; i <= segments; ++i) {
        const float s = float(i) / segments;
        low[i] = mesh.addVertex(bottom[i % segments], side.u(s), side.v(0.0f));
        high[i] = mesh.addVertex(top[i % segments], side.u(s), side.v(1.0f));
    }
    for (int i = 0; i < segments; ++i) {
        mesh.addQuad(low[i], low[i + 1], high[i + 1], high[i]);
    }
    // The side is smoothed on its own; the caps keep flat normals, so the rims stay hard.
    mesh.smoothNormals(firstVertex, firstTriangle);

    const size_t capVertex = mesh.vertexCount();
    const size_t capTriangle = mesh.triangleCount();
    auto capUv = [&](int i) {
        const Vec2& d = direction[i];
        return Vec2{caps.u(0.5f + 0.5f * d.x), caps.v(0.5f + 0.5f * d.y)};
    };
    const Vec2 mid{caps.u(0.5f), caps.v(0.5f)};
    const int bottomCentre = mesh.addVertex(place.apply(baseCentre), mid.x, mid.y);
    const int topCentre =
        mesh.addVertex(place.apply(baseCentre + Vec3{0, height, 0}), mid.x, mid.y);
    std::vector<int> capLow(segments), capHigh(segments);
    for (int i = 0; i < segments; ++i) {
        const Vec2 t = capUv(i);
        capLow[i] = mesh.addVertex(bottom[i], t.x, t.y);
        capHigh[i] = mesh.addVertex(top[i], t.x, t.y);
    }
    for (int i = 0; i < segments; ++i) {
        const int next = (i + 1) % segments;
        mesh.addTriangle(bottomCentre, capLow[next], capLow[i]);
        mesh.addTriangle(topCentre, capHigh[i], capHigh[next]);
    }
    mesh.flatNormals(capVertex, capTriangle);
    mesh.faceOutwards(firstVertex, firstTriangle);
}

void addPrism(Mesh& mesh, const std::vector<Vec2>& footprint, float y0, float y1,
              const std::function<UvRect(int side)>& sideSkin, const UvRect& caps,
              const Transform& place) {
    const size_t firstVertex = mesh.vertexCount();
    const size_t firstTriangle = mesh.triangleCount();
    const size_t n = footprint.size();
    float low = footprint[0].x, high = footprint[0].x;
    for (const Vec2& p : footprint) {
        low = std::min({low, p.x, p.y});
        high = std::max({high, p.x, p.y});
    }
    for (size_t i = 0; i < n; ++i) {
        const Vec2& a = footprint[i];
        const Vec2& b = footprint[(i + 1) % n];
        addFlatQuad(mesh, place.apply(Vec3{a.x, y0, a.y}), place.apply(Vec3{b.x, y0, b.y}),
                    place.apply(Vec3{b.x, y1, b.y}), place.apply(Vec3{a.x, y1, a.y}),
                    sideSkin(int(i)));
    }
    // Caps wound to match the sides: a footprint clockwise from above makes every face look
    // outwards, the other order every face inwards, which faceOutwards then turns around.
    for (float y : {y0, y1}) {
        std::vector<int> ring;
        for (const Vec2& p : footprint) {
            const float s = (p.x - low) / (high - low), t = (p.y - low) / (high - low);
            ring.push_back(mesh.addVertex(place.apply(Vec3{p.x, y, p.y}), caps.u(s), caps.v(t)));
        }
        for (size_t i = 1; i + 1 < n; ++i) {
            if (y == y1) {
                mesh.addTriangle(ring[0], ring[i], ring[i + 1]);
            } else {
                mesh.addTriangle(ring[0], ring[i + 1], ring[i]);
            }
        }
    }
    mesh.flatNormals(firstVertex, firstTriangle);
    mesh.faceOutwards(firstVertex, firstTriangle);
}

namespace {

float signedArea(const std::vector<Vec2>& polygon) {
    float area = 0.0f;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const Vec2& a = polygon[i];
        const Vec2& b = polygon[(i + 1) % polygon.size()];
        area += a.x * b.y - b.x * a.y;
    }
    return 0.5f * area;
}

using EdgeKey = std::pair<std::pair<float, float>, std::pair<float, float>>;

EdgeKey edgeKey(const Vec2& a, const Vec2& b) { return {{a.x, a.y}, {b.x, b.y}}; }

}  // namespace

void addExtrusion(Mesh& mesh, const std::vector<std::vector<Vec2>>& pieces, float z0, float z1,
                  const SkinMap& skin, const Transform& place) {
    const size_t firstVertex = mesh.vertexCount();
    const size_t firstTriangle = mesh.triangleCount();
    std::vector<std::vector<Vec2>> ccw = pieces;
    std::map<EdgeKey, int> edgeUse;
    for (std::vector<Vec2>& piece : ccw) {
        if (signedArea(piece) < 0.0f) {
            std::reverse(piece.begin(), piece.end());
        }
        for (size_t i = 0; i < piece.size(); ++i) {
            ++edgeUse[edgeKey(piece[i], piece[(i + 1) % piece.size()])];
        }
    }
    // Normals come from the triangles as wound, so a flip by faceOutwards keeps them right.
    auto vertex = [&](const Vec3& local, const Vec3& localNormal) {
        const Vec2 t = skin(local, localNormal);
        return mesh.addVertex(place.apply(local), t.x, t.y);
    };
    for (const std::vector<Vec2>& piece : ccw) {
        std::vector<int> front, back;
        for (const Vec2& p : piece) {
            front.push_back(vertex(Vec3{p.x, p.y, z1}, Vec3{0, 0, 1}));
            back.push_back(vertex(Vec3{p.x, p.y, z0}, Vec3{0, 0, -1}));
        }
        for (size_t i = 1; i + 1 < piece.size(); ++i) {
            mesh.addTriangle(front[0], front[i], front[i + 1]);
            mesh.addTriangle(back[0], back[i + 1], back[i]);
        }
        // Walls only where no neighbouring piece runs along the same edge the other way.
        for (size_t i = 0; i < piece.size(); ++i) {
            const Vec2& a = piece[i];
            const Vec2& b = piece[(i + 1) % piece.size()];
            if (edgeUse.count(edgeKey(b, a))) {
                continue;
            }
            const Vec3 outward = normalized(Vec3{b.y - a.y, a.x - b.x, 0.0f});
            const int af = vertex(Vec3{a.x, a.y, z1}, outward);
            const int ab = vertex(Vec3{a.x, a.y, z0}, outward);
            const int bb = vertex(Vec3{b.x, b.y, z0}, outward);
            const int bf = vertex(Vec3{b.x, b.y, z1}, outward);
            mesh.addQuad(af, ab, bb, bf);
        }
    }
    mesh.flatNormals(firstVertex, firstTriangle);
    mesh.faceOutwards(firstVertex, firstTriangle);
}

}  // namespace shapes
}  // namespace assetgen

// Mesh: vertex and triangle lists, outward winding, smooth normals and the OBJ writer.
#include "tools/assetgen/Mesh.h"

#include <cstdio>
#include <map>
#include <tuple>
#include <unordered_map>

namespace assetgen {

int Mesh::addVertex(const Vec3& position, float u, float v, const Vec3& normal) {
    vertices_.push_back(MeshVertex{position, u, v, normal});
    return int(vertices_.size()) - 1;
}

void Mesh::addTriangle(int a, int b, int c) { triangles_.push_back(MeshTriangle{a, b, c}); }

void Mesh::addQuad(int a, int b, int c, int d) {
    addTriangle(a, b, c);
    addTriangle(a, c, d);
}

double Mesh::signedVolume(size_t firstTriangle) const {
    double volume = 0.0;
    for (size_t i = firstTriangle; i < triangles_.size(); ++i) {
        const Vec3& a = vertices_[triangles_[i].a].position;
        const Vec3& b = vertices_[triangles_[i].b].position;
        const Vec3& c = vertices_[triangles_[i].c].position;
        volume += double(dot(a, cross(b, c))) / 6.0;
    }
    return volume;
}

void Mesh::faceOutwards(size_t firstVertex, size_t firstTriangle) {
    if (signedVolume(firstTriangle) >= 0.0) {
        return;
    }
    for (size_t i = firstTriangle; i < triangles_.size(); ++i) {
        std::swap(triangles_[i].b, triangles_[i].c);
    }
    for (size_t i = firstVertex; i < vertices_.size(); ++i) {
        vertices_[i].normal = vertices_[i].normal * -1.0f;
    }
}

namespace {

using PositionKey = std::tuple<float, float, float>;

PositionKey keyOf(const Vec3& p) { return {p.x, p.y, p.z}; }

}  // namespace

void Mesh::smoothNormals(size_t firstVertex, size_t firstTriangle) {
    // The cross product's length is twice the area: larger faces weigh more, so the slivers
    // near a pole do not tilt its normal.
    std::map<PositionKey, Vec3> sums;
    for (size_t i = firstTriangle; i < triangles_.size(); ++i) {
        const MeshTriangle& t = triangles_[i];
        const Vec3& a = vertices_[t.a].position;
        const Vec3& b = vertices_[t.b].position;
        const Vec3& c = vertices_[t.c].position;
        const Vec3 n = cross(b - a, c - a);
        for (const Vec3* p : {&a, &b, &c}) {
            Vec3& sum = sums[keyOf(*p)];
            sum = sum + n;
        }
    }
    for (size_t i = firstVertex; i < vertices_.size(); ++i) {
        vertices_[i].normal = normalized(sums[keyOf(vertices_[i].position)]);
    }
}

void Mesh::flatNormals(size_t firstVertex, size_t firstTriangle) {
    for (size_t i = firstTriangle; i < triangles_.size(); ++i) {
        const MeshTriangle& t = triangles_[i];
        const Vec3& a = vertices_[t.a].position;
        const Vec3 n = normalized(cross(vertices_[t.b].position - a, vertices_[t.c].position - a));
        for (int v : {t.a, t.b, t.c}) {
            if (size_t(v) >= firstVertex) {
                vertices_[v].normal = n;
            }
        }
    }
}

namespace {

// Prints a number the way the game's reader takes it back: plain decimal, never "-0.00000".
std::string number(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.5f", double(value));
    if (std::string(text) == "-0.00000") {
        return "0.00000";
    }
    return text;
}

// Hands out 1-based OBJ indices, one per distinct printed line.
class LineTable {
public:
    int indexOf(const std::string& line) {
        auto found = index_.find(line);
        if (found != index_.end()) {
            return found->second;
        }
        lines_.push_back(line);
        const int index = int(lines_.size());
        index_.emplace(line, index);
        return index;
    }
    const std::vector<std::string>& lines() const { return lines_; }

private:
    std::unordered_map<std::string, int> index_;
    std::vector<std::string> lines_;
};

}  // namespace

bool Mesh::writeObj(const std::string& path, const std::string& comment) const {
    LineTable positions, texCoords, normals;
    struct Corner {
        int position, texCoord, normal;
    };
    std::vector<Corner> corners;
    corners.reserve(vertices_.size());
    for (const MeshVertex& v : vertices_) {
        const std::string p =
            "v " + number(v.position.x) + " " + number(v.position.y) + " " + number(v.position.z);
        const std::string t = "vt " + number(v.u) + " " + number(v.v);
        const Vec3 n = normalized(v.normal);
        const std::string nl = "vn " + number(n.x) + " " + number(n.y) + " " + number(n.z);
        corners.push_back(Corner{positions.indexOf(p), texCoords.indexOf(t), normals.indexOf(nl)});
    }

    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::perror(path.c_str());
        return false;
    }
    // Every v, vt and vn line comes before the first face: the reader picks its face pattern
    // from the kinds of lines it has already seen.
    std::fprintf(file, "# %s\n", comment.c_str());
    for (const LineTable* table : {&positions, &texCoords, &normals}) {
        for (const std::string& line : table->lines()) {
            std::fprintf(file, "%s\n", line.c_str());
        }
    }
    for (const MeshTriangle& t : triangles_) {
        const Corner& a = corners[t.a];
        const Corner& b = corners[t.b];
        const Corner& c = corners[t.c];
        std::fprintf(file, "f %d/%d/%d %d/%d/%d %d/%d/%d\n", a.position, a.texCoord, a.normal,
                     b.position, b.texCoord, b.normal, c.position, c.texCoord, c.normal);
    }
    const bool ok = std::ferror(file) == 0;
    return std::fclose(file) == 0 && ok;
}

}  // namespace assetgen

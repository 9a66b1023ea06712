// Shapes: closed primitives added to a Mesh, each one a watertight part facing outwards.
#pragma once

#include <functional>
#include <vector>

#include "tools/assetgen/Mesh.h"

namespace assetgen {
namespace shapes {

// A point of a closed surface: u in [0, 1] goes once around, v in [0, 1] from one pole to the
// other. Only f(0, 0) and f(0, 1) are asked for the poles.
using Surface = std::function<Vec3(float u, float v)>;

// Smooth-shaded closed surface with segU columns and segV rows; the atlas rectangle is covered
// with s = u and t = v, its seam doubled so the picture does not wrap backwards.
void addClosedSurface(Mesh& mesh, const Surface& surface, int segU, int segV, const UvRect& uv,
                      const Transform& place = Transform{});

// The surface of a unit sphere direction for (u, v): the pole v = 0 at -Y, v = 1 at +Y, and
// u = 0.5 facing +Z (the front of every model), u = 0 facing -Z, where the seam hides.
Vec3 sphereDirection(float u, float v);

// Ellipsoid with the given centre and radii along X, Y and Z (poles on Y).
void addEllipsoid(Mesh& mesh, const Vec3& centre, const Vec3& radii, int segU, int segV,
                  const UvRect& uv, const Transform& place = Transform{});

// A round tube along a curve with a radius profile that closes to a point at both ends
// (radius(0) and radius(1) should be 0 or tiny). The tube's u = 0.5 side faces along `side`.
void addTube(Mesh& mesh, const std::function<Vec3(float)>& centre,
             const std::function<float(float)>& radius, const Vec3& side, int segU, int segV,
             const UvRect& uv, const Transform& place = Transform{});

// Hard-edged box; sides map their whole atlas rectangle, one rectangle for top and bottom.
struct BoxSkin {
    UvRect sides;
    UvRect top;
    UvRect bottom;
};
void addBox(Mesh& mesh, const Vec3& low, const Vec3& high, const BoxSkin& skin,
            const Transform& place = Transform{});

// Cylinder (or truncated cone) around Y: smooth side, flat caps with hard rims.
void addCylinder(Mesh& mesh, const Vec3& baseCentre, float height, float bottomRadius,
                 float topRadius, int segments, const UvRect& side, const UvRect& caps,
                 const Transform& place = Transform{});

// Upright prism over a convex footprint (x, z) from y0 to y1, flat faces and hard edges. Side
// i runs from footprint[i] to footprint[i + 1] and maps the rectangle sideSkin(i) with s
// along the side and t upwards; both caps map `caps` over the footprint's bounding square.
void addPrism(Mesh& mesh, const std::vector<Vec2>& footprint, float y0, float y1,
              const std::function<UvRect(int side)>& sideSkin, const UvRect& caps,
              const Transform& place = Transform{});

// Convex pieces in the XY plane that together make a flat shape (they must meet vertex to
// vertex, never at a T), extruded between z0 and z1 with flat faces and hard edges. The
// texture coordinates come from skin(local position, local normal).
using SkinMap = std::function<Vec2(const Vec3& position, const Vec3& normal)>;
void addExtrusion(Mesh& mesh, const std::vector<std::vector<Vec2>>& pieces, float z0, float z1,
                  const SkinMap& skin, const Transform& place = Transform{});

}  // namespace shapes
}  // namespace assetgen

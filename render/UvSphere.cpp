// UvSphere: latitude/longitude tessellation of a sphere.
#include "render/UvSphere.h"

#include <algorithm>
#include <cmath>

namespace {

ModelVertex sphereVertex(float radius, int stack, int stacks, int slice, int slices) {
    const double pi = 3.14159265358979323846;
    const double theta = pi * stack / stacks;  // 0 at the top
    const double phi = 2.0 * pi * slice / slices;
    ModelVertex v;
    v.normal = Vector3(static_cast<float>(std::sin(theta) * std::cos(phi)),
                       static_cast<float>(std::cos(theta)),
                       static_cast<float>(std::sin(theta) * std::sin(phi)));
    v.position = v.normal * radius;
    v.u = static_cast<float>(slice) / static_cast<float>(slices);
    v.v = 1.0f - static_cast<float>(stack) / static_cast<float>(stacks);
    return v;
}

}  // namespace

std::vector<ModelVertex> makeUvSphere(float radius, int stacks, int slices) {
    stacks = std::max(stacks, 2);
    slices = std::max(slices, 3);
    std::vector<ModelVertex> out;
    out.reserve(static_cast<size_t>(slices) * (2 * stacks - 2) * 3);
    for (int i = 0; i < stacks; ++i) {
        for (int j = 0; j < slices; ++j) {
            const ModelVertex a = sphereVertex(radius, i, stacks, j, slices);
            const ModelVertex b = sphereVertex(radius, i + 1, stacks, j, slices);
            const ModelVertex c = sphereVertex(radius, i + 1, stacks, j + 1, slices);
            const ModelVertex d = sphereVertex(radius, i, stacks, j + 1, slices);
            // a, d, c and a, c, b run counter-clockwise seen from outside; the rows at the
            // poles lose their degenerate half.
            if (i != 0) {
                out.insert(out.end(), {a, d, c});
            }
            if (i != stacks - 1) {
                out.insert(out.end(), {a, c, b});
            }
        }
    }
    return out;
}

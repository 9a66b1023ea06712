// UvSphere: a generated sphere mesh, for tools, benchmarks and tests that need a model.
#pragma once

#include <vector>

#include "render/Model.h"

// Triangles counter-clockwise seen from outside, unit normals pointing out, u going once round
// the equator and v from 1 at the top to 0 at the bottom. Centred on the origin (Model moves
// it to stand on y = 0). Gives slices * (2 * stacks - 2) triangles; at least 2 stacks and 3
// slices are used.
std::vector<ModelVertex> makeUvSphere(float radius, int stacks, int slices);

// GroundQuad: the corners of the one 20000 x 20000 quad every layer of the ground is drawn on.
#pragma once

namespace groundquad {

// Every layer (dark base, light spots, ground picture) uses these corners in this order, so
// the layers cover exactly the same pixels and a LEQUAL depth test lets each over the last.
constexpr float kHalfSize = 10000.0f;
// (x, z) at height 0.
constexpr float kCorners[4][2] = {{-kHalfSize, -kHalfSize},
                                  {kHalfSize, -kHalfSize},
                                  {kHalfSize, kHalfSize},
                                  {-kHalfSize, kHalfSize}};

}  // namespace groundquad

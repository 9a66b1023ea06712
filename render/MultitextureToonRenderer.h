// MultitextureToonRenderer: toon drawing with ramp and skin combined on two texture units.
#pragma once

#include "render/RampToonRenderer.h"

// Needs GL_ARB_multitexture (multitextureSupported); draws nothing without it.
class MultitextureToonRenderer : public RampToonRenderer {
public:
    // Leaves the current colour at (0.8, 0.8, 0.8).
    void draw(const Model* model, Vector3 light) override;
};

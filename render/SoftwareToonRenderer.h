// SoftwareToonRenderer: toon drawing with plain OpenGL 1.1, the skin multiplied in by blending.
#pragma once

#include "render/RampToonRenderer.h"

class SoftwareToonRenderer : public RampToonRenderer {
public:
    // Leaves the current colour black.
    void draw(const Model* model, Vector3 light) override;
};

// RampToonRenderer: base of the toon variants that compute the ramp coordinate on the processor.
#pragma once

#include "render/ToonRamp.h"
#include "render/ToonRenderer.h"

class RampToonRenderer : public ToonRenderer {
public:
    // Ramp shade times the current colour, with the outline on request; the same for the
    // software and the multitexture variants.
    void drawFlat(const Model* model, Vector3 light, bool outline) override;

    // The ramp buffer's size in vertices (it only ever grows).
    unsigned rampCapacity() const { return ramp_.capacity(); }

protected:
    const float* computeRamp(const Model* model, const Vector3& light) {
        return ramp_.compute(*model, light);
    }
    // Computes the ramp and sets up its pass: vertex and ramp coordinate arrays on, back faces
    // culled, the ramp texture bound on unit 0 with the given environment mode.
    void beginRampPass(const Model* model, const Vector3& light, GLint textureEnvMode);

private:
    ToonRamp ramp_;
};

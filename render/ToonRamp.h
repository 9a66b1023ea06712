// ToonRamp: per-vertex toon ramp coordinates (N·L, 0) computed on the processor.
#pragma once

#include <memory>

#include "render/Vector3.h"

class Model;

// One buffer reused from draw to draw: it grows when a model has more vertices than it holds
// and never shrinks.
class ToonRamp {
public:
    // Writes (L · N, 0) for every shared vertex of the model (the array its indices draw from),
    // L being the normalised direction from the vertex to light; returns the tightly packed
    // pairs (null while the buffer was never needed).
    const float* compute(const Model& model, const Vector3& light);

    const float* coordinates() const { return coordinates_.get(); }
    // In shared vertices.
    unsigned capacity() const { return capacity_; }

private:
    std::unique_ptr<float[]> coordinates_;
    unsigned capacity_ = 0;
};

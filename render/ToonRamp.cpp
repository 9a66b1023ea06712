// ToonRamp: the diffuse term of each vertex as a ramp texture coordinate.
#include "render/ToonRamp.h"

#include "render/Model.h"

const float* ToonRamp::compute(const Model& model, const Vector3& light) {
    const unsigned count = model.sharedVertexCount();
    if (capacity_ < count) {
        coordinates_.reset(new float[2 * static_cast<size_t>(count)]);
        capacity_ = count;
    }
    const ModelVertex* vertices = model.sharedVertices();
    for (unsigned i = 0; i < count; ++i) {
        Vector3 toLight = light - vertices[i].position;
        toLight.normalize();
        coordinates_[2 * i] = static_cast<float>(toLight.dot(vertices[i].normal));
        coordinates_[2 * i + 1] = 0.0f;
    }
    return coordinates_.get();
}

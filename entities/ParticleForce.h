// ParticleForce: the constant pull that bends a particle system's directions (gravity by default).
#pragma once

#include "render/Vector3.h"

class ParticleForce {
public:
    ParticleForce() = default;
    explicit ParticleForce(const Vector3& vector) : vector_(vector) {}
    virtual ~ParticleForce();

    // Hook for forces that change over time; the plain pull stays as it is.
    virtual void update(float seconds);

    const Vector3& vector() const { return vector_; }
    void setVector(const Vector3& vector) { vector_ = vector; }

    // The gentle downward pull every effect but the tracer uses.
    static Vector3 gravity() { return Vector3(0.0f, -0.89f, 0.0f); }

private:
    Vector3 vector_ = gravity();
};

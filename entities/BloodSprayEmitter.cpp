// BloodSprayEmitter: the red spray out of a hit otter.
#include "entities/BloodSprayEmitter.h"

#include <cmath>

#include "entities/Particle.h"

BloodSprayEmitter::BloodSprayEmitter(const Vector3& origin, const Vector3& sprayDirection)
    : sprayDirection_(sprayDirection) {
    quota_ = 100;
    origin_ = origin;
}

BloodSprayEmitter::~BloodSprayEmitter() = default;

void BloodSprayEmitter::emit(Particle& particle) {
    particle.position = origin_;
    // A narrow cone: each particle strays at most an eighth of a unit from the shot's line.
    const double z = 0.125 * std::cos(nextAngle());
    const double y = 0.125 * std::cos(nextAngle());
    const double x = 0.125 * std::cos(nextAngle());
    particle.direction = sprayDirection_ + Vector3(static_cast<float>(x), static_cast<float>(y),
                                                   static_cast<float>(z));
    particle.direction.normalize();
    setColourRamp(particle, {0.5f, 0.0f, 0.0f, 1.0f}, {1.0f, 0.0f, 0.0f, 0.0f});
    particle.speed = static_cast<float>(std::fabs(std::sin(nextAngle())) * 400.0);
    particle.lifetime = 2.0f;
    particle.size = 20.0f;
    finishEmission(particle);
}

// KillBurstEmitter: the green burst of an otter shot dead.
#include "entities/KillBurstEmitter.h"

#include <cmath>

#include "entities/Particle.h"

KillBurstEmitter::KillBurstEmitter() {
    quota_ = 100;
    origin_ = Vector3(10.0f, 10.0f, 0.0f);
}

KillBurstEmitter::~KillBurstEmitter() = default;

void KillBurstEmitter::emit(Particle& particle) {
    const int k = emitted_;
    // The first quarter of the quota drifts slowly, the rest flies three times as fast.
    const double reach = k < quota_ / 4 ? 100.0 : 300.0;
    particle.speed = static_cast<float>(std::fabs(std::sin(nextAngle())) * reach);
    particle.position = origin_;

    const double z = std::cos(nextAngle());
    const double y = std::cos(nextAngle());
    const double x = std::cos(nextAngle());
    Vector3 direction(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    direction.normalize();
    // Upwards only: the burst opens over the otter, never into the ground.
    direction.setComponent(1, std::fabs(direction.y()));
    if (k == 1) {
        // One particle shoots up fast and nearly straight, the burst's eye-catcher.
        direction = Vector3(0.5f * direction.x(), 10.0f * direction.y(), 0.5f * direction.z());
        direction.normalize();
        particle.speed = 600.0f;
    }
    particle.direction = direction;

    setColourRamp(particle, {0.0f, 1.0f, 0.0f, 1.0f}, {0.0f, 1.0f, 0.0f, 0.0f});
    particle.lifetime = 3.0f;
    particle.size = 20.0f;
    finishEmission(particle);
}

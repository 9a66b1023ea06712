// ArrivalSplashEmitter: the blue fountain of an otter bursting against the building.
#include "entities/ArrivalSplashEmitter.h"

#include <cmath>

#include "entities/Particle.h"

namespace {

// A particle leaving exactly upwards never bends under the downward pull (the pull is parallel
// to it), so the fountain would be a column rising for seconds. Tilting each particle outwards
// by a quarter of its ring offset (at most about 20 degrees) makes the long-lived ones arc over
// and fall, with no extra random number.
constexpr float kOutwardTilt = 0.25f;
constexpr double kRingRadius = 3.0;

}  // namespace

ArrivalSplashEmitter::ArrivalSplashEmitter() { quota_ = 40; }

ArrivalSplashEmitter::~ArrivalSplashEmitter() = default;

void ArrivalSplashEmitter::emit(Particle& particle) {
    const double ringZ = std::cos(nextAngle());
    const double ringX = std::cos(nextAngle());
    particle.position = origin_ + Vector3(static_cast<float>(kRingRadius * ringX), 0.0f,
                                          static_cast<float>(kRingRadius * ringZ));
    particle.direction = Vector3(kOutwardTilt * static_cast<float>(ringX), 1.0f,
                                 kOutwardTilt * static_cast<float>(ringZ));
    particle.direction.normalize();
    setColourRamp(particle, {0.1f, 0.1f, 1.0f, 1.0f}, {0.0f, 0.0f, 1.0f, 0.0f});
    particle.size = 30.0f;
    // The later particles are faster and live longer: the fountain keeps rising as it fades.
    const float f = progress();
    particle.speed = f * 300.0f + 200.0f;
    particle.lifetime = f * 3.5f + 0.5f;
    finishEmission(particle);
}

// TracerEmitter: the line a shot leaves in the air.
#include "entities/TracerEmitter.h"

#include "entities/Particle.h"

TracerEmitter::TracerEmitter(const Vector3& start, const Vector3& end, bool miss)
    : end_(end), miss_(miss) {
    quota_ = 100;
    origin_ = start;
}

TracerEmitter::~TracerEmitter() = default;

void TracerEmitter::emit(Particle& particle) {
    const Vector3 line = end_ - origin_;
    particle.position = origin_ + line * progress();
    // A shot of zero length keeps a zero direction (normalize leaves it), so nothing moves.
    particle.direction = line;
    particle.direction.normalize();
    particle.speed = 100.0f;
    if (miss_) {
        setColourRamp(particle, {1.0f, 0.0f, 0.0f, 1.0f}, {1.0f, 0.0f, 0.0f, 0.0f});
    } else {
        setColourRamp(particle, {0.0f, 1.0f, 0.0f, 1.0f}, {0.0f, 1.0f, 0.0f, 0.0f});
    }
    particle.lifetime = 0.5f;
    particle.size = 10.0f;
    finishEmission(particle);
}

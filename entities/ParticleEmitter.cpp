// ParticleEmitter: the shared emission bookkeeping of every effect recipe.
#include "entities/ParticleEmitter.h"

#include <cstdlib>

#include "entities/Particle.h"

ParticleEmitter::~ParticleEmitter() = default;

void ParticleEmitter::emit(Particle&) {}

double ParticleEmitter::nextAngle() { return static_cast<double>(std::rand()); }

void ParticleEmitter::setColourRamp(Particle& particle, const float (&start)[4],
                                    const float (&end)[4]) {
    for (int i = 0; i < 4; ++i) {
        particle.startColour[i] = start[i];
        particle.endColour[i] = end[i];
    }
}

void ParticleEmitter::finishEmission(Particle& particle) {
    particle.age = 0.0f;
    ++emitted_;
}

// ParticleForce: the constant pull that bends a particle system's directions.
#include "entities/ParticleForce.h"

ParticleForce::~ParticleForce() = default;

void ParticleForce::update(float) {}

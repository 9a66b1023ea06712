// Particle: one camera-facing square of a particle effect, with its own colour ramp and age.
#pragma once

#include "render/Vector3.h"

class ParticleEmitter;
class ParticleForce;

// Plain data. A particle is alive while age <= lifetime; a new one has lifetime -1, so it is
// dead until an emitter gives it a start state.
struct Particle {
    Vector3 position;
    Vector3 direction;
    ParticleForce* force = nullptr;
    float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float startColour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float endColour[4] = {1.0f, 1.0f, 1.0f, 0.0f};
    float age = 0.0f;
    float lifetime = -1.0f;
    float size = 1.0f;
    float speed = 1.0f;
    ParticleEmitter* emitter = nullptr;

    bool alive() const { return age <= lifetime; }
};

// ParticleSystem: a short-lived 3D effect, all of its particles emitted at once, drawn additively.
#pragma once

#include <memory>

#include "render/Vector3.h"

struct Particle;
class ParticleEmitter;
class ParticleForce;
class Texture;

class ParticleSystem {
public:
    // Starts with the default force (0, -0.89, 0), a kill-burst emitter and no particles.
    ParticleSystem();
    ~ParticleSystem();
    ParticleSystem(const ParticleSystem&) = delete;
    ParticleSystem& operator=(const ParticleSystem&) = delete;

    // Takes ownership (the previous emitter is destroyed).
    void setEmitter(ParticleEmitter* emitter);
    ParticleEmitter* emitter() const { return emitter_.get(); }
    // Takes ownership (the previous force is destroyed).
    void setForce(ParticleForce* force);
    ParticleForce* force() const { return force_.get(); }
    // Not owned.
    void setTexture(const Texture* texture) { texture_ = texture; }

    // Makes room for n particles once, so later init calls up to n reuse the array.
    void reserve(int n);
    // Creates n particles and has the emitter give each its start state, in order. A system
    // used before starts again from fresh particles and is no longer finished.
    void init(int n);
    // Ages, bends and moves every live particle by ms milliseconds; finished once none lives.
    void update(float ms);
    // One additive GL_QUADS batch of camera-facing squares; depth writes off meanwhile.
    void draw() const;

    bool finished() const { return finished_; }
    int count() const { return count_; }
    const Particle& particle(int i) const;

private:
    std::unique_ptr<Particle[]> particles_;
    std::unique_ptr<ParticleEmitter> emitter_;
    std::unique_ptr<ParticleForce> force_;
    int count_ = 0;
    const Texture* texture_ = nullptr;
    bool finished_ = false;
    // Particles the array holds (at least count_), so a reused system need not reallocate.
    int capacity_ = 0;
};

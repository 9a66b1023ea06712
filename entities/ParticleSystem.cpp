// ParticleSystem: emits all of its particles at once, ages and bends them, draws them additively.
#include "entities/ParticleSystem.h"

#include <GL/gl.h>

#include "entities/KillBurstEmitter.h"
#include "entities/Particle.h"
#include "entities/ParticleForce.h"
#include "render/Texture.h"

ParticleSystem::ParticleSystem()
    : emitter_(std::make_unique<KillBurstEmitter>()), force_(std::make_unique<ParticleForce>()) {}

ParticleSystem::~ParticleSystem() = default;

void ParticleSystem::setEmitter(ParticleEmitter* emitter) {
    emitter_.reset(emitter);
    for (int i = 0; i < count_; ++i) {
        particles_[i].emitter = emitter;
    }
}

void ParticleSystem::setForce(ParticleForce* force) {
    force_.reset(force);
    for (int i = 0; i < count_; ++i) {
        particles_[i].force = force;
    }
}

const Particle& ParticleSystem::particle(int i) const { return particles_[i]; }

void ParticleSystem::reserve(int n) {
    if (n <= capacity_) {
        return;
    }
    particles_ = std::make_unique<Particle[]>(n);
    capacity_ = n;
    count_ = 0;
}

void ParticleSystem::init(int n) {
    count_ = n > 0 ? n : 0;
    if (count_ > capacity_) {
        particles_ = std::make_unique<Particle[]>(count_);
        capacity_ = count_;
    } else {
        for (int i = 0; i < count_; ++i) {
            particles_[i] = Particle();
        }
    }
    finished_ = false;
    if (!emitter_) {
        return;
    }
    emitter_->resetEmitted();
    for (int i = 0; i < count_; ++i) {
        Particle& p = particles_[i];
        p.emitter = emitter_.get();
        emitter_->emit(p);
        p.force = force_.get();
    }
}

void ParticleSystem::update(float ms) {
    const float dt = static_cast<float>(ms * 0.001);
    finished_ = true;
    Vector3 pull;
    if (force_) {
        force_->update(dt);
        pull = force_->vector() * dt;
    }
    for (int i = 0; i < count_; ++i) {
        Particle& p = particles_[i];
        if (!p.alive()) {
            continue;
        }
        p.age += dt;
        // The direction turns towards the pull but stays a unit vector: the speed along it is
        // constant, so particles arc over and fall instead of accelerating.
        p.direction += pull;
        p.direction.normalize();
        p.position += p.direction * (dt * p.speed);
        // A zero lifetime would divide by zero; such a particle simply shows its end colour.
        const float t = p.lifetime > 0.0f ? p.age / p.lifetime : 1.0f;
        for (int c = 0; c < 4; ++c) {
            p.colour[c] = (p.endColour[c] - p.startColour[c]) * t + p.startColour[c];
        }
        if (p.alive()) {
            finished_ = false;
        }
    }
}

void ParticleSystem::draw() const {
    glBindTexture(GL_TEXTURE_2D, texture_ ? texture_->id() : 0);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    const bool wasBlending = glIsEnabled(GL_BLEND) == GL_TRUE;
    // Additive, without depth writes: overlapping particles add up in any order.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);

    // The view's right and up axes in world space: squares along them face the camera.
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const Vector3 right(m[0], m[4], m[8]);
    const Vector3 up(m[1], m[5], m[9]);
    const Vector3 diagonal = right + up;
    const Vector3 antiDiagonal = right - up;

    glBegin(GL_QUADS);
    for (int i = 0; i < count_; ++i) {
        const Particle& p = particles_[i];
        if (!p.alive()) {
            continue;
        }
        const float h = p.size * 0.5f;
        glColor4fv(p.colour);
        glTexCoord2f(0.0f, 0.0f);
        glVertex3fv((p.position - diagonal * h).data());
        glTexCoord2f(1.0f, 0.0f);
        glVertex3fv((p.position + antiDiagonal * h).data());
        glTexCoord2f(1.0f, 1.0f);
        glVertex3fv((p.position + diagonal * h).data());
        glTexCoord2f(0.0f, 1.0f);
        glVertex3fv((p.position - antiDiagonal * h).data());
    }
    glEnd();

    if (!wasBlending) {
        glDisable(GL_BLEND);
    }
    glDepthMask(GL_TRUE);
}

// ParticleEmitter: gives each particle of a system its start state; subclasses hold the recipes.
#pragma once

#include "render/Vector3.h"

struct Particle;

class ParticleEmitter {
public:
    ParticleEmitter() = default;
    virtual ~ParticleEmitter();

    // The base emits nothing: its particles stay dead.
    virtual void emit(Particle& particle);

    int quota() const { return quota_; }
    void setQuota(int quota) { quota_ = quota; }
    int emitted() const { return emitted_; }
    // The system restarts the count before emitting its particles.
    void resetEmitted() { emitted_ = 0; }
    const Vector3& origin() const { return origin_; }
    void setOrigin(const Vector3& origin) { origin_ = origin; }

protected:
    // The next rand() value as radians; the recipes feed them to sin and cos.
    static double nextAngle();
    // Share of the quota already emitted, so recipes can spread along the particle order.
    // (A quota of 0 counts as no progress rather than a division by zero.)
    float progress() const {
        return quota_ > 0 ? static_cast<float>(emitted_) / static_cast<float>(quota_) : 0.0f;
    }
    // The colour the particle fades from and the one it fades to over its life.
    static void setColourRamp(Particle& particle, const float (&start)[4], const float (&end)[4]);
    // Every recipe ends by starting the particle's clock and counting it.
    void finishEmission(Particle& particle);

    int quota_ = 10;
    int emitted_ = 0;
    Vector3 origin_;
};

// TracerEmitter: the line a shot leaves in the air, green on a hit and red on a miss.
#pragma once

#include "entities/ParticleEmitter.h"

class TracerEmitter : public ParticleEmitter {
public:
    TracerEmitter(const Vector3& start, const Vector3& end, bool miss);
    ~TracerEmitter() override;

    // Spreads the quota evenly from the start to just short of the end; draws no random number.
    void emit(Particle& particle) override;

    const Vector3& end() const { return end_; }
    bool miss() const { return miss_; }

private:
    Vector3 end_;
    bool miss_;
};

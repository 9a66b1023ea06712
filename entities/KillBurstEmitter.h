// KillBurstEmitter: the green burst of an otter shot dead, one particle shooting high above it.
#pragma once

#include "entities/ParticleEmitter.h"

class KillBurstEmitter : public ParticleEmitter {
public:
    KillBurstEmitter();
    ~KillBurstEmitter() override;

    // Four rand() draws per particle: speed, then z, y and x of the direction.
    void emit(Particle& particle) override;
};

// ArrivalSplashEmitter: the blue fountain of an otter bursting against the building.
#pragma once

#include "entities/ParticleEmitter.h"

class ArrivalSplashEmitter : public ParticleEmitter {
public:
    ArrivalSplashEmitter();
    ~ArrivalSplashEmitter() override;

    // Two rand() draws per particle: z, then x of its place on a small ring around the origin.
    void emit(Particle& particle) override;
};

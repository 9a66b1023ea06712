// BloodSprayEmitter: the red spray out of the back of a hit otter, along the shot.
#pragma once

#include "entities/ParticleEmitter.h"

class BloodSprayEmitter : public ParticleEmitter {
public:
    BloodSprayEmitter(const Vector3& origin, const Vector3& sprayDirection);
    ~BloodSprayEmitter() override;

    // Four rand() draws per particle: z, y and x of the scatter, then the speed.
    void emit(Particle& particle) override;

    const Vector3& sprayDirection() const { return sprayDirection_; }

private:
    Vector3 sprayDirection_;
};

// OtterTuning: how otters walk, waddle, sink, grunt, come back and grow, as one table of values.
#pragma once

#include <cstdint>

struct OtterTuning {
    // Placement: a random point of a ring this much either side of the spawn radius.
    static constexpr double kRingSpread = 200.0;
    // Waddle: degrees per second of swing, the swing's end (degrees) and the range of the random
    // start phase (in units of the swing rate).
    static constexpr float kWaddleRate = 20.0f;
    static constexpr float kWaddleLimit = 5.0f;
    static constexpr double kWaddlePhaseRange = 10.0;
    // The random factor of each otter's waddle speed: 1 to 1 + this.
    static constexpr double kWaddleFactorSpread = 0.5;
    // A giant is drawn, culled and spaced at this scale whatever its own scale says.
    static constexpr float kGiantScale = 2.5f;
    // A knocked-back otter's push fades by this much per millisecond.
    static constexpr double kKnockFadePerMs = 0.007;
    // After a collision the steering weight grows back by speed x ms x this.
    static constexpr double kSteeringRecovery = 0.00005;
    // A dead otter sinks by scale x ms x this.
    static constexpr double kSinkRate = 0.04;
    // The shared grunt: a chance every this many ms (plus the otter's own delay, up to
    // kGruntDelayRange), won when a roll out of kGruntRollRange beats kGruntRollWins.
    static constexpr int32_t kGruntChanceMs = 500;
    static constexpr double kGruntDelayRange = 200.0;
    static constexpr double kGruntRollRange = 20000.0;
    static constexpr int kGruntRollWins = 19000;

    // Each return: a little faster, and a little bigger up to kMaxScale; every kGiantEvery-th
    // return after the last giant is a giant, whose life is multiplied by
    // difficulty x kGiantLifePerLevel + 1.
    static constexpr float kRespawnSpeedGain = 0.005f;
    static constexpr float kRespawnScaleGain = 0.1f;
    static constexpr float kMaxScale = 1.5f;
    static constexpr int kGiantEvery = 15;
    static constexpr float kGiantLifePerLevel = 0.33333334f;
    // Beyond this distance from the eye the low-polygon otter looks the same as the full one
    // in a 1024 x 768 picture; the distant-detail switch that uses it is off unless asked for.
    static constexpr float kDistantDetailDistance = 600.0f;

    // An otter's life at a difficulty: difficulty / kLifeLevelsPerPoint + 1.
    static constexpr int kLifeLevelsPerPoint = 5;
    static constexpr int lifeAt(int difficulty) { return difficulty / kLifeLevelsPerPoint + 1; }
};

// GameTuning: the numbers a game is played with (arena, herd, player, gun, score), as one table.
#pragma once

#include <cstdint>

#include "entities/OtterTuning.h"

struct GameTuning {
    // The arena the player is kept in, and how far beyond its edge the otters come in from.
    static constexpr int32_t kArenaRadius = 1000;
    static constexpr int kSpawnBeyondArena = 500;
    // The translucent wall stands this far beyond the arena's edge, this high.
    static constexpr double kWallBeyondArena = 35.0;
    static constexpr double kWallHeight = 100.0;

    // A game's herd: difficulty + kOttersBeyondDifficulty otters with OtterTuning::lifeAt
    // lives, walking at (difficulty / 10 + 1) x kOtterSpeedPerStep.
    static constexpr int kOttersBeyondDifficulty = 10;
    static constexpr int otterCount(int difficulty) { return difficulty + kOttersBeyondDifficulty; }
    static constexpr int otterLife(int difficulty) { return OtterTuning::lifeAt(difficulty); }
    static constexpr double kOtterSpeedPerStep = 0.03;
    static float otterSpeed(int difficulty) {
        return static_cast<float>((difficulty / 10 + 1.0) * kOtterSpeedPerStep);
    }
    // The building's life: kBuildingLifeBase - difficulty.
    static constexpr int kBuildingLifeBase = 50;
    static constexpr int buildingLife(int difficulty) { return kBuildingLifeBase - difficulty; }

    // The otters of the screen's first build, before any game chose a difficulty.
    static constexpr int kFirstDifficulty = 11;
    static constexpr int kFirstOtterLife = 10;
    static constexpr float kFirstOtterSpeed = 0.01f;
    static constexpr float kFirstSpawnRadius = 2000.0f;

    // Facing away from the building along -x, where a new game puts the player.
    static constexpr float kStartYaw = -1.57f;

    // The gun: the flash lasts this long after a shot, and it fires at most once per interval.
    static constexpr int kFlashDurationMs = 60;
    static constexpr int kShotIntervalMs = 70;

    // Shots: hits push otters away, hardest at point blank and fading to nothing at
    // kKnockBackRange (the fade is 1 / 1500, written out as the game always had it); the push
    // is ((2 - difficulty / 5) x 0.5 + 3) x nearness.
    static constexpr float kKnockBackRange = 1500.0f;
    static constexpr float kKnockBackFade = 0.0006666666666666666f;
    static constexpr float kMissTracerLength = 700.0f;

    // The score: a point per second of play, difficulty + kKillBonus per kill and
    // difficulty x kHitBonusPerLevel per hit.
    static constexpr int kKillBonus = 15;
    static constexpr float kHitBonusPerLevel = 0.2f;

    // The HUD and the light: the radar sweep's degrees per ms, the light's radians per ms about
    // the vertical, the longest step the HUD animates by (a long stay in the menus or a hitch
    // must not throw the warning colour outside 0..1) and the life below which it shows.
    static constexpr float kSweepSpeed = 0.1f;
    static constexpr double kLightTurnPerMs = 0.001;
    static constexpr int32_t kLongestHudStepMs = 100;
    static constexpr int kWarningBelowLife = 10;
};

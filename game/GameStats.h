// GameStats: a game's shots, hits and kills, its clock of play and the score and precision.
#pragma once

#include <cstdint>

// Time spent suspended in the menus never scores: suspend notes when play stopped, resume moves
// the start on by the time away.
class GameStats {
public:
    // Zero counters, play starting at now.
    void start(int32_t now);
    void countShot() { ++shots_; }
    void countHit() { ++hits_; }
    void countKill() { ++kills_; }
    void suspend(int32_t now);
    // Does nothing unless suspend came first.
    void resume(int32_t now);

    // A point per second of play, a bonus per kill and per hit, both growing with difficulty.
    int32_t score(int difficulty, int32_t now) const;
    // Hits out of shots, rounded down; 0 before the first shot.
    int32_t precisionPercent() const;
    int32_t shots() const { return shots_; }
    int32_t hits() const { return hits_; }
    int32_t kills() const { return kills_; }

private:
    // Tests set up counters directly.
    friend struct GameScreenLogicProbe;

    int32_t startTime_ = 0;
    int32_t kills_ = 0;
    int32_t shots_ = 0;
    int32_t hits_ = 0;
    int32_t suspendedAt_ = 0;
    bool suspensionPending_ = false;
};

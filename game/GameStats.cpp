// GameStats: counting, the time of play and the score and precision formulas.
#include "game/GameStats.h"

#include "game/GameTuning.h"

void GameStats::start(int32_t now) {
    startTime_ = now;
    kills_ = shots_ = hits_ = 0;
    suspensionPending_ = false;
}

void GameStats::suspend(int32_t now) {
    suspendedAt_ = now;
    suspensionPending_ = true;
}

void GameStats::resume(int32_t now) {
    if (suspensionPending_) {
        startTime_ += now - suspendedAt_;
        suspensionPending_ = false;
    }
}

int32_t GameStats::score(int difficulty, int32_t now) const {
    const int32_t seconds = (now - startTime_) / 1000;
    const int32_t base = seconds + (difficulty + GameTuning::kKillBonus) * kills_;
    return static_cast<int32_t>(static_cast<float>(base) + static_cast<float>(difficulty) *
                                                               GameTuning::kHitBonusPerLevel *
                                                               static_cast<float>(hits_));
}

int32_t GameStats::precisionPercent() const {
    // A game without a single shot has no precision to speak of: it shows 0 %.
    if (shots_ == 0) {
        return 0;
    }
    return static_cast<int32_t>(static_cast<double>(hits_) / shots_ * 100.0);
}

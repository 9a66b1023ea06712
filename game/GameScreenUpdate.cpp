// GameScreenUpdate: the game's idle step: time, player, arena, HUD animation, pointer, score, end.
#include <GL/freeglut.h>

#include "entities/Building.h"
#include "entities/Otter.h"
#include "entities/OtterHerd.h"
#include "entities/Weapon.h"
#include "framework/EventReport.h"
#include "framework/ScreenDispatch.h"
#include "game/GameScreen.h"
#include "render/Clock.h"
#include "render/FeedbackZoomEffect.h"
#include "sound/SoundManager.h"

namespace {

// The warning colour, the light and the radar sweep animate by at most this much per step.
// The first step of a new game measures the whole stay in the menus, which would otherwise
// throw the warning colour far outside 0..1 (black for as long again) and jump the sweep and
// the light; a hitch in play must not do that either.
constexpr int32_t kLongestHudStepMs = 100;

// Per-channel speed of the warning colour, per second: a full back-and-forth cycle takes 8 s
// for red, about 6 s for green and 5 s for blue.
constexpr float kWarningRates[3] = {0.25f, 0.33f, 0.4f};

}  // namespace

void GameScreen::idle() {
    const int32_t now = gameclock::elapsedMs();
    frameMs_ = now - lastTime_;
    lastTime_ = now;

    weapon_->move(frameMs_);
    herd_->updateEffects(static_cast<float>(frameMs_));

    // Back onto the arena's edge along the line from the centre, at the player's own height.
    // The length is taken in 3D before the height is put back, so the player lands a little
    // inside the radius.
    const Vector3 player = weapon_->position();
    if (player.length() > static_cast<float>(arenaRadius_)) {
        Vector3 edge = player - weapon_->centre();
        edge.normalize();
        edge = edge * static_cast<float>(arenaRadius_);
        edge.setComponent(1, player.y());
        weapon_->setPosition(edge);
    }

    animateHud(frameMs_ < kLongestHudStepMs ? frameMs_ : kLongestHudStepMs);
    zoomEffect_->update(static_cast<float>(frameMs_ * 0.001));

    noticePointerEntry();
    warpPointer();

    SoundManager::instance().update();
    weapon_->setScore(currentScore());

    if (herd_->building().life() <= 0) {
        endGame();
    }
    glutPostRedisplay();
}

void GameScreen::animateHud(int32_t ms) {
    const float t = static_cast<float>(ms * 0.001);
    for (int c = 0; c < 3; ++c) {
        warningColour_[c] += warningDirection_[c] * t * kWarningRates[c];
    }
    // Turned at the ends; the value itself overshoots by at most one (bounded) step.
    for (int c = 0; c < 3; ++c) {
        if (warningColour_[c] < 0.0f) {
            warningDirection_[c] = 1.0f;
        }
        if (warningColour_[c] > 1.0f) {
            warningDirection_[c] = -1.0f;
        }
    }
    // One radian per second about the vertical axis.
    light_->rotate(static_cast<float>(ms * 0.001), false, true, false);
    sweepAngle_ -= static_cast<float>(ms) * sweepSpeed_;
}

int32_t GameScreen::currentScore() const {
    const int32_t seconds = (gameclock::elapsedMs() - startTime_) / 1000;
    const int32_t base = seconds + (difficulty_ + 15) * kills_;
    return static_cast<int32_t>(static_cast<float>(base) +
                                static_cast<float>(difficulty_) * 0.2f * static_cast<float>(hits_));
}

int32_t GameScreen::precisionPercent() const {
    // A game without a single shot has no precision to speak of: it shows 0 %.
    if (shots_ == 0) {
        return 0;
    }
    return static_cast<int32_t>(static_cast<double>(hits_) / shots_ * 100.0);
}

void GameScreen::endGame() {
    gameSuspended_ = false;
    if (!showResults_ || !screenSlot) {
        return;
    }
    eventreport::report("game-over score=%d kills=%d precision=%d difficulty=%d", weapon_->score(),
                        kills_, precisionPercent(), difficulty_);
    Screen& results = showResults_(weapon_->score(), precisionPercent(), kills_);
    stopMouseLook();
    switchScreen(*this, results);
}

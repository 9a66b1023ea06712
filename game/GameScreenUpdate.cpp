// GameScreenUpdate: the game's idle step: time, player, arena, HUD animation, pointer, score, end.
#include <GL/freeglut.h>

#include "entities/Building.h"
#include "entities/Otter.h"
#include "entities/OtterHerd.h"
#include "entities/Weapon.h"
#include "framework/EventReport.h"
#include "framework/ScreenDispatch.h"
#include "game/GameHud.h"
#include "game/GameScreen.h"
#include "game/MouseLook.h"
#include "render/Clock.h"
#include "render/FeedbackZoomEffect.h"
#include "sound/SoundManager.h"

void GameScreen::idle() {
    const int32_t now = gameclock::elapsedMs();
    frameMs_ = now - lastTime_;
    lastTime_ = now;

    player_->move(frameMs_);
    herd_->updateEffects(static_cast<float>(frameMs_));
    keepPlayerInArena();

    // The first step of a new game measures the whole stay in the menus, which would otherwise
    // throw the HUD's warning colour far outside 0..1 and jump the sweep and the light.
    const int32_t hudMs =
        frameMs_ < GameTuning::kLongestHudStepMs ? frameMs_ : GameTuning::kLongestHudStepMs;
    hud_->animate(hudMs);
    light_.rotateAboutY(static_cast<float>(hudMs * GameTuning::kLightTurnPerMs));
    zoomEffect_->update(static_cast<float>(frameMs_ * 0.001));

    mouseLook_->noticePointerEntry();
    mouseLook_->warpPointer(warpX, warpY);

    SoundManager::instance().update();
    player_->setScore(stats_.score(difficulty_, gameclock::elapsedMs()));

    if (herd_->building().life() <= 0) {
        endGame();
    }
    glutPostRedisplay();
}

void GameScreen::keepPlayerInArena() {
    // Back onto the arena's edge along the line from the centre, at the player's own height.
    // The length is taken in 3D before the height is put back, so the player lands a little
    // inside the radius.
    const Vector3 position = player_->position();
    if (position.length() > static_cast<float>(arenaRadius_)) {
        Vector3 edge = position;
        edge.normalize();
        edge = edge * static_cast<float>(arenaRadius_);
        edge.setComponent(1, position.y());
        player_->setPosition(edge);
    }
}

void GameScreen::endGame() {
    gameSuspended_ = false;
    if (!showResults_ || !screenSlot) {
        return;
    }
    const int32_t precision = stats_.precisionPercent();
    eventreport::report("game-over score=%d kills=%d precision=%d difficulty=%d", player_->score(),
                        stats_.kills(), precision, difficulty_);
    Screen& results = showResults_(player_->score(), precision, stats_.kills());
    mouseLook_->stop();
    switchScreen(*this, results);
}

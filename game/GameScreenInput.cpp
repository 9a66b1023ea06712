// GameScreenInput: the game's keys (walking, Escape) and the mouse events handed to the mouse look.
#include <GL/freeglut.h>
#include <GL/glu.h>

#include "entities/Weapon.h"
#include "framework/EventReport.h"
#include "framework/ScreenDispatch.h"
#include "game/GameScreen.h"
#include "game/GameStats.h"
#include "game/MouseLook.h"
#include "render/Clock.h"
#include "render/ScreenSpace.h"

namespace {

constexpr int kEscape = 27;

// The camera's bindings are AZERTY (z, q, s, d); on a QWERTY keyboard the same places carry
// w and a, so those walk too. Only the lower-case press walks, as for the camera's own keys,
// but a release of either case lets go, so a Shift pressed meanwhile cannot leave the
// player walking.
bool isQwertyForward(int key) { return key == 'w'; }
bool isQwertyLeft(int key) { return key == 'a'; }

}  // namespace

void GameScreen::keyboard(int key, int, int) {
    if (key == kEscape) {
        suspend();
        return;
    }
    if (isQwertyForward(key)) {
        player_->keyPressed(player_->forwardKey());
    } else if (isQwertyLeft(key)) {
        player_->keyPressed(player_->leftKey());
    } else {
        player_->keyPressed(static_cast<uint8_t>(key));
    }
}

void GameScreen::suspend() {
    if (!mainMenu_ || !screenSlot) {
        return;
    }
    gameSuspended_ = true;
    const int32_t now = gameclock::elapsedMs();
    stats_.suspend(now);
    // The menus expect the plain perspective over the picture; the zoom effect may have left a
    // wider one.
    screenspace::usePictureViewport();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(90.0, 1.0, 1.0, 10000.0);
    glMatrixMode(GL_MODELVIEW);
    // Releases are sent to whichever screen is current, so keys held now would still be
    // down when the game resumes.
    player_->releaseAllKeys();
    mouseLook_->stop();
    // With the score, so a test can tell that time away does not count.
    eventreport::report("game-suspended score=%d", stats_.score(difficulty_, now));
    switchScreen(*this, mainMenu_());
}

void GameScreen::forgetHeldKeys() { player_->releaseAllKeys(); }

void GameScreen::keyboardUp(int key, int, int) {
    if (isQwertyForward(key) || key == 'W') {
        player_->keyReleased(player_->forwardKey());
    } else if (isQwertyLeft(key) || key == 'A') {
        player_->keyReleased(player_->leftKey());
    } else {
        player_->keyReleased(static_cast<uint8_t>(key));
    }
}

namespace {

// The arrows share the letters' key state: releasing S also stops a held Down arrow.
int cameraKeyForArrow(const Weapon& player, int key) {
    switch (key) {
        case GLUT_KEY_UP:
            return player.forwardKey();
        case GLUT_KEY_DOWN:
            return player.backwardKey();
        case GLUT_KEY_LEFT:
            return player.leftKey();
        case GLUT_KEY_RIGHT:
            return player.rightKey();
        default:
            return -1;
    }
}

}  // namespace

void GameScreen::special(int key, int, int) {
    const int cameraKey = cameraKeyForArrow(*player_, key);
    if (cameraKey >= 0) {
        player_->keyPressed(static_cast<uint8_t>(cameraKey));
    }
}

void GameScreen::specialUp(int key, int, int) {
    const int cameraKey = cameraKeyForArrow(*player_, key);
    if (cameraKey >= 0) {
        player_->keyReleased(static_cast<uint8_t>(cameraKey));
    }
}

void GameScreen::passiveMotion(int x, int y) { mouseLook_->look(x, y, *player_); }

void GameScreen::motion(int x, int y) { mouseLook_->look(x, y, *player_); }

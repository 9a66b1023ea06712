// GameScreenInput: the game's keys (walking, Escape) and the mouse look with its pointer warp.
#include <GL/freeglut.h>
#include <GL/glu.h>

#include "entities/Weapon.h"
#include "framework/EventReport.h"
#include "framework/ScreenDispatch.h"
#include "game/GameScreen.h"
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

void GameScreen::suspend() {
    if (!mainMenu_ || !screenSlot) {
        return;
    }
    gameSuspended_ = true;
    suspendedAt_ = gameclock::elapsedMs();
    suspensionPending_ = true;
    // The menus expect the plain perspective over the picture; the zoom effect may have left a
    // wider one.
    screenspace::usePictureViewport();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(90.0, 1.0, 1.0, 10000.0);
    glMatrixMode(GL_MODELVIEW);
    // Releases are sent to whichever screen is current, so keys held now would still be
    // down when the game resumes.
    weapon_->releaseAllKeys();
    stopMouseLook();
    // With the score, so a test can tell that time away does not count.
    eventreport::report("game-suspended score=%d", currentScore());
    switchScreen(*this, mainMenu_());
}

void GameScreen::keyboard(int key, int, int) {
    if (key == kEscape) {
        suspend();
        return;
    }
    if (isQwertyForward(key)) {
        weapon_->keyPressed(weapon_->forwardKey());
    } else if (isQwertyLeft(key)) {
        weapon_->keyPressed(weapon_->leftKey());
    } else {
        weapon_->keyPressed(static_cast<uint8_t>(key));
    }
}

void GameScreen::forgetHeldKeys() { weapon_->releaseAllKeys(); }

void GameScreen::keyboardUp(int key, int, int) {
    if (isQwertyForward(key) || key == 'W') {
        weapon_->keyReleased(weapon_->forwardKey());
    } else if (isQwertyLeft(key) || key == 'A') {
        weapon_->keyReleased(weapon_->leftKey());
    } else {
        weapon_->keyReleased(static_cast<uint8_t>(key));
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
    const int cameraKey = cameraKeyForArrow(*weapon_, key);
    if (cameraKey >= 0) {
        weapon_->keyPressed(static_cast<uint8_t>(cameraKey));
    }
}

void GameScreen::specialUp(int key, int, int) {
    const int cameraKey = cameraKeyForArrow(*weapon_, key);
    if (cameraKey >= 0) {
        weapon_->keyReleased(static_cast<uint8_t>(cameraKey));
    }
}

void GameScreen::passiveMotion(int x, int y) {
    mouseLook(x, y);
    mouseX_ = x;
    mouseY_ = y;
}

void GameScreen::motion(int x, int y) { mouseLook(x, y); }

void GameScreen::stopMouseLook() {
    lookTracking_ = false;
    warpPending_ = false;
}

void GameScreen::noticePointerEntry() {
    const int entries = pointerEntryCount();
    if (entries != seenEntryCount_) {
        seenEntryCount_ = entries;
        stopMouseLook();
    }
}

void GameScreen::warpPointer() {
    // Outside the window (a windowed game) the pointer belongs to the desktop.
    if (!pointerInWindow()) {
        return;
    }
    int reportedX = 0;
    int reportedY = 0;
    if (lookTracking_ && !warpPending_ && lastLookX_ == warpReportedX_ &&
        lastLookY_ == warpReportedY_) {
        // Still where the last warp put it: a warp would move nothing and report nothing.
        return;
    }
    warpPointerToScreenPoint(warpX, warpY, reportedX, reportedY);
    warpPending_ = true;
    warpReportedX_ = reportedX;
    warpReportedY_ = reportedY;
}

// Each motion event is measured from the last position seen, so several events in one frame
// add up to the true motion. Events still queued from before a warp report positions from
// before it and are measured as such; the warp's own event (at the point the warp reported)
// only moves the reference point.
void GameScreen::mouseLook(int x, int y) {
    noticePointerEntry();
    // Outside the window the pointer is the desktop's; coming back in starts afresh, even when
    // a motion event arrives before the entry event that says so.
    if (!pointerInWindow()) {
        stopMouseLook();
        return;
    }
    if (warpPending_ && x == warpReportedX_ && y == warpReportedY_) {
        warpPending_ = false;
        lookTracking_ = true;
        lastLookX_ = x;
        lastLookY_ = y;
        return;
    }
    if (!lookTracking_) {
        // Until the game has warped the pointer since it gained it, positions are wherever a
        // menu or the desktop left the pointer: nothing to measure from.
        if (warpPending_) {
            lookTracking_ = true;
            lastLookX_ = x;
            lastLookY_ = y;
        }
        return;
    }
    const int dx = x - lastLookX_;
    const int dy = y - lastLookY_;
    lastLookX_ = x;
    lastLookY_ = y;

    const float s = weapon_->lookScale() * 0.014285714f;
    // Right turns right; with mouseDirection +1, down looks down.
    weapon_->addYaw(weapon_->horizontalSensitivity() * s * static_cast<float>(-dx));
    weapon_->addPitch(weapon_->verticalSensitivity() * s * static_cast<float>(mouseDirection_) *
                      static_cast<float>(dy));
    if (weapon_->pitch() >= Camera::kPitchLimit) {
        weapon_->setPitch(Camera::kPitchLimit);
    }
    if (weapon_->pitch() <= -Camera::kPitchLimit) {
        weapon_->setPitch(-Camera::kPitchLimit);
    }
}

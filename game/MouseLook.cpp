// MouseLook: the pointer warp and the turn each measured motion gives the player.
#include "game/MouseLook.h"

#include "entities/Camera.h"
#include "entities/LookTuning.h"
#include "framework/ScreenDispatch.h"

void MouseLook::stop() {
    tracking_ = false;
    warpPending_ = false;
}

void MouseLook::noticePointerEntry() {
    const int entries = pointerEntryCount();
    if (entries != seenEntryCount_) {
        seenEntryCount_ = entries;
        stop();
    }
}

void MouseLook::warpPointer(int x, int y) {
    // Outside the window (a windowed game) the pointer belongs to the desktop.
    if (!pointerInWindow()) {
        return;
    }
    int reportedX = 0;
    int reportedY = 0;
    if (tracking_ && !warpPending_ && lastX_ == warpReportedX_ && lastY_ == warpReportedY_) {
        // Still where the last warp put it: a warp would move nothing and report nothing.
        return;
    }
    warpPointerToScreenPoint(x, y, reportedX, reportedY);
    warpPending_ = true;
    warpReportedX_ = reportedX;
    warpReportedY_ = reportedY;
}

// Events still queued from before a warp report positions from before it and are measured as
// such; the warp's own event (at the point the warp reported) only moves the reference point.
void MouseLook::look(int x, int y, Camera& player) {
    noticePointerEntry();
    // Outside the window the pointer is the desktop's; coming back in starts afresh, even when
    // a motion event arrives before the entry event that says so.
    if (!pointerInWindow()) {
        stop();
        return;
    }
    if (warpPending_ && x == warpReportedX_ && y == warpReportedY_) {
        warpPending_ = false;
        tracking_ = true;
        lastX_ = x;
        lastY_ = y;
        return;
    }
    if (!tracking_) {
        // Until the game has warped the pointer since it gained it, positions are wherever a
        // menu or the desktop left the pointer: nothing to measure from.
        if (warpPending_) {
            tracking_ = true;
            lastX_ = x;
            lastY_ = y;
        }
        return;
    }
    const int dx = x - lastX_;
    const int dy = y - lastY_;
    lastX_ = x;
    lastY_ = y;
    turn(dx, dy, player);
}

void MouseLook::turn(int dx, int dy, Camera& player) const {
    const float s = player.lookScale() * LookTuning::kLookPerPixel;
    // Right turns right; with the vertical direction +1, down looks down.
    player.addYaw(player.horizontalSensitivity() * s * static_cast<float>(-dx));
    player.addPitch(player.verticalSensitivity() * s * static_cast<float>(verticalDirection_) *
                    static_cast<float>(dy));
    if (player.pitch() >= Camera::kPitchLimit) {
        player.setPitch(Camera::kPitchLimit);
    }
    if (player.pitch() <= -Camera::kPitchLimit) {
        player.setPitch(-Camera::kPitchLimit);
    }
}

// MouseLook: turns the player with the mouse, warping the pointer back to one point each frame.
#pragma once

#include <cstdint>

class Camera;

// Each motion event is measured from the last position seen, so several events in one frame
// add up to the true motion. Until the first warp after the game (re)gains the pointer nothing
// is measured, and the warp's own event turns nothing.
class MouseLook {
public:
    // Starts afresh: nothing measured until the next warp.
    void stop();
    // Starts afresh when the pointer came back into the window since last asked.
    void noticePointerEntry();
    // Puts the pointer back on the window point (x, y), unless it is outside the window or
    // still where the last warp put it.
    void warpPointer(int x, int y);
    // A motion event at (x, y): turns the player by the motion since the last one.
    void look(int x, int y, Camera& player);

    // +1: moving the mouse down looks down; -1 the other way.
    int verticalDirection() const { return verticalDirection_; }
    void setVerticalDirection(int direction) { verticalDirection_ = direction; }

private:
    void turn(int dx, int dy, Camera& player) const;

    int32_t verticalDirection_ = 1;
    bool tracking_ = false;
    bool warpPending_ = false;
    int32_t warpReportedX_ = 0;
    int32_t warpReportedY_ = 0;
    int32_t lastX_ = 0;
    int32_t lastY_ = 0;
    int32_t seenEntryCount_ = 0;
};

// ScreenSpace: a flat 2D space laid over the whole viewport, for sprites, texts and the HUD.
#pragma once

namespace screenspace {

// Pushes both matrices and maps (0, 0)-(width, height) onto the viewport, y up (y down when
// yDown, for pictures placed from the top-left corner), depth from -1 to 1; leaves the modelview
// current. The caller's other state (depth test, blending) is its own to set and restore.
void enter(double width, double height, bool yDown = false);
// Pops both matrices, projection first; leaves the modelview current.
void leave();

}  // namespace screenspace

// ScreenSpace: a flat 2D space laid over the whole viewport, for sprites, texts and the HUD.
#pragma once

namespace screenspace {

// Every screen lays itself out in a 1024 x 768 space, the game-mode window's size; the picture
// is stretched over a window of another size.
constexpr int kWidth = 1024;
constexpr int kHeight = 768;

// Widgets and the mouse count y down from the top edge; sprites, the cursor and the sparkles
// are drawn with y up from the bottom edge. The height of that flipped point.
constexpr float spriteYFromWidgetY(int y) { return static_cast<float>(kHeight - y); }

// Pushes both matrices and maps (0, 0)-(width, height) onto the viewport, y up (y down when
// yDown, for pictures placed from the top-left corner), depth from -1 to 1; leaves the modelview
// current. The caller's other state (depth test, blending) is its own to set and restore.
void enter(double width, double height, bool yDown = false);
// Pops both matrices, projection first; leaves the modelview current.
void leave();

}  // namespace screenspace

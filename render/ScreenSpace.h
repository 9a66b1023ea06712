// ScreenSpace: a flat 2D space laid over the whole viewport, for sprites, texts and the HUD, and
// the viewport itself: the picture's place in the window.
#pragma once

#include "render/PictureFrame.h"

namespace screenspace {

// Widgets and the mouse count y down from the picture's top edge; sprites, the cursor and the
// sparkles are drawn with y up from its bottom edge. The height of that flipped point.
constexpr float spriteYFromWidgetY(int y) { return static_cast<float>(PictureFrame::kHeight - y); }

// Pushes both matrices and maps (0, 0)-(width, height) onto the viewport, y up (y down when
// yDown, for pictures placed from the top-left corner), depth from -1 to 1; leaves the modelview
// current. The caller's other state (depth test, blending) is its own to set and restore.
void enter(double width, double height, bool yDown = false);
// Pops both matrices, projection first; leaves the modelview current.
void leave();

// Sets the viewport to the picture's rectangle in the window (PictureFrame::current()).
void usePictureViewport();
// Clears the bars beside or above and below the picture to black; nothing when there are none.
// Leaves the scissor test off and the clear colour as it was.
void clearBars();

// Window pixels per pixel of the 1024 x 768 picture where drawing goes now, for sizes given in
// pixels (outline widths): the picture's scale (times the scene's scale while the scene is
// drawn reduced), or 1 while drawing into a fixed-size capture.
float pixelScale();
void setFixedSizeCapture(bool capturing);

// Where the 3D scene is drawn: the picture's rectangle, or while the scene is drawn at a
// reduced scale (SceneScale), the picture's bottom-left corner of that fraction of its size.
// Effects that copy the scene (the zoom) read it from here.
void setSceneScale(float scale);
PictureFrame::Rect sceneRect();
void useSceneViewport();

}  // namespace screenspace

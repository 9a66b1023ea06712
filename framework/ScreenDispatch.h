// ScreenDispatch: the current-screen slot, the GLUT callbacks, screen switching and the pace of
// the frame loop.
#pragma once

#include "framework/Screen.h"
#include "render/PictureFrame.h"

// The screen every GLUT event goes to; never null once start-up has run.
extern Screen* currentScreen;

// Registers the callbacks with GLUT, in the order the game has always used.
void registerScreenCallbacks();

// Hands control from one screen to another: the target takes over the source's slot and is
// stored in it. Takes effect for the next event; nothing of the target is called now.
void switchScreen(Screen& from, Screen& to);

// Screens lay themselves out in a 1024 x 768 picture. The window may have any size: the
// picture is drawn as large as it fits, centred between black bars (PictureFrame), and every
// mouse position is carried into the picture here, from the size reshape last reported, so the
// mouse and the picture agree. Positions on the bars land outside 0..1023 x 0..767.
constexpr int kScreenSpaceWidth = PictureFrame::kWidth;
constexpr int kScreenSpaceHeight = PictureFrame::kHeight;
void setWindowSize(int width, int height);
int windowWidth();
int windowHeight();
// Window pixel -> screen space, and back (the window point whose screen point is (x, y)).
int screenXFromWindow(int x);
int screenYFromWindow(int y);
int windowXFromScreen(int x);
int windowYFromScreen(int y);

// Warps the pointer to the window point that shows screen point (x, y), and answers the screen
// point the warp's own motion event will report (the round trip may differ by a pixel from
// (x, y) when the window is not 1024 x 768).
void warpPointerToScreenPoint(int x, int y, int& reportedX, int& reportedY);

// Forgets every key held down, in the repeat filter and on the current screen: called when
// the releases of those keys may never arrive (the pointer left the window, the window was
// hidden or lost the focus), so the next real press of any of them counts.
void forgetHeldKeys();

// Whether the pointer is inside the window (GLUT's entry events), and how many times it has
// entered it: a screen that measures relative motion starts afresh after each entry.
bool pointerInWindow();
int pointerEntryCount();

// Whether the window is unseen (unmapped, minimised or fully covered): nothing is drawn then,
// and the loop wakes only for events (and a few times a second for the music).
bool windowHidden();

// The display's refresh rate, which paces play (0: unknown).
void setDisplayRate(double hz);
// Run once, the first time the window shows (start-up asks for full screen there, when the
// window is on screen and a window manager will take the request); returns whether the window
// is to be resized. The screens wait for that before their first idle step (a second at most).
void setFirstShownAction(bool (*action)());

// A request to end the program from outside (a signal): the next idle step runs the quit
// action instead of the current screen's idle. Safe to call from a signal handler.
void requestQuit();
bool quitRequested();
// What a requested quit does (the normal exit path); set by start-up.
void setQuitAction(void (*action)());

// The GLUT callbacks themselves; each forwards its arguments to currentScreen (mouse positions
// carried into screen space, see above).
namespace dispatch {
void display();
void idle();
void mouse(int button, int state, int x, int y);
void motion(int x, int y);
void passiveMotion(int x, int y);
void keyboard(unsigned char key, int x, int y);
void keyboardUp(unsigned char key, int x, int y);
void special(int key, int x, int y);
void specialUp(int key, int x, int y);
void reshape(int width, int height);
void entry(int state);
void windowStatus(int state);
}  // namespace dispatch

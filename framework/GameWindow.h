// GameWindow: the platform side of the game window: vsync, refresh rate, full screen, keyboard
// focus, and sleeping until an event comes.
#pragma once

namespace gamewindow {

// Asks the driver to swap buffers at the display's vertical retrace, through the first GLX
// swap-control extension it offers. Returns that extension's name, or null when none exists.
// Call with the game window current.
const char* enableVsync();

// The display's refresh rate in hertz, 0 when it cannot be told.
double refreshRateHz();

// Whether the game runs in real game mode (set by start-up).
void setGameMode(bool active);

// Full screen: a borderless window over the whole desktop. The window has to be on screen
// (mapped) for a window manager to take the request. Returns whether the window is to change
// size (it was smaller than the desktop).
bool enterFullScreen();
// Between that and a 1024 x 768 window. Does nothing in game mode, which has no window to go
// back to. Returns whether the window is now full screen.
bool toggleFullScreen();
bool fullScreen();

// Where the keyboard goes: to the game window, elsewhere (another window, or nowhere), or
// to the window under the pointer. One round trip to the X server.
enum class Focus { Ours, Elsewhere, FollowsPointer };
Focus keyboardFocus();

// Whether, after a swap, the back buffer still holds the frame just shown, so that the next
// frame may draw again only what changed. Where the driver tells a buffer's age, that is asked
// at each call; elsewhere the answer is the one probeSwapKeepsPicture found (false until it
// runs; tests that draw without swapping set it).
void probeSwapKeepsPicture();
bool swapKeepsPicture();
void setSwapKeepsPicture(bool kept);

// Sleeps for at most ms milliseconds, less if an event for the game comes in meanwhile; returns
// at once when one is already waiting.
void waitForEvents(double ms);

}  // namespace gamewindow

// Screen: the interface every full-screen state of the game implements (one per GLUT event).
#pragma once

#include <cstdint>

// A screen receives every GLUT event while it is current. It hands control to another screen
// by storing that screen through its own screenSlot (see switchScreen); the next event then
// reaches the new screen. Screens live from their first use until program exit.
class Screen {
public:
    Screen();
    virtual ~Screen();

    // Every screen draws itself; the other handlers do nothing unless a screen needs them.
    virtual void display() = 0;
    // By default: keep the music going and ask for the next frame.
    virtual void idle();
    virtual void mouse(int /*button*/, int /*state*/, int /*x*/, int /*y*/) {}
    virtual void passiveMotion(int /*x*/, int /*y*/) {}
    virtual void motion(int /*x*/, int /*y*/) {}
    virtual void keyboard(int /*key*/, int /*x*/, int /*y*/) {}
    virtual void keyboardUp(int /*key*/, int /*x*/, int /*y*/) {}
    virtual void special(int /*key*/, int /*x*/, int /*y*/) {}
    virtual void specialUp(int /*key*/, int /*x*/, int /*y*/) {}
    // By default the perspective every 3D view of the game shares.
    virtual void reshape(int width, int height);
    // The releases of the keys held now will not come (the window lost the pointer or was
    // hidden, or this screen is being left): let go of them. Most screens hold no keys.
    virtual void forgetHeldKeys() {}
    // What the event report calls this screen ("main-menu", "game", ...).
    virtual const char* name() const = 0;

    // Whether this screen animates play, drawn at the display's refresh rate; the others need
    // no more than 60 frames a second.
    virtual bool playsAtDisplayRate() const { return false; }
    // The player has left the window (hidden, minimised, keyboard focus lost). A screen that
    // plays suspends itself here; the others have nothing to do.
    virtual void playerLeft() {}

    // The window point the game warps the pointer to every frame and measures motion from.
    // It is deliberately not the window centre: the game always ran with these values.
    int32_t warpX;
    int32_t warpY;

    // Where this screen stores its successor when it switches; set by whoever first hands
    // control to it.
    Screen** screenSlot;
};

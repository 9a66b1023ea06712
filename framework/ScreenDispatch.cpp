// ScreenDispatch: forwards each GLUT event, untouched, to the current screen.
#include "framework/ScreenDispatch.h"

#include <GL/freeglut.h>

#include <csignal>

#include "framework/EventReport.h"
#include "framework/GlErrorReport.h"
#include "framework/KeyRepeatFilter.h"
#include "render/Clock.h"

Screen* currentScreen = nullptr;

namespace {

int windowWidth_ = kScreenSpaceWidth;
int windowHeight_ = kScreenSpaceHeight;
bool pointerInWindow_ = true;
int pointerEntryCount_ = 0;
volatile std::sig_atomic_t quitRequested_ = 0;
void (*quitAction_)() = nullptr;
KeyRepeatFilter keyRepeats_;
long framesDrawn_ = 0;

// The checked build looks for GL errors after every event, naming the screen that handled it
// (the current one before the event: a switch takes effect afterwards).
#ifdef ZORBLAT_GL_CHECKS
void checkGl(const char* event, const Screen* screen) {
    glerrors::report(event, screen, framesDrawn_);
}
#else
void checkGl(const char*, const Screen*) {}
#endif

// Rounds towards minus infinity, so that points left of or above the window stay outside.
int scaled(int value, int to, int from) {
    const long long product = static_cast<long long>(value) * to;
    long long q = product / from;
    if (product % from != 0 && product < 0) {
        --q;
    }
    return static_cast<int>(q);
}

}  // namespace

void setWindowSize(int width, int height) {
    windowWidth_ = width > 0 ? width : 1;
    windowHeight_ = height > 0 ? height : 1;
}
int windowWidth() { return windowWidth_; }
int windowHeight() { return windowHeight_; }

int screenXFromWindow(int x) { return scaled(x, kScreenSpaceWidth, windowWidth_); }
int screenYFromWindow(int y) { return scaled(y, kScreenSpaceHeight, windowHeight_); }
// The window pixel whose span contains the screen point: the inverse of the mapping above.
int windowXFromScreen(int x) { return scaled(x * 2 + 1, windowWidth_, 2 * kScreenSpaceWidth); }
int windowYFromScreen(int y) { return scaled(y * 2 + 1, windowHeight_, 2 * kScreenSpaceHeight); }

void warpPointerToScreenPoint(int x, int y, int& reportedX, int& reportedY) {
    const int wx = windowXFromScreen(x);
    const int wy = windowYFromScreen(y);
    glutWarpPointer(wx, wy);
    reportedX = screenXFromWindow(wx);
    reportedY = screenYFromWindow(wy);
}

bool pointerInWindow() { return pointerInWindow_; }
int pointerEntryCount() { return pointerEntryCount_; }

void requestQuit() { quitRequested_ = 1; }
bool quitRequested() { return quitRequested_ != 0; }
void setQuitAction(void (*action)()) { quitAction_ = action; }

void switchScreen(Screen& from, Screen& to) {
    // The keys held on the screen being left are released on the next one, so it lets go of
    // them now. The repeat filter is kept: a held key's repeats must not act on the new
    // screen (a held Escape would walk on through the menus), and its release still comes.
    from.forgetHeldKeys();
    to.screenSlot = from.screenSlot;
    *from.screenSlot = &to;
    eventreport::report("screen %s", to.name());
}

void forgetHeldKeys() {
    keyRepeats_.release();
    if (currentScreen) {
        currentScreen->forgetHeldKeys();
    }
}

namespace dispatch {

// The callbacks neither filter, reorder nor buffer: a screen sees what GLUT reported (mouse
// positions in screen space),
// and an event that arrives after a switch goes to the new screen (a key pressed on one screen
// may be released on the next).
void display() {
    static bool firstFrameDrawn = false;
    if (!firstFrameDrawn) {
        gameclock::TimedPart part("first frame");
        Screen* screen = currentScreen;
        screen->display();
        firstFrameDrawn = true;
        checkGl("display", screen);
        ++framesDrawn_;
        return;
    }
    Screen* screen = currentScreen;
    screen->display();
    checkGl("display", screen);
    ++framesDrawn_;
}
void idle() {
    if (quitRequested() && quitAction_) {
        quitAction_();
        return;
    }
    gameclock::idleStep();
    Screen* screen = currentScreen;
    screen->idle();
    checkGl("idle", screen);
}
void mouse(int button, int state, int x, int y) {
    Screen* screen = currentScreen;
    screen->mouse(button, state, screenXFromWindow(x), screenYFromWindow(y));
    checkGl("mouse", screen);
}
void motion(int x, int y) {
    Screen* screen = currentScreen;
    screen->motion(screenXFromWindow(x), screenYFromWindow(y));
    checkGl("motion", screen);
}
void passiveMotion(int x, int y) {
    Screen* screen = currentScreen;
    screen->passiveMotion(screenXFromWindow(x), screenYFromWindow(y));
    checkGl("passive motion", screen);
}
// Presses made up by key repeat are the one thing dropped: a held Escape must not walk from
// the game through the main menu to the exit screen.
void keyboard(unsigned char key, int x, int y) {
    if (keyRepeats_.acceptPress(key, false)) {
        Screen* screen = currentScreen;
        screen->keyboard(key, x, y);
        checkGl("keyboard", screen);
    }
}
void keyboardUp(unsigned char key, int x, int y) {
    keyRepeats_.release();
    Screen* screen = currentScreen;
    screen->keyboardUp(key, x, y);
    checkGl("keyboard up", screen);
}
void special(int key, int x, int y) {
    if (keyRepeats_.acceptPress(key, true)) {
        Screen* screen = currentScreen;
        screen->special(key, x, y);
        checkGl("special", screen);
    }
}
void specialUp(int key, int x, int y) {
    keyRepeats_.release();
    Screen* screen = currentScreen;
    screen->specialUp(key, x, y);
    checkGl("special up", screen);
}
void reshape(int width, int height) {
    setWindowSize(width, height);
    // A test resizing the window waits for this before it clicks in the new size.
    eventreport::report("window %dx%d", width, height);
    Screen* screen = currentScreen;
    screen->reshape(width, height);
    checkGl("reshape", screen);
}
void entry(int state) {
    pointerInWindow_ = state == GLUT_ENTERED;
    if (pointerInWindow_) {
        ++pointerEntryCount_;
    } else {
        // Keys let go of while the pointer is elsewhere send their release elsewhere.
        forgetHeldKeys();
    }
}
void windowStatus(int state) {
    if (state == GLUT_HIDDEN) {
        forgetHeldKeys();
    }
}

}  // namespace dispatch

void registerScreenCallbacks() {
    glutReshapeFunc(dispatch::reshape);
    glutDisplayFunc(dispatch::display);
    glutIdleFunc(dispatch::idle);
    glutMouseFunc(dispatch::mouse);
    glutMotionFunc(dispatch::motion);
    glutPassiveMotionFunc(dispatch::passiveMotion);
    glutKeyboardFunc(dispatch::keyboard);
    glutKeyboardUpFunc(dispatch::keyboardUp);
    glutSpecialFunc(dispatch::special);
    glutSpecialUpFunc(dispatch::specialUp);
    glutEntryFunc(dispatch::entry);
    glutWindowStatusFunc(dispatch::windowStatus);
}

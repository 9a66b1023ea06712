// ScreenDispatch: forwards each GLUT event to the current screen, and paces the frame loop.
#include "framework/ScreenDispatch.h"

#include <GL/freeglut.h>

#include <csignal>

#include "framework/EventReport.h"
#include "framework/FramePacer.h"
#include "framework/GameWindow.h"
#include "framework/GlErrorReport.h"
#include "framework/KeyRepeatFilter.h"
#include "render/Clock.h"
#include "render/ScreenSpace.h"
#include "sound/SoundManager.h"

Screen* currentScreen = nullptr;

namespace {

constexpr int kMouseButtons = 8;
// freeglut tells nothing of the keyboard focus: during play it is asked this often.
constexpr double kFocusPollMs = 250.0;
// While the window is hidden nothing is drawn; the music still moves on to its next track and
// a quit request is still heard, this often.
constexpr unsigned kHiddenTickMs = 250;

// How long the screens wait for the window to show at start-up, and how often they look.
constexpr double kLongestWaitToShowMs = 1000.0;
constexpr double kFirstShowPollMs = 20.0;

bool pointerInWindow_ = true;
int pointerEntryCount_ = 0;
volatile std::sig_atomic_t quitRequested_ = 0;
void (*quitAction_)() = nullptr;
bool (*firstShownAction_)() = nullptr;
KeyRepeatFilter keyRepeats_;
FramePacer pacer_;
long framesDrawn_ = 0;
bool hidden_ = false;
bool shownOnce_ = false;
double waitToShowUntilMs_ = 0.0;
bool resizeAwaited_ = false;
int hiddenGeneration_ = 0;
// Presses that landed on a bar: dropped, and so are their releases.
bool pressDropped_[kMouseButtons] = {};
gamewindow::Focus focusSeen_ = gamewindow::Focus::FollowsPointer;
double nextFocusPollMs_ = 0.0;

// The checked build looks for GL errors after every event, naming the screen that handled it
// (the current one before the event: a switch takes effect afterwards).
#ifdef ZORBLAT_GL_CHECKS
void checkGl(const char* event, const Screen* screen) {
    glerrors::report(event, screen, framesDrawn_);
}
#else
void checkGl(const char*, const Screen*) {}
#endif

PictureFrame& frame() { return PictureFrame::current(); }

// The player is gone: the keys he held are released elsewhere, and play suspends.
void playerLeft() {
    forgetHeldKeys();
    Screen* screen = currentScreen;
    screen->playerLeft();
    checkGl("player left", screen);
}

// During play, a focus that moves from the game to another window suspends it. Only a move
// seen happen counts: a focus that never was the game's (a window manager that focuses its
// frame) tells nothing, nor does a pointer that leaves the window while the focus follows it
// (the mouse look stops then, see GameScreen).
bool focusLost(double nowMs, bool play) {
    if (!play) {
        focusSeen_ = gamewindow::Focus::FollowsPointer;
        return false;
    }
    if (nowMs < nextFocusPollMs_) {
        return false;
    }
    nextFocusPollMs_ = nowMs + kFocusPollMs;
    gamewindow::Focus focus = gamewindow::keyboardFocus();
    // A focus that follows the pointer is the game's while the pointer is in its window.
    if (focus == gamewindow::Focus::FollowsPointer && pointerInWindow_) {
        focus = gamewindow::Focus::Ours;
    }
    const bool lost =
        focusSeen_ == gamewindow::Focus::Ours && focus == gamewindow::Focus::Elsewhere;
    focusSeen_ = focus;
    return lost;
}

// Until the window first shows and its action (full screen) has resized it, the screens wait:
// the intro's long loading step would otherwise run first, in a window of the wrong size. A
// window whose showing or resizing is never reported goes on after a moment all the same.
bool waitingToShow(double nowMs) {
    if (firstShownAction_ == nullptr || (shownOnce_ && !resizeAwaited_)) {
        return false;
    }
    if (waitToShowUntilMs_ == 0.0) {
        waitToShowUntilMs_ = nowMs + kLongestWaitToShowMs;
    }
    return nowMs < waitToShowUntilMs_;
}

void hiddenTick(int generation) {
    if (!hidden_ || generation != hiddenGeneration_) {
        return;
    }
    if (quitRequested() && quitAction_) {
        quitAction_();
        return;
    }
    SoundManager::instance().update();
    glutTimerFunc(kHiddenTickMs, hiddenTick, generation);
}

// Unseen, the loop has no idle step: it sleeps until an event comes. (Tests that send window
// events without GLUT have no loop to change.)
void runFrames(bool run) {
    if (glutGet(GLUT_INIT_STATE) == 0) {
        return;
    }
    if (run) {
        glutIdleFunc(dispatch::idle);
        glutPostRedisplay();
    } else {
        glutIdleFunc(nullptr);
        glutTimerFunc(kHiddenTickMs, hiddenTick, ++hiddenGeneration_);
    }
}

void toggleFullScreen() {
    eventreport::report("full-screen %s", gamewindow::toggleFullScreen() ? "on" : "off");
}

void drawFrame() {
    // Nothing else draws on the bars, and a resized window's new pixels hold anything.
    screenspace::clearBars();
    Screen* screen = currentScreen;
    screen->display();
    checkGl("display", screen);
    ++framesDrawn_;
}

}  // namespace

void setWindowSize(int width, int height) { frame().setWindowSize(width, height); }
int windowWidth() { return frame().windowWidth(); }
int windowHeight() { return frame().windowHeight(); }

int screenXFromWindow(int x) { return frame().pictureX(x); }
int screenYFromWindow(int y) { return frame().pictureY(y); }
int windowXFromScreen(int x) { return frame().windowX(x); }
int windowYFromScreen(int y) { return frame().windowY(y); }

void warpPointerToScreenPoint(int x, int y, int& reportedX, int& reportedY) {
    const int wx = windowXFromScreen(x);
    const int wy = windowYFromScreen(y);
    glutWarpPointer(wx, wy);
    reportedX = screenXFromWindow(wx);
    reportedY = screenYFromWindow(wy);
}

bool pointerInWindow() { return pointerInWindow_; }
int pointerEntryCount() { return pointerEntryCount_; }

bool windowHidden() { return hidden_; }

void setDisplayRate(double hz) { pacer_.setDisplayRate(hz); }
void setFirstShownAction(bool (*action)()) { firstShownAction_ = action; }

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

// The callbacks neither reorder nor buffer: a screen sees what GLUT reported (mouse positions
// in screen space), and an event that arrives after a switch goes to the new screen (a key
// pressed on one screen may be released on the next). Dropped are only key repeats, clicks on
// the bars and the full-screen keys.
void display() {
    if (hidden_) {
        return;
    }
    static bool firstFrameDrawn = false;
    if (!firstFrameDrawn) {
        gameclock::TimedPart part("first frame");
        drawFrame();
        firstFrameDrawn = true;
        return;
    }
    drawFrame();
}
// One frame's work when it is due; until then a sleep that any event cuts short. The loop
// never spins, and a hidden window has no idle step at all (see windowStatus).
void idle() {
    if (quitRequested() && quitAction_) {
        quitAction_();
        return;
    }
    Screen* screen = currentScreen;
    const bool play = screen->playsAtDisplayRate();
    const double now = gameclock::realTimeMs();
    if (waitingToShow(now)) {
        gamewindow::waitForEvents(kFirstShowPollMs);
        return;
    }
    if (focusLost(now, play)) {
        eventreport::report("focus-lost");
        playerLeft();
        return;
    }
    const double wait = pacer_.msUntilFrame(now);
    if (wait > 0.0) {
        gamewindow::waitForEvents(wait);
        return;
    }
    pacer_.startFrame(now, play);
    gameclock::idleStep();
    screen->idle();
    checkGl("idle", screen);
}
void mouse(int button, int state, int x, int y) {
    // A click on a bar acts on nothing, not even as a click beside every button.
    const bool tracked = button >= 0 && button < kMouseButtons;
    if (state == GLUT_DOWN && !frame().onPicture(x, y)) {
        if (tracked) {
            pressDropped_[button] = true;
        }
        return;
    }
    if (state == GLUT_UP && tracked && pressDropped_[button]) {
        pressDropped_[button] = false;
        return;
    }
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
// Presses made up by key repeat are dropped: a held Escape must not walk from the game through
// the main menu to the exit screen. Alt+Enter and F11 switch between full screen and a window
// on every screen.
void keyboard(unsigned char key, int x, int y) {
    if (!keyRepeats_.acceptPress(key, false)) {
        return;
    }
    constexpr unsigned char kEnter = 13;
    if (key == kEnter && (glutGetModifiers() & GLUT_ACTIVE_ALT)) {
        toggleFullScreen();
        return;
    }
    Screen* screen = currentScreen;
    screen->keyboard(key, x, y);
    checkGl("keyboard", screen);
}
void keyboardUp(unsigned char key, int x, int y) {
    keyRepeats_.release();
    Screen* screen = currentScreen;
    screen->keyboardUp(key, x, y);
    checkGl("keyboard up", screen);
}
void special(int key, int x, int y) {
    if (!keyRepeats_.acceptPress(key, true)) {
        return;
    }
    if (key == GLUT_KEY_F11) {
        toggleFullScreen();
        return;
    }
    Screen* screen = currentScreen;
    screen->special(key, x, y);
    checkGl("special", screen);
}
void specialUp(int key, int x, int y) {
    keyRepeats_.release();
    Screen* screen = currentScreen;
    screen->specialUp(key, x, y);
    checkGl("special up", screen);
}
void reshape(int width, int height) {
    setWindowSize(width, height);
    if (shownOnce_) {
        resizeAwaited_ = false;
    }
    // A test resizing the window waits for this before it clicks in the new size; the
    // picture's rectangle is given from the window's top-left corner, y down.
    const PictureFrame::Rect& picture = frame().picture();
    eventreport::report("window %dx%d picture=%d,%d,%d,%d", width, height, picture.left,
                        frame().top(), picture.width, picture.height);
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
// Hidden (unmapped, minimised): the player has gone, play suspends and nothing is drawn. Fully
// covered: nothing is drawn either, but the player may still be there. Shown again: the frames
// come back, on whatever screen is current (the main menu after a suspension).
void windowStatus(int state) {
    const bool gone = state == GLUT_HIDDEN;
    const bool unseen = gone || state == GLUT_FULLY_COVERED;
    if (!unseen && !shownOnce_) {
        shownOnce_ = true;
        if (firstShownAction_) {
            resizeAwaited_ = firstShownAction_();
        }
    }
    const bool changed = unseen != hidden_;
    hidden_ = unseen;
    if (gone) {
        // Every time: a covered window may be minimised next.
        eventreport::report("hidden");
        playerLeft();
    } else if (changed) {
        eventreport::report(unseen ? "covered" : "shown");
    }
    if (changed) {
        runFrames(!unseen);
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

// GameWindow: GLX swap control, RandR, freeglut's full screen and the X connection's events.
#include "framework/GameWindow.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/extensions/Xrandr.h>
#include <poll.h>

#include <ctime>

#include "render/GlExtensions.h"

namespace gamewindow {
namespace {

constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;

bool gameMode_ = false;

template <typename Function>
Function glxProc(const char* name) {
    return reinterpret_cast<Function>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

}  // namespace

const char* enableVsync() {
    Display* display = glXGetCurrentDisplay();
    if (display == nullptr) {
        return nullptr;
    }
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
    using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
    using SwapInterval = int (*)(int);
    if (glext::listHas(extensions, "GLX_EXT_swap_control")) {
        if (auto f = glxProc<SwapIntervalExt>("glXSwapIntervalEXT")) {
            f(display, glXGetCurrentDrawable(), 1);
            return "GLX_EXT_swap_control";
        }
    }
    if (glext::listHas(extensions, "GLX_MESA_swap_control")) {
        if (auto f = glxProc<SwapInterval>("glXSwapIntervalMESA"); f && f(1) == 0) {
            return "GLX_MESA_swap_control";
        }
    }
    if (glext::listHas(extensions, "GLX_SGI_swap_control")) {
        if (auto f = glxProc<SwapInterval>("glXSwapIntervalSGI"); f && f(1) == 0) {
            return "GLX_SGI_swap_control";
        }
    }
    return nullptr;
}

double refreshRateHz() {
    if (gameMode_) {
        return glutGameModeGet(GLUT_GAME_MODE_REFRESH_RATE);
    }
    Display* display = glXGetCurrentDisplay();
    int eventBase = 0;
    int errorBase = 0;
    if (display == nullptr || !XRRQueryExtension(display, &eventBase, &errorBase)) {
        return 0.0;
    }
    XRRScreenConfiguration* config = XRRGetScreenInfo(display, DefaultRootWindow(display));
    if (config == nullptr) {
        return 0.0;
    }
    const short rate = XRRConfigCurrentRate(config);
    XRRFreeScreenConfigInfo(config);
    return rate > 0 ? rate : 0.0;
}

void setGameMode(bool active) { gameMode_ = active; }

bool enterFullScreen() {
    if (gameMode_ || glutGet(GLUT_FULL_SCREEN)) {
        return false;
    }
    glutFullScreen();
    return glutGet(GLUT_WINDOW_WIDTH) != glutGet(GLUT_SCREEN_WIDTH) ||
           glutGet(GLUT_WINDOW_HEIGHT) != glutGet(GLUT_SCREEN_HEIGHT);
}

bool toggleFullScreen() {
    if (gameMode_) {
        return true;
    }
    if (glutGet(GLUT_FULL_SCREEN)) {
        glutLeaveFullScreen();
        glutReshapeWindow(kWindowWidth, kWindowHeight);
        return false;
    }
    glutFullScreen();
    return true;
}

bool fullScreen() { return gameMode_ || glutGet(GLUT_FULL_SCREEN) != 0; }

Focus keyboardFocus() {
    Display* display = glXGetCurrentDisplay();
    if (display == nullptr) {
        return Focus::FollowsPointer;
    }
    Window focus = None;
    int revertTo = 0;
    XGetInputFocus(display, &focus, &revertTo);
    // On the root window (where a closed window's focus goes back to) the keyboard goes to
    // the window under the pointer, as with PointerRoot.
    if (focus == PointerRoot || focus == DefaultRootWindow(display)) {
        return Focus::FollowsPointer;
    }
    return focus == glXGetCurrentDrawable() ? Focus::Ours : Focus::Elsewhere;
}

void waitForEvents(double ms) {
    if (ms <= 0.0) {
        return;
    }
    timespec timeout;
    timeout.tv_sec = static_cast<time_t>(ms / 1000.0);
    timeout.tv_nsec = static_cast<long>((ms - timeout.tv_sec * 1000.0) * 1e6);
    Display* display = glXGetCurrentDisplay();
    if (display == nullptr) {
        nanosleep(&timeout, nullptr);
        return;
    }
    // Requests still buffered (a pointer warp) go out first; events Xlib has already read
    // wait in its queue, not on the connection, so they are looked for there.
    XFlush(display);
    if (XEventsQueued(display, QueuedAlready) > 0) {
        return;
    }
    pollfd connection = {ConnectionNumber(display), POLLIN, 0};
    ppoll(&connection, 1, &timeout, nullptr);
}

}  // namespace gamewindow

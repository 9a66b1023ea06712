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
bool swapKeepsPicture_ = false;
bool bufferAgeKnown_ = false;
// GLX_EXT_buffer_age's query.
constexpr int kGlxBackBufferAge = 0x20F4;
// Probe swaps, each with a colour of its own: a driver that swaps between two or three buffers
// hands back an older one and is found out.
constexpr int kProbeSwaps = 3;

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

void probeSwapKeepsPicture() {
    Display* display = glXGetCurrentDisplay();
    if (display == nullptr) {
        return;
    }
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
    bufferAgeKnown_ = glext::listHas(extensions, "GLX_EXT_buffer_age");
    if (bufferAgeKnown_) {
        return;
    }
    // One pixel, before the first frame: nothing of it is ever seen.
    GLfloat clearColour[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
    glScissor(0, 0, 1, 1);
    glEnable(GL_SCISSOR_TEST);
    bool kept = true;
    for (int i = 0; i < kProbeSwaps && kept; ++i) {
        const unsigned char level = static_cast<unsigned char>(60 + 60 * i);
        glClearColor(level / 255.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glutSwapBuffers();
        unsigned char pixel[4] = {0, 0, 0, 0};
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        kept = pixel[0] == level;
    }
    glDisable(GL_SCISSOR_TEST);
    glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
    swapKeepsPicture_ = kept;
}

bool swapKeepsPicture() {
    if (!bufferAgeKnown_) {
        return swapKeepsPicture_;
    }
    unsigned int age = 0;
    glXQueryDrawable(glXGetCurrentDisplay(), glXGetCurrentDrawable(), kGlxBackBufferAge, &age);
    return age == 1;
}

void setSwapKeepsPicture(bool kept) {
    bufferAgeKnown_ = false;
    swapKeepsPicture_ = kept;
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

// Startup: the game-mode window with its full-screen fallback, and key repeat.
#include "app/Startup.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/XKBlib.h>

#include "framework/GameWindow.h"
#include "render/PictureFrame.h"

namespace startup {
namespace {

constexpr int kWindowWidth = PictureFrame::kWidth;
constexpr int kWindowHeight = PictureFrame::kHeight;

}  // namespace

bool openGameWindow() {
    glutGameModeString("1024x768:32@85");
    // Asking first keeps freeglut from printing a warning on displays that cannot switch modes.
    if (glutGameModeGet(GLUT_GAME_MODE_POSSIBLE)) {
        glutEnterGameMode();
        if (glutGameModeGet(GLUT_GAME_MODE_ACTIVE)) {
            gamewindow::setGameMode(true);
            return true;
        }
    }
    // A 1024 x 768 window, which goes full screen once it shows (a window manager ignores the
    // request for a window it has not put on screen yet); this size is also what Alt+Enter
    // comes back to. At the top-left corner: without a window manager freeglut goes full
    // screen by moving the window back by its own position, as if that were a frame's.
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(kWindowWidth, kWindowHeight);
    glutCreateWindow("Zorblat 1.2");
    return false;
}

void ignoreKeyRepeat() {
    Bool detectable = False;
    if (Display* display = glXGetCurrentDisplay()) {
        XkbSetDetectableAutoRepeat(display, True, &detectable);
    }
    // With detectable auto-repeat a held key sends no made-up releases, and KeyRepeatFilter
    // drops its repeated presses. GLUT's own filter must then stay off: it drops a release
    // whenever the key is down again by the time the release is read, and the next press with
    // it, so a key let go and pressed again while a frame was being drawn was lost.
    glutIgnoreKeyRepeat(detectable ? 0 : 1);
}

void closeGameWindow() {
    if (glutGameModeGet(GLUT_GAME_MODE_ACTIVE)) {
        glutLeaveGameMode();
    }
}

}  // namespace startup

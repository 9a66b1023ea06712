// Startup: the game-mode window with its windowed fallback, and key repeat.
#include "app/Startup.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/XKBlib.h>

#include "render/ScreenSpace.h"

namespace startup {

bool openGameWindow() {
    glutGameModeString("1024x768:32@85");
    // Asking first keeps freeglut from printing a warning on displays that cannot switch modes.
    if (glutGameModeGet(GLUT_GAME_MODE_POSSIBLE)) {
        glutEnterGameMode();
        if (glutGameModeGet(GLUT_GAME_MODE_ACTIVE)) {
            return true;
        }
    }
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(screenspace::kWidth, screenspace::kHeight);
    glutCreateWindow("Zorblat 1.2");
    return false;
}

void ignoreKeyRepeat() {
    glutIgnoreKeyRepeat(1);
    if (Display* display = glXGetCurrentDisplay()) {
        Bool supported = False;
        XkbSetDetectableAutoRepeat(display, True, &supported);
    }
}

void closeGameWindow() {
    if (glutGameModeGet(GLUT_GAME_MODE_ACTIVE)) {
        glutLeaveGameMode();
    }
}

}  // namespace startup

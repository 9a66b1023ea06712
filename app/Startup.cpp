// Startup: resource-directory lookup and the game-mode window with its full-screen fallback.
#include "app/Startup.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/XKBlib.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "app/GameWindow.h"

namespace startup {
namespace {

constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;

bool isDirectory(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string executableDirectory(const char* argv0) {
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    std::string path =
        n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string(argv0 ? argv0 : "");
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

}  // namespace

bool enterResourceDirectory(const char* argv0) {
    if (isDirectory("ressources")) {
        return true;
    }
    const std::string dir = executableDirectory(argv0);
    if (!isDirectory(dir + "/ressources") || chdir(dir.c_str()) != 0) {
        return false;
    }
    return true;
}

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

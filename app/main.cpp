// main: start-up of Zorblat: random seed, GLUT, the game window, the first screen, the loop.
#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "app/Clock.h"
#include "app/PlaceholderScreen.h"
#include "app/ScreenDispatch.h"
#include "app/Startup.h"

namespace {

// The first screen is built once by start-up and destroyed at exit like every other screen.
Screen& firstScreen() {
    static PlaceholderScreen screen;
    return screen;
}

}  // namespace

int main(int argc, char** argv) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    if (!startup::enterResourceDirectory(argc > 0 ? argv[0] : nullptr)) {
        std::fprintf(stderr, "zorblat: no ressources folder here nor next to the game\n");
    }
    {
        gameclock::TimedPart window("window");
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
        startup::openGameWindow();
    }

    Screen& first = firstScreen();
    first.screenSlot = &currentScreen;
    currentScreen = &first;

    registerScreenCallbacks();
    glutSetCursor(GLUT_CURSOR_NONE);
    glutMainLoop();
    return 0;
}

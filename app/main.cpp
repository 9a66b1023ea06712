// main: start-up of Zorblat: random seed, GLUT, the game window, the intro screen, the loop.
#include <GL/freeglut.h>
#include <signal.h>

#include <cstdio>
#include <initializer_list>
#include <string>

#include "app/DataFolders.h"
#include "app/GameAssembly.h"
#include "app/IntroScreen.h"
#include "app/RandomSeed.h"
#include "app/Startup.h"
#include "app/WindowIdentity.h"
#include "framework/EventReport.h"
#include "framework/GameWindow.h"
#include "framework/ScreenDispatch.h"
#include "menus/ExitScreen.h"
#include "menus/MainMenuScreen.h"
#include "menus/Settings.h"
#include "render/Clock.h"

namespace {

// Everything else is built behind the intro's first picture (see GameAssembly).
Screen& buildBehindTheIntro(Screen** slot) { return gameassembly::buildScreens(slot); }

// The first screen is built once by start-up and destroyed at exit like every other screen,
// after all of them.
Screen& introScreen() {
    static IntroScreen screen(&buildBehindTheIntro);
    return screen;
}

// A terminal's Ctrl+C, a kill or a closed session end the game the normal way: the next idle
// step runs the quit path, which saves the settings. Only a flag is set here.
void onEndSignal(int) { requestQuit(); }

void installEndSignalHandlers() {
    struct sigaction action = {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        sigaction(signalNumber, &action, nullptr);
    }
}

// The state every drawing operation expects between draws.
void setDrawingDefaults() {
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_BLEND);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_TEXTURE_2D);
}

}  // namespace

int main(int argc, char** argv) {
    randomseed::seedFromEnvironment();
    eventreport::openFromEnvironment();
    gameclock::stepFromEnvironment();
    // Before any window: without its art the game can only show a black screen.
    std::string settingsFile;
    if (!DataFolders::ofThisProcess(argc > 0 ? argv[0] : nullptr).enterArtFolder(settingsFile)) {
        return 1;
    }
    setConfigPath(settingsFile);
    // Built before any screen, so it is destroyed after all of them.
    videoChoices();
    installEndSignalHandlers();
    setQuitAction(&ExitScreen::quit);
    ExitScreen::setCloseWindowAction(&startup::closeGameWindow);

    {
        gameclock::TimedPart window("window");
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
        if (!startup::openGameWindow()) {
            setFirstShownAction(&gamewindow::enterFullScreen);
        }
    }
    windowidentity::announce();
    // Vsync where the driver offers it; either way play is paced at the display's rate.
    const char* vsync = gamewindow::enableVsync();
    const double refreshHz = gamewindow::refreshRateHz();
    setDisplayRate(refreshHz);
    // Where a swap keeps the picture, the main menu at rest redraws only what moved.
    gamewindow::probeSwapKeepsPicture();
    eventreport::report("pacing vsync=%s refresh=%.0f kept=%d", vsync ? vsync : "none", refreshHz,
                        gamewindow::swapKeepsPicture() ? 1 : 0);
    // Auto-repeat would turn one long Escape in the game into game -> menu -> exit screen ->
    // end, losing the suspended game.
    startup::ignoreKeyRepeat();
    // A window closed by the desktop leaves the loop instead of ending the process at once, so
    // the settings are still saved.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    setDrawingDefaults();

    Screen& first = introScreen();
    first.screenSlot = &currentScreen;
    currentScreen = &first;
    eventreport::report("screen %s", first.name());

    registerScreenCallbacks();
    glutSetCursor(GLUT_CURSOR_NONE);
    glutMainLoop();
    ExitScreen::quit();
    return 1;
}

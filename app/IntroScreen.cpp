// IntroScreen: the loading picture; builds the other screens once it is on screen.
#include "app/IntroScreen.h"

#include "render/Clock.h"

#include <GL/freeglut.h>

#include "app/EventReport.h"
#include "app/ScreenDefaults.h"
#include "app/ScreenDispatch.h"
#include "entities/CursorSparkles.h"
#include "game/GameScreen.h"
#include "menus/ExitScreen.h"
#include "menus/MainMenuScreen.h"
#include "menus/MenuCursor.h"
#include "menus/MenuFrame.h"
#include "render/Texture.h"
#include "render/TextureSets.h"
#include "render/Vector3.h"
#include "sound/SoundManager.h"

namespace {

bool startupPending_ = true;

}  // namespace

IntroScreen::IntroScreen() : background_(std::make_unique<Texture>()) {
    texturesets::loadInterfaceOpaque(*background_, "./ressources/textures/firstMenu.bmp", true);
}

IntroScreen::~IntroScreen() = default;

bool IntroScreen::startupPending() { return startupPending_; }

void IntroScreen::display() {
    if (!background_) {
        return;
    }
    menuframe::beginFrame(*background_);
    const Vector3 p(static_cast<float>(mouseX_), static_cast<float>(768 - mouseY_), 0.0f);
    CursorSparkles::instance().updateAndDraw(p);
    // The very first frame goes out as fast as possible: no cursor texture to load yet.
    if (firstFrameShown_) {
        MenuCursor::instance().draw(p);
    }
    glFlush();
    firstFrameShown_ = true;
    glutSwapBuffers();
}

void IntroScreen::idle() {
    if (startupPending_ && firstFrameShown_) {
        // Building the main menu builds the game screen and loads the settings.
        MainMenuScreen& menu = MainMenuScreen::instance();
        menu.screenSlot = screenSlot;
        GameScreen& game = GameScreen::instance();
        game.screenSlot = screenSlot;
        ExitScreen& exitScreen = ExitScreen::instance();
        startupPending_ = false;
        exitScreen.screenSlot = screenSlot;
        // Everything is loaded: the main menu answers from the next event on.
        gameclock::startupReady();
        eventreport::report("ready");
    }
    SoundManager::instance().update();
    glutPostRedisplay();
}

void IntroScreen::leave() {
    switchScreen(*this, MainMenuScreen::instance());
    // The intro is shown once: its picture has no further use.
    background_.reset();
}

void IntroScreen::mouse(int, int state, int, int) {
    if (state == GLUT_DOWN) {
        SoundManager::instance().playClick();
    }
    // A release alone (a button held since before start-up) leaves as well.
    leave();
}

void IntroScreen::passiveMotion(int x, int y) {
    mouseX_ = x;
    mouseY_ = y;
}

void IntroScreen::motion(int x, int y) { ignoreMotion(x, y); }
void IntroScreen::keyboard(int, int, int) { leave(); }
void IntroScreen::keyboardUp(int key, int x, int y) { ignoreKey(key, x, y); }
void IntroScreen::special(int key, int x, int y) { ignoreSpecial(key, x, y); }
void IntroScreen::specialUp(int key, int x, int y) { ignoreSpecial(key, x, y); }
void IntroScreen::reshape(int width, int height) { reshapePerspective(width, height); }

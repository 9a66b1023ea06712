// IntroScreen: the loading picture; builds the other screens once it is on screen.
#include "app/IntroScreen.h"

#include "render/AssetNames.h"
#include "render/Clock.h"
#include "render/ScreenSpace.h"

#include <GL/freeglut.h>

#include "entities/CursorSparkles.h"
#include "framework/EventReport.h"
#include "framework/ScreenDispatch.h"
#include "menus/MenuCursor.h"
#include "menus/MenuFrame.h"
#include "render/Texture.h"
#include "render/TextureSets.h"
#include "render/Vector3.h"
#include "sound/SoundManager.h"

namespace {

bool startupPending_ = true;

}  // namespace

IntroScreen::IntroScreen(BuildTheRest buildTheRest)
    : buildTheRest_(buildTheRest), background_(std::make_unique<Texture>()) {
    texturesets::loadInterfaceOpaque(*background_, assetnames::kIntroPicture, true);
}

IntroScreen::~IntroScreen() = default;

bool IntroScreen::startupPending() { return startupPending_; }

void IntroScreen::display() {
    if (!background_) {
        return;
    }
    menuframe::beginFrame(*background_);
    const Vector3 p(static_cast<float>(mouseX_), screenspace::spriteYFromWidgetY(mouseY_), 0.0f);
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
        buildTheRestOnce();
    }
    SoundManager::instance().update();
    glutPostRedisplay();
}

void IntroScreen::buildTheRestOnce() {
    if (!startupPending_) {
        return;
    }
    next_ = &buildTheRest_(screenSlot);
    startupPending_ = false;
    // Everything is loaded: the main menu answers from the next event on.
    gameclock::startupReady();
    eventreport::report("ready");
}

void IntroScreen::leave() {
    // A key pressed before the first idle step still finds everything built.
    buildTheRestOnce();
    switchScreen(*this, *next_);
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

void IntroScreen::keyboard(int, int, int) { leave(); }

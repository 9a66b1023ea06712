// ExitScreen: the goodbye picture, and the one way the program ends.
#include "menus/ExitScreen.h"

#include <GL/freeglut.h>

#include <cstdlib>

#include "entities/CursorSparkles.h"
#include "framework/EventReport.h"
#include "menus/MenuCursor.h"
#include "menus/MenuFrame.h"
#include "menus/Settings.h"
#include "render/AssetNames.h"
#include "render/ScreenSpace.h"
#include "render/Texture.h"
#include "render/TextureSets.h"
#include "render/Vector3.h"

namespace {

// The picture is loaded at the first drawing, not at start-up, once for the whole run.
bool pictureNotLoaded = true;
ExitScreen* built = nullptr;
// Leaves the game window (game mode) on the way out; start-up says how.
void (*closeWindowAction)() = nullptr;

}  // namespace

ExitScreen& ExitScreen::instance() {
    static ExitScreen screen;
    return screen;
}

ExitScreen::ExitScreen() : picture_(std::make_unique<Texture>()) { built = this; }

ExitScreen::~ExitScreen() {
    if (built == this) {
        built = nullptr;
    }
}

void ExitScreen::setCloseWindowAction(void (*action)()) { closeWindowAction = action; }

void ExitScreen::quit() {
    // A signal can arrive while a key press is already on its way out.
    static bool ending = false;
    if (ending) {
        return;
    }
    ending = true;
    if (built != nullptr) {
        built->quitting_ = true;
    }
    // Saved first, while every object the settings come from still lives.
    saveConfig();
    if (closeWindowAction != nullptr) {
        closeWindowAction();
    }
    eventreport::report("quit status=1");
    std::exit(1);
}

void ExitScreen::display() {
    if (quitting_) {
        return;
    }
    if (pictureNotLoaded) {
        texturesets::loadInterfaceOpaque(*picture_, assetnames::kGoodbyePicture, true);
        pictureNotLoaded = false;
    }
    menuframe::beginFrame(*picture_);
    const Vector3 p(static_cast<float>(mouseX_), screenspace::spriteYFromWidgetY(mouseY_), 0.0f);
    CursorSparkles::instance().updateAndDraw(p);
    MenuCursor::instance().draw(p);
    glFlush();
    glutSwapBuffers();
}

// No sound update here: a streamed playlist does not move on to its next track any more.
void ExitScreen::idle() { glutPostRedisplay(); }

void ExitScreen::mouse(int, int, int, int) { quit(); }

void ExitScreen::passiveMotion(int x, int y) {
    mouseX_ = x;
    mouseY_ = y;
}

void ExitScreen::keyboard(int, int, int) { quit(); }

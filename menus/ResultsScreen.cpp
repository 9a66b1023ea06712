// ResultsScreen: score, otters destroyed, precision and difficulty of the game that just ended.
#include "menus/ResultsScreen.h"

#include <GL/freeglut.h>

#include "framework/GameSession.h"
#include "framework/KeyCodes.h"
#include "framework/ScreenDefaults.h"
#include "framework/ScreenDispatch.h"
#include "framework/SingleInstance.h"
#include "menus/MainMenuScreen.h"
#include "menus/MenuFrame.h"
#include "render/AssetNames.h"
#include "render/BitmapFont.h"
#include "render/Texture.h"
#include "render/TextureSets.h"
#include "sound/SoundManager.h"

ResultsScreen& ResultsScreen::instance() { return SingleInstance<ResultsScreen>::get(); }

ResultsScreen::ResultsScreen(GameSession& game)
    : game_(game), background_(std::make_unique<Texture>()) {
    texturesets::loadInterfaceTiled(*background_, assetnames::kGround);
}

ResultsScreen::~ResultsScreen() = default;

const char* ResultsScreen::difficultyLine(int difficulty) {
    switch (difficulty) {
        case 5:
            return "Difficulte      : Trop facile";
        case 8:
            return "Difficulte      : Facile";
        case 11:
            return "Difficulte      : Normale";
        case 14:
            return "Difficulte      : Difficile";
        case 17:
            return "Difficulte      : Tres difficile";
        case 20:
            return "Difficulte      : Impossible";
        default:
            return nullptr;
    }
}

void ResultsScreen::display() {
    menuframe::beginFrame(*background_);
    BitmapFont& font = MainMenuScreen::instance().font();
    glEnable(GL_BLEND);
    // Added onto the picture: the glyphs' light parts show, their black cells vanish.
    glBlendFunc(GL_SRC_ALPHA, GL_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    // A smaller virtual screen makes the statistics about twice the menus' text size.
    font.setScreenSize(422, 316);
    font.print(68, 121, "Score           : %d", score_);
    font.print(68, 103, "Loutre detruite : %d", otterKills_);
    font.print(68, 84, "Precision       : %d %%", precision_);
    if (const char* line = difficultyLine(game_.difficulty())) {
        font.print(68, 140, "%s", line);
    }
    // Back to the size every other screen writes at, within this same frame.
    font.setScreenSize(800, 600);
    font.print(0, 546, "echape pour retourner au menu");
    glDisable(GL_BLEND);
    menuframe::endFrame(mouseX_, mouseY_);
}

void ResultsScreen::mouse(int, int state, int, int) {
    // Clicks never leave this screen; they only sound like every menu's.
    if (state == GLUT_DOWN) {
        SoundManager::instance().playClick();
    }
}

void ResultsScreen::passiveMotion(int x, int y) {
    mouseX_ = x;
    mouseY_ = y;
}

void ResultsScreen::keyboard(int key, int, int) {
    if (key != kEscapeKey) {
        return;
    }
    // The main menu draws in the shared perspective view, which the game's last frame may have
    // changed; the whole window again, aspect 1 on the 1024 x 768 screen.
    reshapePerspective(windowWidth(), windowHeight());
    switchScreen(*this, MainMenuScreen::instance());
}

// OptionsMenuScreen: the page between the main menu and the video, audio and game options.
#include "menus/OptionsMenuScreen.h"

#include <GL/freeglut.h>

#include "framework/KeyCodes.h"
#include "framework/ScreenDispatch.h"
#include "menus/AudioOptionsScreen.h"
#include "menus/GameOptionsScreen.h"
#include "menus/MainMenuScreen.h"
#include "menus/MenuButton.h"
#include "menus/MenuFrame.h"
#include "menus/VideoOptionsScreen.h"
#include "render/Texture.h"
#include "sound/SoundManager.h"

OptionsMenuScreen& OptionsMenuScreen::instance() {
    static OptionsMenuScreen screen;
    return screen;
}

OptionsMenuScreen::OptionsMenuScreen()
    : backButton_(MenuButton::create(100, 650, 64, 32, "retour2.bmp", "retour1.bmp")),
      videoButton_(MenuButton::create(256, 150, 512, 64, "optvid2.bmp", "optvid1.bmp")),
      audioButton_(MenuButton::create(256, 350, 512, 64, "optaud2.bmp", "optaud1.bmp")),
      gameButton_(MenuButton::create(256, 550, 512, 64, "optjeu2.bmp", "optjeu1.bmp")) {}

OptionsMenuScreen::~OptionsMenuScreen() = default;

void OptionsMenuScreen::display() {
    menuframe::beginFrame(MainMenuScreen::instance().background());
    // Whatever colour the last screen left would tint the pictures.
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    menuframe::drawButtons(
        {backButton_.get(), videoButton_.get(), audioButton_.get(), gameButton_.get()}, mouseX_,
        mouseY_);
    menuframe::beginTexts();
    menuframe::endTexts();
    menuframe::endFrame(mouseX_, mouseY_);
}

void OptionsMenuScreen::mouse(int, int state, int x, int y) {
    if (state != GLUT_DOWN) {
        return;
    }
    SoundManager::instance().playClick();
    if (backButton_->contains(x, y)) {
        switchScreen(*this, MainMenuScreen::instance());
    }
    if (audioButton_->contains(x, y)) {
        switchScreen(*this, AudioOptionsScreen::instance());
    }
    if (gameButton_->contains(x, y)) {
        switchScreen(*this, GameOptionsScreen::instance());
    }
    if (videoButton_->contains(x, y)) {
        switchScreen(*this, VideoOptionsScreen::instance());
    }
}

void OptionsMenuScreen::passiveMotion(int x, int y) {
    mouseX_ = x;
    mouseY_ = y;
}

void OptionsMenuScreen::keyboardUp(int key, int, int) {
    if (key == kEscapeKey) {
        switchScreen(*this, MainMenuScreen::instance());
    }
}

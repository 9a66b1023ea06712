// VideoOptionsScreen: low-polygon otter, texture quality and filtering, glow level; applied on
// back.
#include "menus/VideoOptionsScreen.h"

#include <GL/freeglut.h>

#include "framework/GameSession.h"
#include "framework/KeyCodes.h"
#include "framework/ScreenDispatch.h"
#include "framework/SingleInstance.h"
#include "menus/MainMenuScreen.h"
#include "menus/MenuButton.h"
#include "menus/MenuFrame.h"
#include "menus/OptionsMenuScreen.h"
#include "menus/Settings.h"
#include "render/BitmapFont.h"
#include "render/Texture.h"
#include "sound/SoundManager.h"

namespace {

const char* const kQualityNames[] = {"Haute", "Bonne", "Moyenne", "Faible"};
const char* const kFilteringNames[] = {"Pas de filtrage", "Lineaire", "Bilineaire", "Trilineaire"};
const char* const kGlowNames[] = {"Desactive", "Moyenne", "Maximum"};

// The name of value within names, or nullptr for a value a hand-edited file put out of range.
template <int N>
const char* nameOf(const char* const (&names)[N], int value) {
    return value >= 0 && value < N ? names[value] : nullptr;
}

// One step up or down within 0..highest; a value already beyond a limit comes back to it.
int stepUp(int value, int highest) { return value >= highest ? highest : value + 1; }
int stepDown(int value) { return value <= 0 ? 0 : value - 1; }

}  // namespace

VideoOptionsScreen& VideoOptionsScreen::instance() {
    return SingleInstance<VideoOptionsScreen>::get();
}

VideoOptionsScreen::VideoOptionsScreen(GameSession& game)
    : game_(game),
      backButton_(MenuButton::create(100, 650, 64, 32, "retour2.bmp", "retour1.bmp")),
      lowQualityCheckBox_(MenuButton::create(100, 250, 16, 16, "check.bmp", "check.bmp")),
      qualityRightArrow_(MenuButton::create(320, 350, 16, 16, "fleched.bmp", "fleched.bmp")),
      qualityLeftArrow_(MenuButton::create(100, 350, 16, 16, "flecheg.bmp", "flecheg.bmp")),
      glowRightArrow_(MenuButton::create(320, 550, 16, 16, "fleched.bmp", "fleched.bmp")),
      glowLeftArrow_(MenuButton::create(100, 550, 16, 16, "flecheg.bmp", "flecheg.bmp")),
      filteringRightArrow_(MenuButton::create(320, 450, 16, 16, "fleched.bmp", "fleched.bmp")),
      filteringLeftArrow_(MenuButton::create(100, 450, 16, 16, "flecheg.bmp", "flecheg.bmp")) {}

VideoOptionsScreen::~VideoOptionsScreen() = default;

void VideoOptionsScreen::display() {
    const VideoChoices& choices = videoChoices();
    menuframe::beginFrame(MainMenuScreen::instance().background());
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    menuframe::drawButtons({backButton_.get(), lowQualityCheckBox_.get(), qualityRightArrow_.get(),
                            qualityLeftArrow_.get(), glowRightArrow_.get(), glowLeftArrow_.get(),
                            filteringRightArrow_.get(), filteringLeftArrow_.get()},
                           mouseX_, mouseY_);
    BitmapFont& font = menuframe::beginTexts();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    font.print(312, 78, "Options video");
    font.print(93, 195, "Loutre basse qualite");
    font.print(265, 273, "Qualite des textures");
    font.print(265, 351, "Filtrage des textures");
    font.print(265, 429, "Qualite du glow");
    if (const char* name = nameOf(kQualityNames, choices.textureQuality)) {
        font.print(93, 273, "%s", name);
    }
    if (const char* name = nameOf(kFilteringNames, choices.textureFiltering)) {
        font.print(93, 351, "%s", name);
    }
    if (const char* name = nameOf(kGlowNames, choices.glowLevel)) {
        font.print(93, 429, "%s", name);
    }
    if (choices.lowQualityOtter) {
        font.print(77, 194, "X");
    }
    menuframe::endTexts();
    menuframe::endFrame(mouseX_, mouseY_);
}

void VideoOptionsScreen::leave(bool apply) {
    switchScreen(*this, OptionsMenuScreen::instance());
    if (apply) {
        // Every time, also when nothing changed: the player may rely on it to reload the world.
        const VideoChoices& choices = videoChoices();
        game_.applyVideoSettings(choices.textureQuality, choices.textureFiltering,
                                 choices.lowQualityOtter);
        game_.setGlowLevel(choices.glowLevel);
    }
    // Saved at once, so a crash later never loses what the player just chose.
    saveConfig();
}

void VideoOptionsScreen::mouse(int, int state, int x, int y) {
    if (state != GLUT_DOWN) {
        return;
    }
    SoundManager::instance().playClick();
    VideoChoices& choices = videoChoices();
    if (backButton_->contains(x, y)) {
        leave(true);
    }
    // A right arrow always moves towards the better picture: quality 0 is the finest.
    if (qualityLeftArrow_->contains(x, y)) {
        choices.textureQuality = stepUp(choices.textureQuality, 3);
    }
    if (qualityRightArrow_->contains(x, y)) {
        choices.textureQuality = stepDown(choices.textureQuality);
    }
    if (glowRightArrow_->contains(x, y)) {
        choices.glowLevel = stepUp(choices.glowLevel, 2);
    }
    if (glowLeftArrow_->contains(x, y)) {
        choices.glowLevel = stepDown(choices.glowLevel);
    }
    if (filteringRightArrow_->contains(x, y)) {
        choices.textureFiltering = stepUp(choices.textureFiltering, 3);
    }
    if (filteringLeftArrow_->contains(x, y)) {
        choices.textureFiltering = stepDown(choices.textureFiltering);
    }
    if (lowQualityCheckBox_->contains(x, y)) {
        choices.lowQualityOtter = !choices.lowQualityOtter;
    }
}

void VideoOptionsScreen::passiveMotion(int x, int y) {
    mouseX_ = x;
    mouseY_ = y;
}

void VideoOptionsScreen::keyboardUp(int key, int, int) {
    if (key == kEscapeKey) {
        leave(false);
    }
}

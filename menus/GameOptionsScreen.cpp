// GameOptionsScreen: difficulty level, inverted vertical mouse and mouse sensitivity.
#include "menus/GameOptionsScreen.h"

#include <GL/freeglut.h>

#include <cmath>

#include "entities/LookTuning.h"
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

struct DifficultyLevel {
    int difficulty;
    const char* name;
    const char* tagline;
    float red, green, blue;
};

// Names keep their leading spaces: they centre the names over the arrows.
const DifficultyLevel kLevels[] = {
    {5, "  Trop Facile", "t'a peur des loutres ?!?!", 0.0f, 1.0f, 0.0f},
    {8, "    Facile", "Pour les petits joueurs", 0.36f, 0.84f, 0.0f},
    {11, "    Normal", "Fait tes preuves...", 0.52f, 0.68f, 0.0f},
    {14, "   Difficile", "Y'a de la loutres au menu ce soir !", 0.68f, 0.52f, 0.0f},
    {17, "Tres difficile", "Pour les hommes, les vrais", 0.84f, 0.36f, 0.0f},
    {20, "  Impossible", "Un chasseur de loutres comme on en voit plus", 1.0f, 0.0f, 0.0f},
};

const DifficultyLevel* levelOf(int difficulty) {
    for (const DifficultyLevel& level : kLevels) {
        if (level.difficulty == difficulty) {
            return &level;
        }
    }
    return nullptr;
}

constexpr int kEasiest = 5;
constexpr int kHardest = 20;
constexpr int kDifficultyStep = 3;
constexpr float kLowestSlider = -5.0f;
constexpr float kHighestSlider = 9.0f;

// The slider's line: both sensitivities from the step, always in the ratio 3 : 2.
double verticalOnLine(double slider) {
    return slider * LookTuning::kVerticalStep + LookTuning::kVerticalAtZero;
}
double horizontalOnLine(double slider) {
    return slider * LookTuning::kHorizontalStep + LookTuning::kHorizontalAtZero;
}

// The slider as the settings file reads it back from a vertical sensitivity.
float sliderFromVertical(float vertical) {
    return static_cast<float>((static_cast<double>(vertical) - LookTuning::kVerticalAtZero) *
                              LookTuning::kStepsPerVertical);
}

}  // namespace

GameOptionsScreen& GameOptionsScreen::instance() {
    return SingleInstance<GameOptionsScreen>::get();
}

GameOptionsScreen::GameOptionsScreen(GameSession& game)
    : game_(game),
      difficultyRightArrow_(MenuButton::create(415, 200, 16, 16, "fleched.bmp", "fleched.bmp")),
      difficultyLeftArrow_(MenuButton::create(200, 200, 16, 16, "flecheg.bmp", "flecheg.bmp")),
      sensitivityRightArrow_(MenuButton::create(605, 300, 16, 16, "fleched.bmp", "fleched.bmp")),
      sensitivityLeftArrow_(MenuButton::create(400, 300, 16, 16, "flecheg.bmp", "flecheg.bmp")),
      backButton_(MenuButton::create(100, 650, 64, 32, "retour2.bmp", "retour1.bmp")),
      invertCheckBox_(MenuButton::create(50, 400, 16, 16, "check.bmp", "check.bmp")) {
    // The marker shows the sensitivity the camera has, read the way the settings file is read
    // back. Without a file the camera's own pair reads as -2, the same as after the first save.
    sensitivitySlider_ = sliderFromVertical(game_.verticalSensitivity());
}

GameOptionsScreen::~GameOptionsScreen() = default;

int GameOptionsScreen::sensitivityMarkerX(float slider) {
    const double x = std::trunc(static_cast<double>(slider) * 10.0 + 370.5);
    // A hand-edited settings file can hold anything; keep the marker a drawable number.
    if (!(x > -100000.0 && x < 100000.0)) {
        return 370;
    }
    return static_cast<int>(x);
}

void GameOptionsScreen::display() {
    GameSession& game = game_;
    menuframe::beginFrame(MainMenuScreen::instance().background());
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    menuframe::drawButtons(
        {difficultyRightArrow_.get(), difficultyLeftArrow_.get(), backButton_.get(),
         sensitivityRightArrow_.get(), sensitivityLeftArrow_.get(), invertCheckBox_.get()},
        mouseX_, mouseY_);
    BitmapFont& font = menuframe::beginTexts();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    font.print(312, 78, "Options du jeu");
    font.print(39, 156, "Difficulte");
    font.print(46, 312, "Inverser souris");
    if (game.mouseDirection() == -1) {
        font.print(38, 312, "X");
    }
    if (const DifficultyLevel* level = levelOf(game.difficulty())) {
        font.print(171, 156, "%s", level->name);
        glColor3f(level->red, level->green, level->blue);
        font.print(343, 156, "%s", level->tagline);
    }
    glColor3f(1.0f, 1.0f, 1.0f);
    if (game.gameSuspended()) {
        font.print(117, 179, "Attention, changer la difficulte relancera la partie en cours");
    }
    font.print(39, 234, "Sensibilitee de la souris");
    font.print(sensitivityMarkerX(sensitivitySlider_), 234, "X");
    menuframe::endTexts();
    menuframe::endFrame(mouseX_, mouseY_);
}

void GameOptionsScreen::stepDifficulty(int step) {
    GameSession& game = game_;
    const int d = game.difficulty();
    // Compared before adding, so a hand-edited extreme value cannot overflow.
    if (step > 0 ? d <= kHardest - kDifficultyStep : d >= kEasiest + kDifficultyStep) {
        game.setDifficulty(d + step * kDifficultyStep);
    }
    // Even at a limit: a game suspended before the change can no longer be resumed.
    game.setGameSuspended(false);
}

void GameOptionsScreen::stepSensitivity(int step) {
    const float s = sensitivitySlider_;
    if (step > 0 ? !(s <= kHighestSlider - 1.0f) : !(s >= kLowestSlider + 1.0f)) {
        return;
    }
    // The camera's first pair (horizontal 0.0018, vertical 0.0012) is not on the slider's
    // line: recomputing the horizontal from the slider alone would turn it the wrong way on the
    // first click. Keeping its distance from the line moves both with the arrow; every pair the
    // slider itself set has no distance, so those follow the line exactly.
    double offset = static_cast<double>(game_.horizontalSensitivity()) - horizontalOnLine(s);
    if (std::fabs(offset) < 1e-6) {
        offset = 0.0;
    }
    sensitivitySlider_ = s + static_cast<float>(step);
    const double next = sensitivitySlider_;
    game_.setVerticalSensitivity(static_cast<float>(verticalOnLine(next)));
    // Never below the slider's own smallest value: a negative one would mirror the mouse.
    const double horizontal = horizontalOnLine(next) + offset;
    game_.setHorizontalSensitivity(static_cast<float>(
        horizontal > horizontalOnLine(kLowestSlider) ? horizontal : horizontalOnLine(next)));
}

void GameOptionsScreen::leave() {
    switchScreen(*this, OptionsMenuScreen::instance());
    // Saved at once, so a crash later never loses what the player just chose.
    saveConfig();
}

void GameOptionsScreen::mouse(int, int state, int x, int y) {
    if (state != GLUT_DOWN) {
        return;
    }
    SoundManager::instance().playClick();
    if (backButton_->contains(x, y)) {
        leave();
    }
    if (difficultyRightArrow_->contains(x, y)) {
        stepDifficulty(+1);
    }
    if (difficultyLeftArrow_->contains(x, y)) {
        stepDifficulty(-1);
    }
    if (sensitivityLeftArrow_->contains(x, y)) {
        stepSensitivity(-1);
    }
    if (sensitivityRightArrow_->contains(x, y)) {
        stepSensitivity(+1);
    }
    if (invertCheckBox_->contains(x, y)) {
        GameSession& game = game_;
        game.setMouseDirection(game.mouseDirection() == -1 ? 1 : -1);
    }
}

void GameOptionsScreen::passiveMotion(int x, int y) {
    mouseX_ = x;
    mouseY_ = y;
}

void GameOptionsScreen::keyboardUp(int key, int, int) {
    if (key == kEscapeKey) {
        leave();
    }
}

// MainMenuScreen: new game, resume, options and quit over the 3D title and the walking otters.
#include "menus/MainMenuScreen.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <cstring>
#include <utility>

#include "entities/CursorSparkles.h"
#include "entities/Otter.h"
#include "framework/EventReport.h"
#include "framework/GameSession.h"
#include "framework/KeyCodes.h"
#include "framework/ScreenDispatch.h"
#include "framework/SingleInstance.h"
#include "menus/ExitScreen.h"
#include "menus/MenuButton.h"
#include "menus/MenuCursor.h"
#include "menus/MenuFrame.h"
#include "menus/OptionsMenuScreen.h"
#include "render/AssetNames.h"
#include "render/BitmapFont.h"
#include "render/Model.h"
#include "render/PictureFrame.h"
#include "render/ScreenSpace.h"
#include "render/Texture.h"
#include "render/TextureSets.h"
#include "render/ToonRenderer.h"
#include "sound/SoundManager.h"

namespace {

const char kCredits[] =
    "Zorblat 1.2 - un jeu de loutres et de blasters, fait avec amour par le studio Zorblat";
// Glyphs advance 10 text units; the line starts again once its last glyph has left the screen.
constexpr float kCreditsWrap = -(static_cast<float>(sizeof kCredits - 1) * 10.0f + 10.0f);
constexpr float kCreditsRestart = 803.0f;

float grownScale(float scale) {
    const float grown = scale + 0.1f;
    return grown > 1.5f ? 1.5f : grown;
}

}  // namespace

MainMenuScreen& MainMenuScreen::instance() { return SingleInstance<MainMenuScreen>::get(); }

MainMenuScreen::MainMenuScreen(GameSession& game) : game_(game) {
    font_ = std::make_unique<BitmapFont>();
    fontTexture_ = std::make_unique<Texture>();
    texturesets::loadInterfaceTiled(*fontTexture_, assetnames::kFont);
    font_->setTexture(fontTexture_->id(), 15, 15);
    font_->setFirstChar(32);
    font_->setGlyphSize(15, 15, 10);
    font_->setScreenSize(800, 600);
    font_->build();

    creditsScroll_ = 300.0f;
    background_ = std::make_unique<Texture>();
    texturesets::loadInterfaceTiled(*background_, assetnames::kMenuBackground);

    otters_ = std::make_unique<Otter[]>(2);
    Otter& a = otters_[0];
    a.place(Vector3(0.0f, 0.0f, 0.0f), 0.0f);
    a.setTarget(Vector3(0.0f, 0.0f, 200.0f));
    a.setWaddleRate(5.0f);
    a.setWaddleAngle(0.0f);
    a.setWaddleLimit(5.0f);
    a.setRenderer(game.renderer());
    a.setModel(game.otterModel());
    a.setScale(grownScale(a.scale()));
    Otter& b = otters_[1];
    b.place(Vector3(220.0f, 0.0f, -80.0f), 0.0f);
    b.tick();
    b.setPosition(Vector3(220.0f, 0.0f, -80.0f));
    b.setTarget(Vector3(-220.0f, 0.0f, -80.0f));
    b.setWaddleRate(10.0f);
    b.setWaddleAngle(0.0f);
    b.setWaddleLimit(5.0f);
    b.setRenderer(game.renderer());
    b.setModel(game.otterModel());
    b.setSpeed(0.02f);
    b.setLife(10);
    b.setScale(grownScale(b.scale()));
    a.tick();

    titleModel_ = std::make_unique<Model>();
    titleModel_->load(assetnames::kTitleModel);
    auto skin = std::make_unique<Texture>();
    texturesets::loadInterfaceOpaque(*skin, assetnames::kTitleSkin, true);
    titleModel_->setTexture(std::move(skin));

    resumeButton_ = MenuButton::create(384, 130, 256, 64, "resume2.bmp", "resume1.bmp");
    newGameButton_ = MenuButton::create(448, 200, 128, 64, "bouton2.bmp", "bouton1.bmp");
    optionsButton_ = MenuButton::create(384, 400, 256, 64, "options2.bmp", "options1.bmp");
    quitButton_ = MenuButton::create(384, 600, 256, 64, "quitter2.bmp", "quitter1.bmp");
}

// The settings are not saved here: by the time static objects are destroyed the screens they
// are read from may be gone. ExitScreen::quit saves them before anything is torn down.
MainMenuScreen::~MainMenuScreen() = default;

const char* MainMenuScreen::creditsLine() { return kCredits; }
float MainMenuScreen::creditsWrap() { return kCreditsWrap; }

const Otter& MainMenuScreen::otter(int index) const { return otters_[index]; }

bool MainMenuScreen::resumeAvailable() const { return game_.gameSuspended(); }

void MainMenuScreen::display() {
    drawFrame();
    glFlush();
    glutSwapBuffers();
}

void MainMenuScreen::drawFrame() {
    GameSession& game = game_;
    // The video options may have swapped the otter model since the last frame.
    otters_[0].setModel(game.otterModel());
    otters_[1].setModel(game.otterModel());
    const Vector3 p(static_cast<float>(mouseX_), screenspace::spriteYFromWidgetY(mouseY_), 100.0f);

    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(0.0, 0.0, 100.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    glEnable(GL_TEXTURE_2D);
    menuframe::drawBackground(*background_);

    drawTitleAndOtters(game);
    drawButtonsAndTexts(game);

    CursorSparkles::instance().updateAndDraw(p);
    MenuCursor::instance().draw(p);
}

// The 3D title and the otters, lit by a light that follows the mouse.
void MainMenuScreen::drawTitleAndOtters(GameSession& game) {
    // The light sweeps +-90 units across the scene with the mouse.
    glColor3f(1.0f, 1.0f, 1.0f);
    light_.set(static_cast<float>((mouseX_ - PictureFrame::kWidth / 2) * 0.0009765625 * 180.0),
               static_cast<float>(((PictureFrame::kHeight - mouseY_) - PictureFrame::kHeight / 2) *
                                  0.0013020833721384406 * 180.0),
               100.0f);

    glPushMatrix();
    glTranslatef(0.0f, 70.0f, -5.0f);
    glScalef(2.0f, 2.0f, 2.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    if (ToonRenderer* renderer = game.renderer()) {
        renderer->draw(titleModel_.get(),
                       Vector3(light_.x(), light_.y() - 70.0f, light_.z() + 5.0f));
    }
    glPopMatrix();

    // Otter A is one otter posed on both sides of the title.
    Otter& a = otters_[0];
    a.setLight(&light_);
    a.tick();
    a.update();
    a.setPosition(Vector3(-88.0f, -90.0f, -10.0f));
    glColor3f(1.0f, 1.0f, 1.0f);
    a.draw(false);
    a.setPosition(Vector3(88.0f, -90.0f, -10.0f));
    glColor3f(1.0f, 1.0f, 1.0f);
    a.draw(false);

    // Otter B walks back and forth behind them.
    Otter& b = otters_[1];
    Vector3 at = b.position();
    if (at.x() > 218.0f) {
        at.setComponent(0, 218.0f);
        b.setPosition(at);
        b.setTarget(Vector3(-220.0f, 0.0f, -80.0f));
    }
    if (at.x() < -218.0f) {
        at.setComponent(0, -218.0f);
        b.setPosition(at);
        b.setTarget(Vector3(220.0f, 0.0f, -80.0f));
    }
    b.setLight(&light_);
    b.steer();
    b.update();
    glColor3f(1.0f, 1.0f, 1.0f);
    b.draw(false);
}

// The buttons over the scene, then the version and the scrolling credits.
void MainMenuScreen::drawButtonsAndTexts(GameSession& game) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 0.75f);
    newGameButton_->draw(mouseX_, mouseY_);
    quitButton_->draw(mouseX_, mouseY_);
    optionsButton_->draw(mouseX_, mouseY_);
    if (game.gameSuspended()) {
        resumeButton_->draw(mouseX_, mouseY_);
    }

    glDisable(GL_ALPHA_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_SRC_ALPHA);
    glColor4f(0.5f, 0.25f, 0.25f, 1.0f);
    font_->print(0, 0, "Zorblat 1.2");
    glColor4f(0.25f, 0.25f, 0.25f, 1.0f);
    font_->print(static_cast<int>(creditsScroll_), 580, "%s", kCredits);
    glDisable(GL_BLEND);
}

void MainMenuScreen::idle() {
    SoundManager::instance().update();
    // Tied to the idle rate on purpose: the line drifts, it does not keep time.
    creditsScroll_ -= 0.05f;
    if (creditsScroll_ < kCreditsWrap) {
        creditsScroll_ = kCreditsRestart;
    }
    glutPostRedisplay();
}

void MainMenuScreen::mouse(int, int state, int x, int y) {
    if (state == GLUT_DOWN) {
        SoundManager::instance().playClick();
        // The quit button acts on the release, and only for a click that began on it: the
        // click that leaves the intro is released here and must not quit by landing on it.
        quitPressed_ = quitButton_->contains(x, y);
        GameSession& game = game_;
        if (newGameButton_->contains(x, y)) {
            game.newGame();
            switchScreen(*this, game.screen());
        }
        if (optionsButton_->contains(x, y)) {
            switchScreen(*this, OptionsMenuScreen::instance());
        }
        if (game.gameSuspended() && resumeButton_->contains(x, y)) {
            eventreport::report("game-resumed");
            switchScreen(*this, game.screen());
            game.restartClocks();
            return;
        }
        return;
    }
    const bool pressedOnQuit = quitPressed_;
    quitPressed_ = false;
    if (pressedOnQuit && quitButton_->contains(x, y)) {
        switchScreen(*this, ExitScreen::instance());
    }
}

void MainMenuScreen::passiveMotion(int x, int y) {
    mouseX_ = x;
    mouseY_ = y;
}

void MainMenuScreen::motion(int x, int y) {
    mouseX_ = x;
    mouseY_ = y;
}

void MainMenuScreen::keyboard(int key, int, int) {
    if (key == kEscapeKey) {
        switchScreen(*this, ExitScreen::instance());
    }
}

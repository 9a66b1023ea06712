// MainMenuScreen: new game, resume, options and quit over the 3D title and the walking otters.
#include "menus/MainMenuScreen.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "entities/CursorSparkles.h"
#include "entities/Otter.h"
#include "framework/EventReport.h"
#include "framework/GameSession.h"
#include "framework/GameWindow.h"
#include "framework/KeyCodes.h"
#include "framework/ScreenDispatch.h"
#include "framework/SingleInstance.h"
#include "menus/ExitScreen.h"
#include "menus/MainMenuOtters.h"
#include "menus/MenuButton.h"
#include "menus/MenuCursor.h"
#include "menus/MenuFrame.h"
#include "menus/OptionsMenuScreen.h"
#include "render/AssetNames.h"
#include "render/BitmapFont.h"
#include "render/Clock.h"
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
// The credits' glyphs end 25.6 picture pixels above the bottom edge; the title text's eleven
// glyphs, on the top line, reach 147.2 pixels across (glyph cells are 15 text units, 19.2
// pixels, square, and advance 12.8 pixels).
constexpr float kCreditsTop = 28.0f;
constexpr float kTitleTextWidth = 152.0f;
constexpr float kTextLineHeight = 22.0f;
// The cursor sprite's side, and how far a spinning 32-pixel sparkle reaches from its centre.
constexpr float kCursorSide = 32.0f;
constexpr float kSparkleReach = 23.0f;

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

    otters_ = std::make_unique<MainMenuOtters>(game);

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

const Otter& MainMenuScreen::otter(int index) const { return otters_->otter(index); }

bool MainMenuScreen::resumeAvailable() const { return game_.gameSuspended(); }

void MainMenuScreen::display() {
    drawFrame();
    glFlush();
    glutSwapBuffers();
}

void MainMenuScreen::forgetDrawnPicture() {
    scene_.invalidate();
    overlay_.invalidate();
}

// At rest only the otters, the credits and the sparkles move: the rest of the picture is kept
// in two copies, the background with the lit title and that with the otters, buttons and texts
// over it. The title is drawn again only when the mouse moves the light. Where the back buffer
// keeps the frame last shown, a frame draws again only the parts that changed: the otters that
// stepped, the credits when they move by a whole text unit, the sparkles; elsewhere the kept
// copy is shown whole. The title stands above every otter's path, so otters drawn over its copy
// are hidden by nothing it would have hidden.
void MainMenuScreen::drawFrame() {
    GameSession& game = game_;
    // The video options may have swapped the otter model since the last frame.
    otters_->setModel(game.otterModel());
    const Vector3 p(static_cast<float>(mouseX_), screenspace::spriteYFromWidgetY(mouseY_), 100.0f);
    // The light sweeps +-90 units across the scene with the mouse.
    light_.set(static_cast<float>((mouseX_ - PictureFrame::kWidth / 2) * 0.0009765625 * 180.0),
               static_cast<float>(((PictureFrame::kHeight - mouseY_) - PictureFrame::kHeight / 2) *
                                  0.0013020833721384406 * 180.0),
               100.0f);

    glLoadIdentity();
    gluLookAt(0.0, 0.0, 100.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    glEnable(GL_TEXTURE_2D);

    const SceneKey scene{mouseX_, mouseY_, game.renderer()};
    const OverlayKey overlay{static_cast<int>(creditsScroll_), game.gameSuspended(),
                             game.otterModel()};
    // While the mouse moves every frame is drawn whole: the copies are taken once it rests.
    const bool moving = scene != lastScene_;
    lastScene_ = scene;
    if (moving) {
        forgetDrawnPicture();
    }
    const bool sceneChanged = !scene_.valid() || scene != sceneKey_;
    if (!scene_.valid()) {
        // A new window size (or any loss of the copies) may leave anything beside the
        // picture: the bars are made black again with the first whole frame.
        screenspace::clearBars();
    }
    const bool kept = gamewindow::swapKeepsPicture();
    const WindowRect picture = WindowRect::picture();
    const WindowRect walkerBefore = otters_->area(2);
    const bool posedMoved = otters_->stepPosed();
    const bool walkerMoved = otters_->stepWalker();

    // The parts of the picture under the sparkles to draw again.
    WindowRect parts[MainMenuOtters::kDrawings + 1];
    int count = 0;
    if (sceneChanged || !overlay_.valid() || overlay.resume != overlayKey_.resume ||
        overlay.otterModel != overlayKey_.otterModel) {
        parts[count++] = picture;
    } else {
        if (posedMoved) {
            parts[count++] = otters_->area(0);
            parts[count++] = otters_->area(1);
        }
        if (walkerMoved) {
            parts[count++] = walkerBefore.united(otters_->area(2));
        }
        if (overlay.creditsX != overlayKey_.creditsX) {
            parts[count++] = WindowRect::fromPicture(0.0f, 0.0f, PictureFrame::kWidth, kCreditsTop);
        }
        if (count > 0 && !kept) {
            parts[0] = picture;
            count = 1;
        }
    }
    overlayKey_ = overlay;

    for (int i = 0; i < count; ++i) {
        const WindowRect part = parts[i].clippedTo(picture);
        if (part.empty()) {
            continue;
        }
        if (sceneChanged) {
            drawBackgroundAndTitle(game);
            if (!moving) {
                scene_.capture();
                sceneKey_ = scene;
            }
        } else {
            part.scissor();
            scene_.draw();
            glClear(GL_DEPTH_BUFFER_BIT);
        }
        otters_->draw(part, &light_);
        drawButtonsAndTexts(game, part);
        if (!moving && part.contains(picture)) {
            overlay_.capture();
        } else {
            overlay_.capture(part);  // nothing while moving: the copy is not valid then
        }
        WindowRect::endScissor();
    }

    // The sparkles and the cursor of the last frame go, over what lies under them now: the
    // pixels they did not touch already show it.
    const bool redrawnWhole = count > 0 && parts[0].contains(picture);
    if (!redrawnWhole) {
        const int restores = kept ? lastSparkleCount_ : 1;
        for (int i = 0; i < restores; ++i) {
            (kept ? lastSparkles_[i].clippedTo(picture) : picture).scissor();
            overlay_.draw();
        }
        WindowRect::endScissor();
    }
    lastSparkleCount_ = sparkleAreas(p, lastSparkles_);
    CursorSparkles::instance().updateAndDraw(p);
    MenuCursor::instance().draw(p);
    WindowRect::endScissor();
}

void MainMenuScreen::drawBackgroundAndTitle(GameSession& game) {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    menuframe::drawBackground(*background_);

    glColor3f(1.0f, 1.0f, 1.0f);
    glPushMatrix();
    glTranslatef(0.0f, 70.0f, -5.0f);
    glScalef(2.0f, 2.0f, 2.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    if (ToonRenderer* renderer = game.renderer()) {
        renderer->draw(titleModel_.get(),
                       Vector3(light_.x(), light_.y() - 70.0f, light_.z() + 5.0f));
    }
    glPopMatrix();
}

namespace {

// Adds a rectangle to a list, into one it overlaps if any (fewer, larger rectangles: each
// costs a draw of its own).
void addArea(WindowRect* areas, int& count, const WindowRect& r) {
    for (int i = 0; i < count; ++i) {
        if (areas[i].intersects(r)) {
            areas[i] = areas[i].united(r);
            return;
        }
    }
    areas[count++] = r;
}

WindowRect aroundPoint(float x, float y, float reach) {
    return WindowRect::fromPicture(x - reach, y - reach, x + reach, y + reach).grown(1);
}

}  // namespace

int MainMenuScreen::sparkleAreas(const Vector3& cursor, WindowRect* areas) const {
    int count = 0;
    // The cursor sprite hangs from the cursor point, where a sparkle emitted now starts too.
    addArea(areas, count,
            aroundPoint(cursor.x(), cursor.y(), kSparkleReach)
                .united(WindowRect::fromPicture(cursor.x(), cursor.y() - kCursorSide,
                                                cursor.x() + kCursorSide, cursor.y())
                            .grown(1)));
    const CursorSparkles& sparkles = CursorSparkles::instance();
    for (int i = 0; i < CursorSparkles::kCount; ++i) {
        const CursorSparkles::Sparkle& s = sparkles.sparkle(i);
        if (s.alive) {
            addArea(areas, count, aroundPoint(s.position.x(), s.position.y(), kSparkleReach));
        }
    }
    return count;
}

// The buttons over the scene, then the version and the scrolling credits.
namespace {

// Whether a widget-space rectangle (y down) has pixels within `part`.
bool meets(const WindowRect& part, float left, float top, float width, float height) {
    const float bottom = static_cast<float>(PictureFrame::kHeight) - top - height;
    return WindowRect::fromPicture(left, bottom, left + width, bottom + height)
        .grown(1)
        .intersects(part);
}

bool meets(const WindowRect& part, const MenuButton& button) {
    return meets(part, static_cast<float>(button.left()), static_cast<float>(button.top()),
                 static_cast<float>(button.width()), static_cast<float>(button.height()));
}

}  // namespace

// Only what has pixels within `part` is drawn: the rest would be cut away by the scissor.
void MainMenuScreen::drawButtonsAndTexts(GameSession& game, const WindowRect& part) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 0.75f);
    for (const MenuButton* button :
         {newGameButton_.get(), quitButton_.get(), optionsButton_.get()}) {
        if (meets(part, *button)) {
            button->draw(mouseX_, mouseY_);
        }
    }
    if (game.gameSuspended() && meets(part, *resumeButton_)) {
        resumeButton_->draw(mouseX_, mouseY_);
    }

    glDisable(GL_ALPHA_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_SRC_ALPHA);
    if (meets(part, 0.0f, 0.0f, kTitleTextWidth, kTextLineHeight)) {
        glColor4f(0.5f, 0.25f, 0.25f, 1.0f);
        font_->print(0, 0, "Zorblat 1.2");
    }
    if (meets(part, 0.0f, static_cast<float>(PictureFrame::kHeight) - kCreditsTop,
              static_cast<float>(PictureFrame::kWidth), kCreditsTop)) {
        glColor4f(0.25f, 0.25f, 0.25f, 1.0f);
        font_->print(static_cast<int>(creditsScroll_), 580, "%s", kCredits);
    }
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
            leaveFor(game.screen());
        }
        if (optionsButton_->contains(x, y)) {
            leaveFor(OptionsMenuScreen::instance());
        }
        if (game.gameSuspended() && resumeButton_->contains(x, y)) {
            eventreport::report("game-resumed");
            leaveFor(game.screen());
            game.restartClocks();
            return;
        }
        return;
    }
    const bool pressedOnQuit = quitPressed_;
    quitPressed_ = false;
    if (pressedOnQuit && quitButton_->contains(x, y)) {
        leaveFor(ExitScreen::instance());
    }
}

// A new size may leave anything in the back buffer, even where the picture stays.
void MainMenuScreen::reshape(int width, int height) {
    MenuScreen::reshape(width, height);
    forgetDrawnPicture();
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
        leaveFor(ExitScreen::instance());
    }
}

void MainMenuScreen::leaveFor(Screen& to) {
    forgetDrawnPicture();
    switchScreen(*this, to);
}

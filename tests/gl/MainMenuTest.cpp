// Main menu: which press or release leaves for which screen, the resume button's presence, and
// the kept picture showing what a whole frame would.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "app/GameAssembly.h"
#include "entities/Otter.h"
#include "framework/GameWindow.h"
#include "framework/ScreenDispatch.h"
#include "game/GameScreen.h"
#include "menus/ExitScreen.h"
#include "menus/MainMenuOtters.h"
#include "menus/MainMenuScreen.h"
#include "render/Clock.h"
#include "sound/SoundManager.h"
#include "tests/support/FakeAudioBackend.h"
#include "tests/support/GlContext.h"

namespace {

class MainMenuTest : public gltest::GlTest {
protected:
    void SetUp() override {
        gltest::GlTest::SetUp();
        FakeAudioBackend::forInstance();
        menu = &gameassembly::buildScreens();
        slot = menu;
        menu->screenSlot = &slot;
        GameScreen::instance().setGameSuspended(false);
    }
    void TearDown() override {
        GameScreen::instance().setGameSuspended(false);
        gltest::GlTest::TearDown();
    }

    // Mean brightness of the resume button's area in the frame the menu just showed.
    int resumeAreaBrightness() {
        menu->drawFrame();
        // What every drawing expects between draws.
        EXPECT_TRUE(gltest::isEnabled(GL_DEPTH_TEST));
        EXPECT_EQ(gltest::getInteger(GL_DEPTH_FUNC), GL_LEQUAL);
        EXPECT_FALSE(gltest::isEnabled(GL_BLEND));
        EXPECT_FALSE(gltest::isEnabled(GL_ALPHA_TEST));
        EXPECT_TRUE(gltest::isEnabled(GL_TEXTURE_2D));
        // Widget (384..640, 130..194) is window rows 574..638 counted from the bottom.
        const std::vector<uint8_t> rgb = gltest::readRgb(400, 584, 224, 44);
        long sum = 0;
        for (uint8_t c : rgb) {
            sum += c;
        }
        return static_cast<int>(sum / static_cast<long>(rgb.size()));
    }

    MainMenuScreen* menu = nullptr;
    Screen* slot = nullptr;
};

TEST_F(MainMenuTest, QuitActsOnTheReleaseOfAPressThatBeganOnIt) {
    const int qx = 512, qy = 632;  // the quit button's middle
    // The release of the click that left the intro arrives alone.
    menu->mouse(GLUT_LEFT_BUTTON, GLUT_UP, qx, qy);
    EXPECT_EQ(slot, menu);
    menu->mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 100, 100);
    menu->mouse(GLUT_LEFT_BUTTON, GLUT_UP, qx, qy);
    EXPECT_EQ(slot, menu) << "pressed elsewhere, released on quit";
    menu->mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, qx, qy);
    menu->mouse(GLUT_LEFT_BUTTON, GLUT_UP, 100, 100);
    EXPECT_EQ(slot, menu) << "pressed on quit, dragged off";
    menu->mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, qx, qy);
    EXPECT_EQ(slot, menu) << "the press alone does not quit";
    menu->mouse(GLUT_LEFT_BUTTON, GLUT_UP, qx, qy);
    EXPECT_EQ(slot, &ExitScreen::instance());

    // Escape leaves on the press; its release changes nothing more.
    slot = menu;
    menu->keyboardUp(27, 0, 0);
    EXPECT_EQ(slot, menu);
    menu->keyboard(27, 0, 0);
    EXPECT_EQ(slot, &ExitScreen::instance());
    EXPECT_FALSE(ExitScreen::instance().quitting());
}

TEST_F(MainMenuTest, ResumeIsNeitherDrawnNorClickableUntilAGameIsSuspended) {
    const int rx = 512, ry = 162;  // the resume button's middle
    const int without = resumeAreaBrightness();
    menu->mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, rx, ry);
    menu->mouse(GLUT_LEFT_BUTTON, GLUT_UP, rx, ry);
    EXPECT_EQ(slot, menu);

    GameScreen& game = GameScreen::instance();
    game.setGameSuspended(true);
    const int with = resumeAreaBrightness();
    EXPECT_GT(with, without + 20) << "the button is drawn over the dark sky";
    menu->mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, rx, ry);
    EXPECT_EQ(slot, &game);
    EXPECT_TRUE(game.gameSuspended()) << "resuming keeps the same game";
}

// Each turn of the walking otter reverses its heading, which passes through zero length; many
// turns later both otters must still have a place and a facing to draw with.
TEST_F(MainMenuTest, WalkingOtterKeepsAFinitePlaceAndFacingOverManyTurns) {
    int now = gameclock::elapsedMs();
    gameclock::setSource([&now] { return now; });
    const Otter& walker = menu->otter(1);
    float lastTargetX = walker.target().x();
    int turns = 0;
    for (int frame = 0; frame < 200 && turns < 4; ++frame) {
        now += 1000;  // 20 units of walk a frame
        menu->display();
        for (int i : {0, 1}) {
            const Otter& otter = menu->otter(i);
            const Vector3& p = otter.position();
            ASSERT_TRUE(std::isfinite(p.x()) && std::isfinite(p.y()) && std::isfinite(p.z()) &&
                        std::isfinite(otter.facing()))
                << "otter " << i << " at frame " << frame;
        }
        ASSERT_LE(std::fabs(walker.position().x()), 240.0f) << "frame " << frame;
        if (walker.target().x() != lastTargetX) {
            lastTargetX = walker.target().x();
            ++turns;
        }
    }
    gameclock::setSource({});
    EXPECT_EQ(turns, 4);
}

// At rest a frame draws only what changed over the picture the last one left; after every
// kind of change that picture must be the one a whole frame draws. Compared is a frame after
// the change, once the sparkles have moved on from where an earlier frame drew them.
TEST_F(MainMenuTest, KeptPictureMatchesAWholeFrameAfterEachChange) {
    int now = gameclock::elapsedMs();
    gameclock::setSource([&now] { return now; });
    GameScreen& game = GameScreen::instance();
    // The walker in the middle of the screen, so that its steps show.
    for (int frame = 0; frame < 100 && std::fabs(menu->otter(1).position().x()) > 60.0f; ++frame) {
        now += 500;
        menu->drawFrame();
    }
    // Frames here are never swapped: the back buffer keeps the last one, as after a copying swap.
    for (bool kept : {true, false}) {
        // The full window, and a picture between bars (the window taller than 4:3).
        for (int height : {768, 700}) {
            gamewindow::setSwapKeepsPicture(kept);
            setWindowSize(1024, height);
            menu->reshape(1024, height);
            menu->passiveMotion(700, 650);
            menu->forgetDrawnPicture();
            menu->drawFrame();
            const auto check = [&](const char* change) {
                now += 1;  // the sparkles move on (no otter steps), then stand still
                menu->drawFrame();
                menu->drawFrame();
                const std::vector<uint8_t> shown = gltest::readRgb(0, 0, 1024, 768);
                menu->forgetDrawnPicture();
                menu->drawFrame();
                const std::vector<uint8_t> whole = gltest::readRgb(0, 0, 1024, 768);
                int differing = 0;
                for (size_t i = 0; i < shown.size(); ++i) {
                    differing += std::abs(shown[i] - whole[i]) > 2 ? 1 : 0;
                }
                EXPECT_EQ(differing, 0) << change << ", kept " << kept << ", height " << height;
            };
            check("nothing");
            now += MainMenuOtters::kWalkingStepMs;
            menu->drawFrame();
            check("the walking otter stepped");
            now += 1000;  // a slow second: both step, the walker by 20 units
            menu->drawFrame();
            check("both otters stepped");
            const int creditsX = static_cast<int>(menu->creditsScroll());
            while (static_cast<int>(menu->creditsScroll()) == creditsX) {
                menu->idle();
            }
            menu->drawFrame();
            check("the credits moved");
            menu->passiveMotion(300, 240);
            menu->drawFrame();
            check("the mouse moved");
            menu->motion(520, 230);  // dragged onto the new game button
            menu->drawFrame();
            check("the mouse was dragged");
            game.setGameSuspended(true);
            menu->drawFrame();
            check("the resume button appeared");
            game.setGameSuspended(false);
        }
    }
    setWindowSize(1024, 768);
    menu->reshape(1024, 768);
    gamewindow::setSwapKeepsPicture(false);
    gameclock::setSource({});
}

}  // namespace

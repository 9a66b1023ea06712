// Options and results screens: what each widget and key changes, at and beyond its limits.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "entities/Weapon.h"
#include "game/GameScreen.h"
#include "menus/AudioOptionsScreen.h"
#include "menus/GameOptionsScreen.h"
#include "menus/MainMenuScreen.h"
#include "menus/OptionsMenuScreen.h"
#include "menus/ResultsScreen.h"
#include "menus/Settings.h"
#include "menus/VideoOptionsScreen.h"
#include "sound/SoundManager.h"
#include "tests/support/FakeAudioBackend.h"
#include "tests/support/GlContext.h"

namespace {

FakeAudioBackend* fakeAudio = nullptr;

class OptionsRulesTest : public gltest::GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        auto fake = std::make_unique<FakeAudioBackend>();
        FakeAudioBackend* raw = fake.get();
        if (SoundManager::useBackendForInstance(std::move(fake))) {
            fakeAudio = raw;
        }
        // Leaving a screen saves the settings into the working folder; keep what was there.
        hadConfig_ = std::rename("config.cfg", "config.cfg.keep") == 0;
    }
    void TearDown() override {
        std::remove("config.cfg");
        if (hadConfig_) {
            std::rename("config.cfg.keep", "config.cfg");
        }
        GlTest::TearDown();
    }
    // Makes screen current in a slot of the test's own.
    Screen& enter(Screen& screen) {
        slot_ = &screen;
        screen.screenSlot = &slot_;
        return screen;
    }
    // A full click (press and release) at the middle of the widget at (left, top).
    static void click(Screen& screen, int left, int top, int size = 16) {
        screen.mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, left + size / 2, top + size / 2);
        screen.mouse(GLUT_LEFT_BUTTON, GLUT_UP, left + size / 2, top + size / 2);
    }
    // The difficulty the last save wrote first, or -1 when nothing was saved.
    static int savedDifficulty() {
        int32_t d = -1;
        if (FILE* f = std::fopen("config.cfg", "rb")) {
            EXPECT_EQ(std::fread(&d, 4, 1, f), 1u);
            std::fclose(f);
        }
        return d;
    }

    Screen* slot_ = nullptr;
    bool hadConfig_ = false;
};

TEST_F(OptionsRulesTest, DifficultyStepsWithinTheLevelsAndWithdrawsTheSuspendedGame) {
    GameScreen& game = GameScreen::instance();
    Screen& screen = enter(GameOptionsScreen::instance());
    struct Case {
        int from, arrowLeft;
        std::vector<int> expected;
    };
    for (const Case& c :
         {Case{11, 415, {14, 17, 20, 20}}, Case{5, 200, {5}}, Case{6, 415, {9, 12, 15, 18, 18}},
          Case{6, 200, {6}}, Case{INT_MAX, 415, {INT_MAX}}, Case{INT_MIN, 200, {INT_MIN}}}) {
        game.setDifficulty(c.from);
        for (int expected : c.expected) {
            game.setGameSuspended(true);
            click(screen, c.arrowLeft, 200);
            EXPECT_EQ(game.difficulty(), expected) << "from " << c.from;
            EXPECT_FALSE(game.gameSuspended());
        }
    }
    game.setDifficulty(11);
}

TEST_F(OptionsRulesTest, SensitivityFollowsTheSliderAndItsMarker) {
    Camera& camera = GameScreen::instance().weapon();
    GameOptionsScreen& screen = GameOptionsScreen::instance();
    enter(screen);
    screen.setSensitivitySlider(0.0f);
    camera.setVerticalSensitivity(0.0018f);
    camera.setHorizontalSensitivity(0.0012f);
    for (int i = 0; i < 6; ++i) {
        click(screen, 400, 300);
    }
    EXPECT_EQ(screen.sensitivitySlider(), -5.0f);
    EXPECT_EQ(camera.verticalSensitivity(), float(-5 * 0.0003 + 0.0018));
    EXPECT_EQ(camera.horizontalSensitivity(), float(-5 * 0.0002 + 0.0012));
    for (int i = 0; i < 15; ++i) {
        click(screen, 605, 300);
    }
    EXPECT_EQ(screen.sensitivitySlider(), 9.0f);
    EXPECT_EQ(camera.verticalSensitivity(), float(9 * 0.0003 + 0.0018));
    EXPECT_EQ(camera.horizontalSensitivity(), float(9 * 0.0002 + 0.0012));

    // A slider read back from a saved vertical sensitivity puts the marker where s does.
    for (int s = -5; s <= 9; ++s) {
        const float saved = float(0.0018 + 0.0003 * s);
        const float loaded = float((double(saved) - 0.0018) * 3333.3333333333335);
        EXPECT_NEAR(loaded, s, 1e-6);
        EXPECT_EQ(GameOptionsScreen::sensitivityMarkerX(float(s)), 370 + 10 * s);
        EXPECT_EQ(GameOptionsScreen::sensitivityMarkerX(loaded), 370 + 10 * s);
    }
    EXPECT_EQ(GameOptionsScreen::sensitivityMarkerX(std::nanf("")), 370);

    // The camera's first pair reads as -2, and either arrow moves both values its way.
    camera.setHorizontalSensitivity(0.0018f);
    camera.setVerticalSensitivity(0.0012f);
    GameOptionsScreen fresh;
    fresh.screenSlot = &slot_;
    EXPECT_EQ(GameOptionsScreen::sensitivityMarkerX(fresh.sensitivitySlider()), 350);
    click(fresh, 605, 300);
    EXPECT_GT(camera.verticalSensitivity(), 0.0012f);
    EXPECT_GT(camera.horizontalSensitivity(), 0.0018f);
    click(fresh, 400, 300);
    click(fresh, 400, 300);
    EXPECT_LT(camera.verticalSensitivity(), 0.0012f);
    EXPECT_LT(camera.horizontalSensitivity(), 0.0018f);
    for (int i = 0; i < 5; ++i) {
        click(fresh, 400, 300);
    }
    EXPECT_GT(camera.horizontalSensitivity(), 0.0f);
}

TEST_F(OptionsRulesTest, InvertBoxTogglesAndEscapeLeavesOnReleaseSaving) {
    GameScreen& game = GameScreen::instance();
    Screen& screen = enter(GameOptionsScreen::instance());
    game.setMouseDirection(1);
    click(screen, 50, 400);
    EXPECT_EQ(game.mouseDirection(), -1);
    click(screen, 50, 400);
    EXPECT_EQ(game.mouseDirection(), 1);

    game.setDifficulty(14);
    screen.keyboard(27, 0, 0);
    EXPECT_EQ(slot_, &screen);
    EXPECT_EQ(savedDifficulty(), -1);
    screen.keyboardUp(27, 0, 0);
    EXPECT_EQ(slot_, &OptionsMenuScreen::instance());
    EXPECT_EQ(savedDifficulty(), 14);
    game.setDifficulty(11);
}

TEST_F(OptionsRulesTest, VolumesStepByTenWithinTheScaleAndTheMusicBoxToggles) {
    SoundManager& sound = SoundManager::instance();
    Screen& screen = enter(AudioOptionsScreen::instance());
    sound.setEffectsVolume(100);
    std::vector<int> heard;
    for (int i = 0; i < 18; ++i) {
        click(screen, 500, 300);
        heard.push_back(sound.effectsVolume());
    }
    EXPECT_EQ(heard[14], 250);
    EXPECT_EQ(heard[15], 255);
    EXPECT_EQ(heard[17], 255);
    sound.setMusicVolume(5);
    click(screen, 400, 400);
    EXPECT_EQ(sound.musicVolume(), 0);
    click(screen, 400, 400);
    EXPECT_EQ(sound.musicVolume(), 0);

    sound.setMusicEnabled(false);
    ASSERT_EQ(sound.musicState(), MusicState::Stopped);
    click(screen, 100, 400);
    EXPECT_NE(sound.musicState(), MusicState::Stopped);
    if (fakeAudio != nullptr && !fakeAudio->songs.empty()) {
        EXPECT_FALSE(fakeAudio->songs.back().paused);
    }
    click(screen, 100, 400);
    EXPECT_EQ(sound.musicState(), MusicState::Stopped);
    if (fakeAudio != nullptr && !fakeAudio->songs.empty()) {
        EXPECT_TRUE(fakeAudio->songs.back().paused);
    }
    // Effects off silences the menus' own click.
    const bool wasOn = sound.effectsEnabled();
    click(screen, 100, 300);
    EXPECT_NE(sound.effectsEnabled(), wasOn);
    if (fakeAudio != nullptr && !sound.effectsEnabled()) {
        const size_t before = fakeAudio->effects.size();
        click(screen, 700, 700);
        EXPECT_EQ(fakeAudio->effects.size(), before);
    }
    sound.setEffectsEnabled(true);
}

TEST_F(OptionsRulesTest, VideoChoicesApplyOnBackOnly) {
    GameScreen& game = GameScreen::instance();
    VideoChoices& choices = videoChoices();
    Screen& screen = enter(VideoOptionsScreen::instance());
    choices = VideoChoices{};
    for (int i = 0; i < 4; ++i) {
        click(screen, 100, 350);
    }
    EXPECT_EQ(choices.textureQuality, 3);
    click(screen, 320, 550);
    EXPECT_EQ(choices.glowLevel, 2);
    click(screen, 100, 550);
    click(screen, 100, 550);
    click(screen, 100, 550);
    EXPECT_EQ(choices.glowLevel, 0);
    click(screen, 320, 450);
    EXPECT_EQ(choices.textureFiltering, 3);

    game.setGlowLevel(2);
    screen.keyboardUp(27, 0, 0);
    EXPECT_EQ(slot_, &OptionsMenuScreen::instance());
    EXPECT_EQ(game.glowLevel(), 2);
    EXPECT_EQ(choices.glowLevel, 0);

    enter(screen);
    click(screen, 100, 650, 32);
    EXPECT_EQ(slot_, &OptionsMenuScreen::instance());
    EXPECT_EQ(game.glowLevel(), 0);
    choices = VideoChoices{};
    game.applyVideoSettings(0, 3, false);
    game.setGlowLevel(2);
}

TEST_F(OptionsRulesTest, HubAndResultsNavigation) {
    Screen& hub = enter(OptionsMenuScreen::instance());
    click(hub, 500, 300, 0);  // the gap between two wide buttons
    EXPECT_EQ(slot_, &hub);
    click(hub, 256 + 10, 150);
    EXPECT_EQ(slot_, &VideoOptionsScreen::instance());
    enter(hub).keyboard(27, 0, 0);
    EXPECT_EQ(slot_, &hub);
    hub.keyboardUp(27, 0, 0);
    EXPECT_EQ(slot_, &MainMenuScreen::instance());

    Screen& results = enter(ResultsScreen::instance());
    click(results, 500, 400);
    results.keyboard('a', 0, 0);
    EXPECT_EQ(slot_, &results);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    results.keyboard(27, 0, 0);
    EXPECT_EQ(slot_, &MainMenuScreen::instance());
    // Back in the shared perspective view: 90 degrees, aspect 1.
    const std::vector<float> p = gltest::matrix(GL_PROJECTION_MATRIX);
    EXPECT_NEAR(p[0], 1.0f, 1e-5f);
    EXPECT_NEAR(p[5], 1.0f, 1e-5f);
    EXPECT_EQ(ResultsScreen::difficultyLine(11), std::string("Difficulte      : Normale"));
    EXPECT_EQ(ResultsScreen::difficultyLine(12), nullptr);
}

}  // namespace

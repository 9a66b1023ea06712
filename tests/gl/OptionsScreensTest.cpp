// Options and results screens: what each widget and key changes, at and beyond its limits, and
// what each screen looks like (widgets where the layout puts them, the hover picture under the
// pointer, texts in their places; screens/<name>.png is written for review).
#include <GL/freeglut.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/GameAssembly.h"
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
#include "tools/modelviewer/PngWriter.h"

namespace {

class OptionsRulesTest : public gltest::GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        FakeAudioBackend::forInstance();
        std::remove("config.cfg");
        // As in the game, the screens behind the intro are built first: that loads the
        // settings, which must not overwrite what a test sets up afterwards.
        gameassembly::buildScreens();
    }
    // Leaving an options screen saves the settings into the working folder.
    void TearDown() override {
        std::remove("config.cfg");
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
    GameOptionsScreen fresh(GameScreen::instance());
    fresh.screenSlot = &slot_;
    EXPECT_EQ(GameOptionsScreen::sensitivityMarkerX(fresh.sensitivitySlider()), 350);
    click(fresh, 605, 300);
    EXPECT_GT(camera.verticalSensitivity(), 0.0012f);
    EXPECT_GT(camera.horizontalSensitivity(), 0.0018f);
    click(fresh, 400, 300);
    click(fresh, 400, 300);
    EXPECT_LT(camera.verticalSensitivity(), 0.0012f);
    EXPECT_LT(camera.horizontalSensitivity(), 0.0018f);
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
    for (int expected :
         {110, 120, 130, 140, 150, 160, 170, 180, 190, 200, 210, 220, 230, 240, 250, 255, 255}) {
        click(screen, 500, 300);
        EXPECT_EQ(sound.effectsVolume(), expected);
    }
    sound.setMusicVolume(5);
    click(screen, 400, 400);
    EXPECT_EQ(sound.musicVolume(), 0);
    click(screen, 400, 400);
    EXPECT_EQ(sound.musicVolume(), 0);

    sound.setMusicEnabled(false);
    ASSERT_EQ(sound.musicState(), MusicState::Stopped);
    click(screen, 100, 400);
    EXPECT_NE(sound.musicState(), MusicState::Stopped);
    click(screen, 100, 400);
    EXPECT_EQ(sound.musicState(), MusicState::Stopped);
    sound.setEffectsEnabled(true);
    click(screen, 100, 300);
    EXPECT_FALSE(sound.effectsEnabled());
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
}

struct Rect {
    int left, top, width, height;
};

// A text's cells in widget space: text space is 800 x 600 stretched over 1024 x 768.
Rect textRect(int x, int y, const char* text, float scale = 1.28f) {
    return Rect{int(x * scale), int(y * scale), int(std::strlen(text) * 10 * scale),
                int(15 * scale)};
}

// One drawn frame, top row first, addressed in widget space.
struct Frame {
    std::vector<uint8_t> rgb;
    const uint8_t* at(int x, int y) const { return &rgb[(size_t(y) * 1024 + x) * 3]; }
    // How many pixels of the rectangle pass the test, and their mean red, green and blue.
    template <typename Test>
    int count(const Rect& r, Test test, double* mean = nullptr) const {
        int n = 0;
        for (int y = r.top; y < r.top + r.height; ++y) {
            for (int x = r.left; x < r.left + r.width; ++x) {
                n += test(at(x, y)) ? 1 : 0;
                for (int c = 0; mean != nullptr && c < 3; ++c) {
                    mean[c] += at(x, y)[c] / double(r.width * r.height);
                }
            }
        }
        return n;
    }
    // White glyph ink added onto the picture: every channel bright.
    int ink(const Rect& r) const {
        return count(r, [](const uint8_t* p) { return std::min({p[0], p[1], p[2]}) > 170; });
    }
    // The orange badge of arrows and check boxes.
    int orange(const Rect& r) const {
        return count(r, [](const uint8_t* p) { return p[0] > 180 && p[2] < 110; });
    }
};

class MenuPicturesTest : public OptionsRulesTest {
protected:
    // Draws one frame of the screen with the pointer at (x, y) and reads it back. The screen
    // swaps; Mesa's software drivers swap by copying, so the back buffer still holds the frame
    // (their front buffer is not readable under Xvfb).
    static Frame shoot(Screen& screen, int x, int y, const char* png = nullptr) {
        screen.passiveMotion(x, y);
        screen.display();
        const std::vector<uint8_t> bottomUp = gltest::readRgb(0, 0, 1024, 768);
        Frame f;
        f.rgb.resize(bottomUp.size());
        for (int row = 0; row < 768; ++row) {
            std::memcpy(&f.rgb[size_t(row) * 1024 * 3], &bottomUp[size_t(767 - row) * 1024 * 3],
                        1024 * 3);
        }
        if (png != nullptr) {
            mkdir("screens", 0755);
            EXPECT_TRUE(
                writePng((std::string("screens/") + png + ".png").c_str(), 1024, 768, f.rgb));
        }
        // What every drawing leaves behind for the next one.
        EXPECT_TRUE(gltest::isEnabled(GL_DEPTH_TEST));
        EXPECT_FALSE(gltest::isEnabled(GL_BLEND));
        EXPECT_FALSE(gltest::isEnabled(GL_ALPHA_TEST));
        EXPECT_TRUE(gltest::isEnabled(GL_TEXTURE_2D));
        EXPECT_EQ(gltest::getInteger(GL_PROJECTION_STACK_DEPTH), 1);
        EXPECT_EQ(gltest::getInteger(GL_MODELVIEW_STACK_DEPTH), 1);
        return f;
    }
    // Push buttons: golden under the pointer, night blue otherwise (the left third, away from
    // the cursor sprite, which hangs below and right of the pointer).
    static void expectButtons(Screen& screen, const std::vector<Rect>& buttons) {
        for (const Rect& hovered : buttons) {
            const Frame f =
                shoot(screen, hovered.left + hovered.width / 2, hovered.top + hovered.height / 2);
            for (const Rect& b : buttons) {
                double m[3] = {0.0, 0.0, 0.0};
                f.count(
                    {b.left, b.top, b.width / 3, b.height}, [](const uint8_t*) { return 0; }, m);
                SCOPED_TRACE(testing::Message() << "button at " << b.left << "," << b.top
                                                << " mean " << m[0] << " " << m[1] << " " << m[2]);
                if (&b == &hovered) {
                    EXPECT_GT(m[0], 150.0);
                    EXPECT_GT(m[0], m[2] + 60.0);
                } else {
                    EXPECT_GT(m[2], m[1] + 20.0);
                    EXPECT_GT(m[2], 70.0);
                }
            }
        }
    }
    static void expectTexts(const Frame& f, const std::vector<Rect>& texts) {
        for (const Rect& t : texts) {
            EXPECT_GT(f.ink(t), t.width / 2) << "text at " << t.left << "," << t.top;
        }
    }
    static void expectBadges(const Frame& f, const std::vector<Rect>& badges) {
        for (const Rect& b : badges) {
            EXPECT_GT(f.orange(b), 20) << "arrow or box at " << b.left << "," << b.top;
        }
    }
};

TEST_F(MenuPicturesTest, OptionsHub) {
    Screen& hub = OptionsMenuScreen::instance();
    expectButtons(
        hub, {{100, 650, 64, 32}, {256, 150, 512, 64}, {256, 350, 512, 64}, {256, 550, 512, 64}});
    shoot(hub, 600, 380, "hub");
}

TEST_F(MenuPicturesTest, GameOptions) {
    GameScreen& game = GameScreen::instance();
    GameOptionsScreen& screen = GameOptionsScreen::instance();
    game.setDifficulty(20);
    game.setGameSuspended(true);
    game.setMouseDirection(-1);
    screen.setSensitivitySlider(4.0f);
    const Frame f = shoot(screen, 130, 660, "game_options");
    expectBadges(f, {{415, 200, 16, 16},
                     {200, 200, 16, 16},
                     {605, 300, 16, 16},
                     {400, 300, 16, 16},
                     {50, 400, 16, 16}});
    const char* warning = "Attention, changer la difficulte relancera la partie en cours";
    expectTexts(f, {textRect(312, 78, "Options du jeu"), textRect(39, 156, "Difficulte"),
                    textRect(46, 312, "Inverser souris"), textRect(38, 312, "X"),
                    textRect(171, 156, "  Impossible"), textRect(117, 179, warning),
                    textRect(39, 234, "Sensibilitee de la souris"), textRect(410, 234, "X")});
    // The tagline in the level's red, then white again for what follows.
    const Rect tagline = textRect(343, 156, "Un chasseur de loutres comme on en voit plus");
    double red[3] = {0.0, 0.0, 0.0};
    f.count(
        tagline, [](const uint8_t*) { return 0; }, red);
    EXPECT_GT(red[0], 3.0 * red[1] + 10.0);
    EXPECT_EQ(f.ink(tagline), 0);

    game.setDifficulty(6);
    game.setGameSuspended(false);
    game.setMouseDirection(1);
    const Frame plain = shoot(screen, 1000, 20);
    EXPECT_EQ(plain.ink(textRect(171, 156, "              ")), 0) << "no level name for 6";
    EXPECT_EQ(plain.ink(textRect(117, 179, warning)), 0);
    EXPECT_EQ(plain.ink({52, 402, 12, 12}), 0) << "no tick in the unchecked box";
    game.setDifficulty(11);
}

TEST_F(MenuPicturesTest, AudioOptions) {
    SoundManager& sound = SoundManager::instance();
    AudioOptionsScreen& screen = AudioOptionsScreen::instance();
    sound.setEffectsEnabled(true);
    sound.setEffectsVolume(255);
    sound.setMusicVolume(10);
    if (sound.musicState() != MusicState::Stopped) {
        sound.setMusicEnabled(false);
    }
    const Frame f = shoot(screen, 130, 660, "audio_options");
    expectBadges(f, {{400, 300, 16, 16},
                     {500, 300, 16, 16},
                     {400, 400, 16, 16},
                     {500, 400, 16, 16},
                     {100, 300, 16, 16},
                     {100, 400, 16, 16}});
    expectTexts(f, {textRect(77, 234, "X"), textRect(93, 234, "Utiliser les effets"),
                    textRect(327, 234, "100 %"), textRect(93, 312, "Utiliser la musique"),
                    textRect(327, 312, "3 %"), textRect(300, 150, "Gestion du son"),
                    textRect(70, 390, "Une playliste Winamp peut etre placee dans le")});
    EXPECT_EQ(f.ink({102, 402, 12, 12}), 0) << "music off: no tick";
    EXPECT_EQ(f.orange({100, 550, 16, 16}), 0) << "no random box without a playlist";
}

TEST_F(MenuPicturesTest, VideoOptions) {
    VideoOptionsScreen& screen = VideoOptionsScreen::instance();
    videoChoices() = VideoChoices{true, 2, 1, 0};
    const Frame f = shoot(screen, 130, 660, "video_options");
    expectBadges(f, {{100, 250, 16, 16},
                     {320, 350, 16, 16},
                     {100, 350, 16, 16},
                     {320, 550, 16, 16},
                     {100, 550, 16, 16},
                     {320, 450, 16, 16},
                     {100, 450, 16, 16}});
    expectTexts(
        f, {textRect(312, 78, "Options video"), textRect(93, 195, "Loutre basse qualite"),
            textRect(265, 273, "Qualite des textures"), textRect(265, 351, "Filtrage des textures"),
            textRect(265, 429, "Qualite du glow"), textRect(93, 273, "Moyenne"),
            textRect(93, 351, "Pas de filtrage"), textRect(93, 429, "Moyenne"),
            textRect(77, 194, "X")});
    videoChoices() = VideoChoices{};
}

TEST_F(MenuPicturesTest, Results) {
    ResultsScreen& screen = ResultsScreen::instance();
    GameScreen& game = GameScreen::instance();
    screen.setScore(1234);
    screen.setOtterKills(56);
    screen.setPrecision(100);
    game.setDifficulty(11);
    const Frame f = shoot(screen, 900, 100, "results");
    // Only the difficulty line goes when the level is not one of the six.
    game.setDifficulty(12);
    const Frame without = shoot(screen, 900, 100);
    game.setDifficulty(11);
    const float sx = 1024.0f / 422.0f, sy = 768.0f / 316.0f;
    int x0 = 1024, y0 = 768, x1 = -1, y1 = -1;
    // Away from the pointer at (900, 100) and from where earlier frames left it, whose
    // sparkles move from one frame to the next: the band the statistics are written in.
    for (int y = 150; y < 600; ++y) {
        for (int x = 0; x < 820; ++x) {
            if (std::memcmp(f.at(x, y), without.at(x, y), 3) != 0) {
                x0 = std::min(x0, x), x1 = std::max(x1, x);
                y0 = std::min(y0, y), y1 = std::max(y1, y);
            }
        }
    }
    EXPECT_NEAR(x0, 68 * sx, 3 * sx);
    EXPECT_NEAR(y0, 140 * sy, 3 * sy);
    EXPECT_LT(y1, (140 + 15) * sy);
    EXPECT_LT(x1, (68 + 31 * 10) * sx);
    expectTexts(f, {textRect(68, 121, "Score           : 1234", sx),
                    textRect(0, 546, "echape pour retourner au menu")});
}

}  // namespace

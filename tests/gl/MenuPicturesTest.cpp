// Pictures of the options and results screens: every widget where the layout puts it, the hover
// picture under the pointer, the texts in their places. Writes screens/<name>.png for review.
#include <GL/freeglut.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "game/GameScreen.h"
#include "menus/AudioOptionsScreen.h"
#include "menus/GameOptionsScreen.h"
#include "menus/OptionsMenuScreen.h"
#include "menus/ResultsScreen.h"
#include "menus/Settings.h"
#include "menus/VideoOptionsScreen.h"
#include "sound/SoundManager.h"
#include "tests/support/FakeAudioBackend.h"
#include "tests/support/GlContext.h"
#include "tools/modelviewer/PngWriter.h"

namespace {

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
    // Mean red, green and blue over a rectangle.
    std::vector<double> mean(const Rect& r) const {
        std::vector<double> m(3, 0.0);
        for (int y = r.top; y < r.top + r.height; ++y) {
            for (int x = r.left; x < r.left + r.width; ++x) {
                for (int c = 0; c < 3; ++c) {
                    m[c] += at(x, y)[c] / double(r.width * r.height);
                }
            }
        }
        return m;
    }
    // Pixels where white glyph ink has been added (every channel bright).
    int ink(const Rect& r) const {
        int n = 0;
        for (int y = r.top; y < r.top + r.height; ++y) {
            for (int x = r.left; x < r.left + r.width; ++x) {
                n += std::min({at(x, y)[0], at(x, y)[1], at(x, y)[2]}) > 170 ? 1 : 0;
            }
        }
        return n;
    }
    // Orange badge pixels: arrows and check boxes.
    int orange(const Rect& r) const {
        int n = 0;
        for (int y = r.top; y < r.top + r.height; ++y) {
            for (int x = r.left; x < r.left + r.width; ++x) {
                n += at(x, y)[0] > 180 && at(x, y)[2] < 110 ? 1 : 0;
            }
        }
        return n;
    }
};

class MenuPicturesTest : public gltest::GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        SoundManager::useBackendForInstance(std::make_unique<FakeAudioBackend>());
    }
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
                const std::vector<double> m = f.mean({b.left, b.top, b.width / 3, b.height});
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

const Rect kBack{100, 650, 64, 32};

TEST_F(MenuPicturesTest, OptionsHub) {
    Screen& hub = OptionsMenuScreen::instance();
    expectButtons(hub, {kBack, {256, 150, 512, 64}, {256, 350, 512, 64}, {256, 550, 512, 64}});
    shoot(hub, 600, 380, "hub");
}

TEST_F(MenuPicturesTest, GameOptions) {
    GameScreen& game = GameScreen::instance();
    GameOptionsScreen& screen = GameOptionsScreen::instance();
    expectButtons(screen, {kBack});
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
    const std::vector<double> red = f.mean(tagline);
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
    expectButtons(screen, {kBack});
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
    expectButtons(screen, {kBack});
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
    for (int y = 0; y < 768; ++y) {
        for (int x = 0; x < 1024; ++x) {
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

// Whole game frames on the real game screen: where the scene, the HUD and the radar land, the
// warning, the glow levels and the state a frame leaves behind.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "entities/Building.h"
#include "entities/Otter.h"
#include "entities/OtterHerd.h"
#include "entities/Weapon.h"
#include "game/GameScreen.h"
#include "game/QualityGovernor.h"
#include "game/ScriptedPlay.h"
#include "render/BitmapFont.h"
#include "render/GlExtensions.h"
#include "render/Model.h"
#include "render/Texture.h"
#include "render/TextureSets.h"
#include "sound/SoundManager.h"
#include "tests/support/FakeAudioBackend.h"
#include "tests/support/GlContext.h"

namespace {

// A few frames of a game set up by hand: the player 700 units south of the building looking
// at it, the light spot to the front right, five otters to the front left, all within radar
// range. The score is still 0.
PlayScript shortPlay(int glowLevel) {
    PlayScript script;
    script.frames = 12;
    script.seed = 7;
    script.glowLevel = glowLevel;
    return script;
}

const float kOtterPlaces[][2] = {
    {-260, -420}, {-120, -360}, {-380, -300}, {-200, -500}, {-60, -480}};

void placePlayerAndOtters(ScriptedPlay& play) {
    play.screen().player().setPosition(0.0f, 50.0f, -700.0f);
    play.screen().player().setYaw(0.0f);
    int i = 0;
    for (const auto& place : kOtterPlaces) {
        play.herd().otter(i++).setPosition(Vector3(place[0], 0.0f, place[1]));
    }
}

class GameFrameTest : public gltest::GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        FakeAudioBackend::forInstance();
    }

    // Plays the script; the last frame starts from a colour buffer filled with a marker, so
    // any pixel the frame does not draw keeps it. Leaves the matrices the frame left.
    FramePicture play(const PlayScript& script, int life = -1, bool groundInOnePass = true) {
        play_.reset();
        play_ = std::make_unique<ScriptedPlay>(GameScreen::instance(), script);
        play_->start();
        GameScreen::instance().setGroundInOnePass(groundInOnePass);
        placePlayerAndOtters(*play_);
        if (life >= 0) {
            play_->herd().building().setLife(life);
        }
        while (play_->frame() + 1 < script.frames) {
            play_->playFrame();
        }
        glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        FramePicture picture;
        play_->playFrame(&picture);
        glGetDoublev(GL_MODELVIEW_MATRIX, modelview_);
        glGetDoublev(GL_PROJECTION_MATRIX, projection_);
        glGetIntegerv(GL_VIEWPORT, viewport_);
        return picture;
    }

    // Where the pixel (x, y) of the last frame lies in the world, from the depth buffer (the
    // swap leaves the depth of the frame in place).
    Vector3 worldAt(int x, int y) const {
        float depth = 1.0f;
        glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
        double wx, wy, wz;
        gluUnProject(x + 0.5, y + 0.5, depth, modelview_, projection_, viewport_, &wx, &wy, &wz);
        return Vector3(float(wx), float(wy), float(wz));
    }
    bool project(const Vector3& p, int& x, int& y) const {
        double wx, wy, wz;
        gluProject(p.x(), p.y(), p.z(), modelview_, projection_, viewport_, &wx, &wy, &wz);
        x = int(wx);
        y = int(wy);
        return wz > 0.0 && wz < 1.0 && x >= 0 && x < 1024 && y >= 0 && y < 768;
    }

    std::unique_ptr<ScriptedPlay> play_;
    double modelview_[16];
    double projection_[16];
    GLint viewport_[4];
};

int brightness(const uint8_t* p) { return p[0] + p[1] + p[2]; }

// Inside the object's box (scaled), give or take the outline's width.
bool insideBox(const Vector3& p, const SceneObject& object, float scale) {
    const BoundingBox& box = object.model()->boundingBox();
    const Vector3 c = object.position() + box.center * scale;
    const float slack = 4.0f;
    return std::fabs(p.x() - c.x()) <= box.halfWidth * scale + slack &&
           std::fabs(p.y() - c.y()) <= box.halfHeight * scale + slack &&
           std::fabs(p.z() - c.z()) <= box.halfDepth * scale + slack;
}

// Draws text alone, white on black, through a font like the game's, and checks that every
// pixel the text lights is at least as bright in the frame: the game adds its texts, so the
// scene under them only adds more.
void expectTextIn(const FramePicture& frame, int x, int y, const char* text) {
    Texture fontTexture;
    ASSERT_TRUE(texturesets::loadGameFont(fontTexture, "./ressources/textures/Font.bmp"));
    BitmapFont font;
    font.setTexture(fontTexture.id(), 15, 15);
    font.setFirstChar(32);
    font.setGlyphSize(15, 15, 10);
    font.setScreenSize(800, 600);
    font.build();
    gltest::resetState();
    glColor3f(1.0f, 1.0f, 1.0f);
    font.print(x, y, "%s", text);
    const std::vector<uint8_t> alone = gltest::readRgb(0, 0, 1024, 768);
    int lit = 0, missing = 0;
    for (size_t i = 0; i < alone.size(); i += 3) {
        if (alone[i] > 200) {
            ++lit;
            missing += frame.rgb[i] + 40 < alone[i];
        }
    }
    EXPECT_GT(lit, 20) << text;
    EXPECT_LE(missing, lit / 50) << text << ": " << missing << " of " << lit << " pixels missing";
}

TEST_F(GameFrameTest, SceneHudAndRadarLandWhereTheyBelongAndTheStateIsLeftAsAgreed) {
    const FramePicture frame = play(shortPlay(0));
    GameScreen& screen = GameScreen::instance();
    OtterHerd& herd = play_->herd();

    // The state the next frame and the menus rely on.
    EXPECT_EQ(gltest::getInteger(GL_DEPTH_FUNC), GL_LESS);
    EXPECT_TRUE(gltest::isEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(gltest::isEnabled(GL_BLEND));
    EXPECT_TRUE(gltest::isEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(gltest::isEnabled(GL_POLYGON_OFFSET_FILL));
    EXPECT_EQ(gltest::getInteger(GL_DEPTH_WRITEMASK), GL_TRUE);
    EXPECT_EQ(gltest::getInteger(GL_MATRIX_MODE), GL_MODELVIEW);
    EXPECT_EQ(gltest::getInteger(GL_MODELVIEW_STACK_DEPTH), 1);
    EXPECT_EQ(gltest::getInteger(GL_PROJECTION_STACK_DEPTH), 1);
    EXPECT_EQ(gltest::getInteger(GL_TEXTURE_STACK_DEPTH), 1);

    // The sky box and the ground cover the whole view: no marker pixel is left.
    int sky = 0, ground = 0, building = 0, weapon = 0, marker = 0;
    // The light spot: ground under the light against ground far from it.
    int spot = 0, dark = 0;
    long spotLight = 0, darkLight = 0;
    const Vector3 eye = screen.player().position();
    const Vector3 light = *herd.building().light();
    for (int y = 40; y < 768; y += 8) {
        for (int x = 4; x < 1024; x += 8) {
            const uint8_t* p = frame.at(x, y);
            marker += p[0] < 10 && p[1] > 245 && p[2] < 10;
            const Vector3 w = worldAt(x, y);
            const double distance = (w - eye).length();
            if (distance > 4000.0) {
                ++sky;
            } else if (distance < 40.0) {
                ++weapon;
            } else if (insideBox(w, herd.building(), 1.0f)) {
                ++building;
            } else if (std::fabs(w.y()) < 1.0f && std::hypot(w.x(), w.z()) < 1000.0 &&
                       !(x > 820 && y < 210)) {
                // Ground inside the wall (beyond it the wall's pink lies over the ground),
                // away from the radar.
                ++ground;
                const double fromLight = std::hypot(w.x() - light.x(), w.z() - light.z());
                if (fromLight < 250.0) {
                    ++spot;
                    spotLight += brightness(p);
                } else if (fromLight > 800.0) {
                    ++dark;
                    darkLight += brightness(p);
                }
            }
        }
    }
    EXPECT_EQ(marker, 0);
    EXPECT_GT(sky, 200);
    EXPECT_GT(ground, 200);
    EXPECT_GT(building, 100);
    EXPECT_GT(weapon, 10);
    ASSERT_GT(spot, 10);
    ASSERT_GT(dark, 10);
    EXPECT_GT(spotLight / spot, 2 * darkLight / dark);

    // Otters in view are where the frame drew them.
    int otters = 0;
    for (int i = 0; i < herd.count(); ++i) {
        const Otter& otter = herd.otter(i);
        const float s = otter.effectiveScale();
        const Vector3 centre = otter.position() + otter.model()->boundingBox().center * s;
        int x, y;
        if (otter.visible() && project(centre, x, y) && insideBox(worldAt(x, y), otter, s)) {
            ++otters;
        }
    }
    EXPECT_GE(otters, 4);

    // Crosshair: its red centre dot one pixel right of and above the middle, white arms.
    const uint8_t* dot = frame.at(513, 385);
    EXPECT_GT(dot[0], 180);
    EXPECT_LT(dot[1], 130);
    const uint8_t* arm = frame.at(522, 385);
    EXPECT_GT(brightness(arm), 600);

    expectTextIn(frame, 0, 0, "score : 0");
    expectTextIn(frame, 0, 15, "vie   : 39");

    // Radar (400 x 300 space, 2.56 pixels a unit): the building's red dot near the middle,
    // where the player stands beside it, and a pink dot for every otter in range.
    const float radarPixel = 1024.0f / 400.0f;
    auto radarPoint = [&](Vector3 d, int& x, int& y) {
        d.rotateAboutY(-screen.player().yaw());
        x = int((-d.x() * 0.032f + 360.0f) * radarPixel);
        y = int((d.z() * 0.032f + 40.0f) * radarPixel);
    };
    int bx, by;
    radarPoint(Vector3() - eye, bx, by);
    EXPECT_NEAR(bx, 360 * radarPixel, 2);  // straight ahead: above the centre
    EXPECT_NEAR(by, (40 + 700 * 0.032f) * radarPixel, 2);
    EXPECT_GT(frame.at(bx, by)[0], 230);
    int inRange = 0, dotsSeen = 0;
    for (int i = 0; i < herd.count(); ++i) {
        const Vector3 d = herd.otter(i).position() - eye;
        if (std::fabs(d.x()) <= 1000.0f && std::fabs(d.z()) <= 1000.0f) {
            int x, y;
            radarPoint(d, x, y);
            ++inRange;
            dotsSeen += frame.at(x, y)[0] > 140;
        }
    }
    EXPECT_GE(inRange, 5);
    EXPECT_EQ(dotsSeen, inRange);
    if (HasFailure()) {
        gltest::writePpm("GameFrameTest.ppm", frame.width, frame.height, frame.rgb);
    }
}

TEST_F(GameFrameTest, AReducedSceneLooksLikeTheFullOneWithItsHudSharpAndItsStateGivenBack) {
    PlayScript script = shortPlay(2);
    script.shotFrames = {script.frames - 2};
    PlayScript reduced = script;
    reduced.qualityStep = qualitysteps::kCount - 1;
    const FramePicture full = play(script);
    const FramePicture small = play(reduced);
    ASSERT_LT(GameScreen::instance().qualityStep().sceneScale, 1.0f);

    // The stretched scene covers the whole picture, and the next frame and the menus find
    // the picture's viewport and the usual state.
    EXPECT_EQ(viewport_[0], 0);
    EXPECT_EQ(viewport_[1], 0);
    EXPECT_EQ(viewport_[2], 1024);
    EXPECT_EQ(viewport_[3], 768);
    EXPECT_TRUE(gltest::isEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(gltest::isEnabled(GL_BLEND));
    EXPECT_FALSE(gltest::isEnabled(GL_ALPHA_TEST));
    EXPECT_TRUE(gltest::isEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(gltest::getInteger(GL_MODELVIEW_STACK_DEPTH), 1);
    EXPECT_EQ(gltest::getInteger(GL_PROJECTION_STACK_DEPTH), 1);

    // The same picture, only softer: edges blur, nothing moves or changes colour.
    int marker = 0, far = 0;
    long difference = 0;
    for (size_t i = 0; i < small.rgb.size(); i += 3) {
        const uint8_t* p = &small.rgb[i];
        marker += p[0] < 10 && p[1] > 245 && p[2] < 10;
        const int d = std::abs(brightness(p) - brightness(&full.rgb[i]));
        difference += d;
        far += d > 150;
    }
    const long pixels = long(small.rgb.size() / 3);
    EXPECT_EQ(marker, 0);
    EXPECT_LT(difference / pixels, 20);
    EXPECT_LT(far, pixels / 50);
    // The texts are drawn over the stretched scene at full resolution.
    expectTextIn(small, 0, 0, "score : 0");
    expectTextIn(small, 0, 15, "vie   : 39");

    play(script);
    EXPECT_EQ(GameScreen::instance().qualityStep().sceneScale, 1.0f);
}

TEST_F(GameFrameTest, WarningShowsBelowTenLifeOnly) {
    // The warning's place in the 800 x 600 text space: (365, 263), seven glyphs.
    auto warningPixels = [](const FramePicture& a, const FramePicture& b) {
        int differ = 0;
        for (int y = 768 - int((263 + 15) * 1.28f); y < 768 - int(263 * 1.28f); ++y) {
            for (int x = int(365 * 1.28f); x < int((365 + 75) * 1.28f); ++x) {
                differ += std::abs(brightness(a.at(x, y)) - brightness(b.at(x, y))) > 90;
            }
        }
        return differ;
    };
    const PlayScript script = shortPlay(2);
    const FramePicture eleven = play(script, 11);
    const FramePicture ten = play(script, 10);
    const FramePicture nine = play(script, 9);
    EXPECT_EQ(warningPixels(eleven, ten), 0);
    EXPECT_GT(warningPixels(ten, nine), 150);
}

TEST_F(GameFrameTest, GlowOnlyAddsLight) {
    const PlayScript script = shortPlay(0);
    PlayScript glowing = script;
    glowing.glowLevel = 2;
    const FramePicture plain = play(script);
    const FramePicture glow = play(glowing);
    int darker = 0, brighter = 0;
    for (size_t i = 0; i < plain.rgb.size(); i += 3) {
        const int difference = brightness(&glow.rgb[i]) - brightness(&plain.rgb[i]);
        darker += difference < -30;
        brighter += difference > 15;
    }
    const int pixels = int(plain.rgb.size() / 3);
    EXPECT_LT(darker, pixels / 100);
    EXPECT_GT(brighter, pixels / 40);
}

TEST_F(GameFrameTest, GroundInOnePassLooksLikeItsThreeLayersAndFreesItsUnits) {
    // A shot two frames before the end, so the red firing spot is in the picture too.
    PlayScript script = shortPlay(0);
    script.shotFrames = {script.frames - 2};
    const FramePicture layered = play(script, -1, false);
    const FramePicture onePass = play(script);
    ASSERT_TRUE(GameScreen::instance().groundInOnePass()) << "llvmpipe combines textures";
    int differing = 0, worst = 0;
    for (size_t i = 0; i < onePass.rgb.size(); ++i) {
        const int difference = std::abs(int(onePass.rgb[i]) - int(layered.rgb[i]));
        worst = std::max(worst, difference);
        differing += difference > 3;
    }
    // Only rounding: the layers are quantised in the frame buffer between steps.
    EXPECT_LT(differing, int(onePass.rgb.size() / 1000)) << "worst " << worst;
    for (GLenum unit : {GL_TEXTURE1_ARB, GL_TEXTURE2_ARB}) {
        glext::activeTexture(unit);
        EXPECT_FALSE(gltest::isEnabled(GL_TEXTURE_2D));
        GLint mode = 0;
        glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
        EXPECT_EQ(mode, GL_MODULATE);
    }
    glext::activeTexture(GL_TEXTURE0_ARB);
}

}  // namespace

// Weapon drawing: flash lifetime over frames, crosshair placement, gun placement, state left.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

#include "app/Clock.h"
#include "entities/Weapon.h"
#include "render/GlExtensions.h"
#include "render/Model.h"
#include "render/Texture.h"
#include "render/TextureSets.h"
#include "render/ToonRendererFactory.h"
#include "tests/support/BmpWriter.h"
#include "tests/support/FakeAudioBackend.h"
#include "tests/support/GlContext.h"
#include "tools/modelviewer/PngWriter.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

Texture* loaded(bool (*load)(Texture&, const char*), const char* path) {
    auto texture = std::make_unique<Texture>();
    EXPECT_TRUE(load(*texture, path)) << path;
    return texture.release();
}

class WeaponDrawTest : public gltest::GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        ASSERT_NE(FakeAudioBackend::forInstance(), nullptr);
        loadMultitexture();
        loadVertexProgram();
        renderer_ = createToonRenderer();
        ASSERT_TRUE(texturesets::loadToonRamp(ramp_, "./ressources/textures/toon.bmp"));
        renderer_->setToonTexture(ramp_.id());
        auto skin = std::make_unique<Texture>();
        ASSERT_TRUE(texturesets::loadWorldRepeating(*skin, "./ressources/textures/arme.bmp", 0, 3));
        ASSERT_GT(weapon_.ownModel()->vertexCount(), 0u);
        ASSERT_EQ(weapon_.model(), weapon_.ownModel());
        weapon_.ownModel()->setTexture(skin.release());
        weapon_.setRenderer(renderer_.get());
        weapon_.setFireTexture(loaded(texturesets::loadFire, "./ressources/textures/fire.bmp"));
        weapon_.setCrosshairTexture(
            loaded(texturesets::loadCrosshair, "./ressources/textures/crosshair.bmp"));
        weapon_.setFlashDuration(60);
        weapon_.setShotInterval(70);
        weapon_.setScreenSize(kWidth, kHeight);
        weapon_.setLight(&light_);
        // Where a new game puts the player: on the ring, facing the building.
        weapon_.setPosition(-1000.0f, 50.0f, 0.0f);
        weapon_.setYaw(-1.57f);
    }
    void TearDown() override {
        gameclock::setSource({});
        GlTest::TearDown();
    }

    // One frame as the game draws it: the 3D view, then the weapon in the given pass.
    void drawFrame(int ms, bool glowPass = false) {
        gameclock::setFixed(ms);
        glClearColor(0.2f, 0.3f, 0.4f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(90.0, 1.0, 1.0, 10000.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        weapon_.apply();
        weapon_.draw(glowPass);
    }

    void fireAt(int ms) {
        gameclock::setFixed(ms);
        ASSERT_TRUE(weapon_.fire());
    }

    Vector3 light_{500.0f, 200.0f, 0.0f};
    Texture ramp_;
    std::unique_ptr<ToonRenderer> renderer_;
    Weapon weapon_;
};

TEST_F(WeaponDrawTest, FlashLastsUntilTheFirstFrameDrawnPastItsDuration) {
    weapon_.setRenderer(nullptr);  // only the flash's clock matters here
    drawFrame(500);
    EXPECT_FALSE(weapon_.isFiring());
    fireAt(1000);
    // Frames at 16 ms steps: 1064 is the first beyond 1000 + 60; it still shows the flash.
    for (int t : {1016, 1032, 1048, 1060, 1064}) {
        EXPECT_TRUE(weapon_.isFiring()) << "before the frame at " << t;
        drawFrame(t);
    }
    EXPECT_FALSE(weapon_.isFiring());
    drawFrame(1080);
    EXPECT_FALSE(weapon_.isFiring());

    // Two shots with no frame between them: the flash just carries on from the second one.
    fireAt(2000);
    fireAt(2100);
    drawFrame(2150, true);
    drawFrame(2150);
    EXPECT_TRUE(weapon_.isFiring());
    drawFrame(2161);
    EXPECT_FALSE(weapon_.isFiring());
}

TEST_F(WeaponDrawTest, CrosshairCoversThe32PixelSquareRightOfAndAboveTheCentre) {
    // A plain white crosshair picture, so every pixel of the quad shows.
    // Large enough that no pixel of the quad samples the clamped border or the corner texel,
    // which carries the blue key: a picture without it would be loaded without alpha.
    bmptest::Picture white{256, 256, std::vector<uint8_t>(256 * 256 * 3, 255)};
    white.rgb[0] = white.rgb[1] = 0;
    const std::string path = bmptest::tempPath("white_crosshair.bmp");
    ASSERT_TRUE(bmptest::writeFile(path, bmptest::encode(white, bmptest::Format{})));
    weapon_.setCrosshairTexture(loaded(texturesets::loadCrosshair, path.c_str()));
    weapon_.setRenderer(nullptr);  // the gun alone would not reach the centre anyway
    drawFrame(500);
    const std::vector<uint8_t> rgb = gltest::readRgb(0, 0, kWidth, kHeight);
    int left = kWidth, right = -1, bottom = kHeight, top = -1, lit = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const uint8_t* p = &rgb[(size_t(y) * kWidth + x) * 3];
            if (p[0] > 240 && p[1] > 240 && p[2] > 240) {
                left = std::min(left, x);
                right = std::max(right, x);
                bottom = std::min(bottom, y);
                top = std::max(top, y);
                ++lit;
            }
        }
    }
    // Pixels 497..528 and 369..400: the quad's edges at 497, 529 and 369, 401.
    EXPECT_EQ(left, 497);
    EXPECT_EQ(right, 528);
    EXPECT_EQ(bottom, 369);
    EXPECT_EQ(top, 400);
    EXPECT_EQ(lit, 32 * 32);
}

TEST_F(WeaponDrawTest, GunSitsInTheLowerPartOfTheViewAndTheFlashChangesTheMuzzle) {
    mkdir("pictures", 0755);
    struct Shot {
        const char* file;
        bool firing;
        std::vector<uint8_t> rgb;
    } shots[] = {{"pictures/weapon_idle.png", false, {}}, {"pictures/weapon_firing.png", true, {}}};
    for (Shot& shot : shots) {
        if (shot.firing) {
            srand(5);
            fireAt(1000);
        }
        drawFrame(1010);
        shot.rgb = gltest::readRgb(0, 0, kWidth, kHeight);
        std::vector<uint8_t> topFirst(shot.rgb.size());
        for (int y = 0; y < kHeight; ++y) {
            std::copy_n(&shot.rgb[size_t(y) * kWidth * 3], kWidth * 3,
                        &topFirst[size_t(kHeight - 1 - y) * kWidth * 3]);
        }
        EXPECT_TRUE(writePng(shot.file, kWidth, kHeight, topFirst));
    }
    // Everything the gun covers, outside the crosshair: low in the picture, and plenty of it.
    const uint8_t* background = &shots[0].rgb[size_t(kHeight - 1) * kWidth * 3];
    long gun = 0, upper = 0, changed = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const size_t i = (size_t(y) * kWidth + x) * 3;
            const bool crosshair = x >= 497 && x < 529 && y >= 369 && y < 401;
            if (!crosshair && !std::equal(background, background + 3, &shots[0].rgb[i])) {
                ++gun;
                upper += y >= kHeight / 2 ? 1 : 0;
            }
            changed += std::equal(&shots[0].rgb[i], &shots[0].rgb[i] + 3, &shots[1].rgb[i]) ? 0 : 1;
        }
    }
    EXPECT_GT(gun, 5000);
    EXPECT_EQ(upper, 0);
    // The flash (and the recoil) must show.
    EXPECT_GT(changed, 2000);
}

TEST_F(WeaponDrawTest, DrawGivesBackTheStateTheNextDrawingExpects) {
    for (bool firing : {false, true}) {
        for (bool glowPass : {true, false}) {
            SCOPED_TRACE(std::string(firing ? "firing" : "idle") + (glowPass ? ", glow" : ""));
            if (firing && glowPass) {
                fireAt(3000);
            }
            gameclock::setFixed(3010);
            glMatrixMode(GL_PROJECTION);
            glLoadIdentity();
            gluPerspective(90.0, 1.0, 1.0, 10000.0);
            glMatrixMode(GL_MODELVIEW);
            glLoadIdentity();
            weapon_.apply();
            const std::vector<float> view = gltest::matrix(GL_MODELVIEW_MATRIX);
            const std::vector<float> projection = gltest::matrix(GL_PROJECTION_MATRIX);
            const GLint depths[3] = {gltest::getInteger(GL_MODELVIEW_STACK_DEPTH),
                                     gltest::getInteger(GL_PROJECTION_STACK_DEPTH),
                                     gltest::getInteger(GL_TEXTURE_STACK_DEPTH)};
            weapon_.draw(glowPass);
            EXPECT_EQ(weapon_.isFiring(), firing);
            EXPECT_TRUE(gltest::isEnabled(GL_DEPTH_TEST));
            EXPECT_EQ(gltest::getInteger(GL_DEPTH_FUNC), GL_LEQUAL);
            EXPECT_EQ(gltest::getInteger(GL_DEPTH_WRITEMASK), GL_TRUE);
            EXPECT_FALSE(gltest::isEnabled(GL_BLEND));
            EXPECT_FALSE(gltest::isEnabled(GL_ALPHA_TEST));
            EXPECT_TRUE(gltest::isEnabled(GL_TEXTURE_2D));
            EXPECT_EQ(gltest::getInteger(GL_MATRIX_MODE), GL_MODELVIEW);
            EXPECT_EQ(gltest::matrix(GL_MODELVIEW_MATRIX), view);
            EXPECT_EQ(gltest::matrix(GL_PROJECTION_MATRIX), projection);
            EXPECT_EQ(gltest::getInteger(GL_MODELVIEW_STACK_DEPTH), depths[0]);
            EXPECT_EQ(gltest::getInteger(GL_PROJECTION_STACK_DEPTH), depths[1]);
            EXPECT_EQ(gltest::getInteger(GL_TEXTURE_STACK_DEPTH), depths[2]);
            GLfloat texture[16];
            glGetFloatv(GL_TEXTURE_MATRIX, texture);
            for (int i = 0; i < 16; ++i) {
                EXPECT_EQ(texture[i], i % 5 == 0 ? 1.0f : 0.0f);
            }
            GLint modes[2] = {0, 0};
            glGetIntegerv(GL_POLYGON_MODE, modes);
            EXPECT_EQ(modes[0], GL_FILL);
            EXPECT_EQ(modes[1], GL_FILL);
            EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        }
    }
}

}  // namespace

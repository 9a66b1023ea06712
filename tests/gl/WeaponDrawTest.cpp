// Weapon drawing: flash lifetime and restored state over frames, crosshair and gun placement.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

#include "entities/Weapon.h"
#include "render/Clock.h"
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

using gltest::getInteger;
using gltest::isEnabled;
using gltest::matrix;
constexpr int kWidth = 1024, kHeight = 768;

std::unique_ptr<Texture> loaded(bool (*load)(Texture&, const char*), const char* path) {
    auto texture = std::make_unique<Texture>();
    EXPECT_TRUE(load(*texture, path)) << path;
    return texture;
}

bool inCrosshair(int x, int y) { return x >= 497 && x < 529 && y >= 369 && y < 401; }

// Reads the frame (bottom row first) and writes it as a PNG to look at.
std::vector<uint8_t> savePicture(const char* path) {
    const std::vector<uint8_t> rgb = gltest::readRgb(0, 0, kWidth, kHeight);
    std::vector<uint8_t> topFirst;
    for (int y = kHeight - 1; y >= 0; --y) {
        topFirst.insert(topFirst.end(), &rgb[size_t(y) * kWidth * 3],
                        &rgb[size_t(y) * kWidth * 3] + kWidth * 3);
    }
    EXPECT_TRUE(writePng(path, kWidth, kHeight, topFirst));
    return rgb;
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
        ASSERT_TRUE(weapon_.model() == weapon_.ownModel() && weapon_.model()->vertexCount());
        weapon_.ownModel()->setTexture(loaded(
            [](Texture& t, const char* p) { return texturesets::loadWorldRepeating(t, p, 0, 3); },
            "./ressources/textures/arme.bmp"));
        weapon_.setRenderer(renderer_.get());
        weapon_.setFireTexture(loaded(texturesets::loadFire, "./ressources/textures/fire.bmp"));
        weapon_.setCrosshairTexture(
            loaded(texturesets::loadCrosshair, "./ressources/textures/crosshair.bmp"));
        weapon_.setFlashDuration(60);
        weapon_.setScreenSize(kWidth, kHeight);
        weapon_.setLight(&light_);
        weapon_.setPosition(-1000.0f, 50.0f, 0.0f);
        weapon_.setYaw(-1.57f);
    }
    void TearDown() override {
        gameclock::setSource({});
        GlTest::TearDown();
    }

    // One frame as the game draws it, checking the weapon gives back what the frame expects.
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
        const std::vector<float> view = matrix(GL_MODELVIEW_MATRIX);
        const std::vector<float> projection = matrix(GL_PROJECTION_MATRIX);
        weapon_.draw(glowPass);
        SCOPED_TRACE(ms);
        EXPECT_TRUE(isEnabled(GL_DEPTH_TEST) && isEnabled(GL_TEXTURE_2D) &&
                    getInteger(GL_DEPTH_WRITEMASK));
        EXPECT_FALSE(isEnabled(GL_BLEND) || isEnabled(GL_ALPHA_TEST));
        EXPECT_EQ(getInteger(GL_DEPTH_FUNC), GL_LEQUAL);
        EXPECT_EQ(getInteger(GL_MATRIX_MODE), GL_MODELVIEW);
        EXPECT_EQ(matrix(GL_MODELVIEW_MATRIX), view);
        EXPECT_EQ(matrix(GL_PROJECTION_MATRIX), projection);
        EXPECT_EQ(matrix(GL_TEXTURE_MATRIX),
                  std::vector<float>({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
        EXPECT_EQ(getInteger(GL_MODELVIEW_STACK_DEPTH) + getInteger(GL_PROJECTION_STACK_DEPTH) +
                      getInteger(GL_TEXTURE_STACK_DEPTH),
                  3);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
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

TEST_F(WeaponDrawTest, FlashLastsUntilTheFirstFrameDrawnPastItsDurationInBothPasses) {
    drawFrame(500);
    EXPECT_FALSE(weapon_.isFiring());
    fireAt(1000);
    // Frames 16 ms apart: 1064 is the first beyond 1000 + 60, and still shows the flash.
    for (int t : {1016, 1032, 1048, 1060, 1064}) {
        EXPECT_TRUE(weapon_.isFiring()) << "before the frame at " << t;
        drawFrame(t, t == 1032);
    }
    EXPECT_FALSE(weapon_.isFiring());
    drawFrame(1080);
    EXPECT_FALSE(weapon_.isFiring());
    // Two shots with no frame between them: the flash carries on from the second one.
    fireAt(2000);
    fireAt(2100);
    drawFrame(2160, true);
    drawFrame(2160);
    EXPECT_TRUE(weapon_.isFiring());
}

TEST_F(WeaponDrawTest, CrosshairCoversThe32PixelSquareRightOfAndAboveTheCentre) {
    // White, and large enough that no pixel samples the clamped border or the corner texel,
    // which carries the blue key (a picture without the key would be loaded without alpha).
    bmptest::Picture white{256, 256, std::vector<uint8_t>(256 * 256 * 3, 255)};
    white.rgb[0] = white.rgb[1] = 0;
    const std::string path = bmptest::tempPath("white_crosshair.bmp");
    ASSERT_TRUE(bmptest::writeFile(path, bmptest::encode(white, bmptest::Format{})));
    weapon_.setCrosshairTexture(loaded(texturesets::loadCrosshair, path.c_str()));
    weapon_.setRenderer(nullptr);
    drawFrame(500);
    const std::vector<uint8_t> rgb = gltest::readRgb(0, 0, kWidth, kHeight);
    int lit = 0, misplaced = 0;
    for (size_t i = 0; i < rgb.size(); i += 3) {
        const bool inside = inCrosshair(int(i / 3) % kWidth, int(i / 3) / kWidth);
        const bool white = rgb[i] > 240 && rgb[i + 1] > 240 && rgb[i + 2] > 240;
        lit += white ? 1 : 0;
        misplaced += white != inside ? 1 : 0;
    }
    EXPECT_EQ(lit, 32 * 32);
    EXPECT_EQ(misplaced, 0);
}

TEST_F(WeaponDrawTest, GunSitsLowInTheViewAndTheFlashShowsWhenFiring) {
    mkdir("pictures", 0755);
    drawFrame(1010);
    const std::vector<uint8_t> idle = savePicture("pictures/weapon_idle.png");
    fireAt(1000);
    drawFrame(1010);
    const std::vector<uint8_t> firing = savePicture("pictures/weapon_firing.png");
    // What is not background, outside the crosshair, is the gun: plenty of it, all low, yet
    // no more than a tenth of the screen, or it hides the otters coming at the player.
    const uint8_t* background = &idle[idle.size() - 3];
    long gun = 0, upper = 0, changed = 0;
    for (size_t i = 0; i < idle.size(); i += 3) {
        const int y = int(i / 3) / kWidth;
        if (!inCrosshair(int(i / 3) % kWidth, y) &&
            !std::equal(background, background + 3, &idle[i])) {
            ++gun;
            upper += y >= kHeight / 2 ? 1 : 0;
        }
        changed += std::equal(&idle[i], &idle[i] + 3, &firing[i]) ? 0 : 1;
    }
    EXPECT_GT(gun, 20000);
    EXPECT_LT(gun, kWidth * kHeight / 10);
    EXPECT_EQ(upper, 0);
    EXPECT_GT(changed, 20000);  // flash and recoil
}

}  // namespace

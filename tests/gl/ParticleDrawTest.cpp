// Particle drawing: camera-facing additive squares, the sparkle trail, and the state both leave.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "entities/CursorSparkles.h"
#include "entities/EffectList.h"
#include "entities/ParticleSystem.h"
#include "render/Clock.h"
#include "render/Texture.h"
#include "render/TextureSets.h"
#include "tests/support/GlContext.h"
#include "tools/modelviewer/PngWriter.h"

namespace {

using gltest::GlTest;

void lookAt(const Vector3& eye, const Vector3& centre) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, 1024.0 / 768.0, 1.0, 5000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(eye.x(), eye.y(), eye.z(), centre.x(), centre.y(), centre.z(), 0.0, 1.0, 0.0);
}

int brightness(int x, int y) {
    const gltest::Pixel p = gltest::readPixel(x, y);
    return p.r + p.g + p.b;
}

class ParticleDrawTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        texturesets::loadInterfaceOpaque(particle, "./ressources/textures/particle.bmp", false);
        texturesets::loadInterfaceOpaque(blood, "./ressources/textures/blood.bmp", false);
        std::srand(77);
    }
    void TearDown() override {
        gameclock::setSource({});
        GlTest::TearDown();
    }

    Texture particle, blood;
    std::vector<std::unique_ptr<ParticleSystem>> live;
    EffectList effects{live};
};

TEST_F(ParticleDrawTest, SquaresFaceAnyCameraWithoutDepthWritesAndBlendingIsPutBack) {
    effects.addKillBurst(Vector3(), &particle);  // drawn before any update: white at the origin
    for (bool blendBefore : {false, true}) {
        for (const Vector3& eye : {Vector3(0, 0, 200), Vector3(200, 0, 0), Vector3(0, 200, 1)}) {
            gltest::resetState();
            lookAt(eye, Vector3());
            const std::vector<float> view = gltest::matrix(GL_MODELVIEW_MATRIX);
            blendBefore ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
            effects.draw();
            EXPECT_GT(brightness(512, 384), 300) << eye.x() << " " << eye.y();
            GLfloat depth = 0.0f;
            glReadPixels(512, 384, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
            EXPECT_EQ(depth, 1.0f);
            EXPECT_EQ(gltest::isEnabled(GL_BLEND), blendBefore);
            EXPECT_EQ(gltest::getInteger(GL_DEPTH_WRITEMASK), GL_TRUE);
            EXPECT_TRUE(gltest::isEnabled(GL_DEPTH_TEST));
            EXPECT_EQ(gltest::matrix(GL_MODELVIEW_MATRIX), view);
        }
    }
    // Once finished the system draws nothing, though the list still holds it until next time.
    effects.update(3100.0f);
    ASSERT_TRUE(live[0]->finished());
    gltest::resetState();
    lookAt(Vector3(0, 0, 200), Vector3());
    effects.draw();
    EXPECT_EQ(brightness(512, 384), 0);
}

TEST_F(ParticleDrawTest, SparklesEmitOnlyAfterFiftyMillisecondsAndRestoreTheState) {
    gameclock::setFixed(1000);
    CursorSparkles sparkles;
    const Vector3 cursor(512.0f, 384.0f, 0.0f), before(500.0f, 380.0f, 0.0f);
    glMatrixMode(GL_PROJECTION);
    gluPerspective(60.0, 1.3, 1.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(1.0f, 2.0f, 3.0f);
    const std::vector<float> projection = gltest::matrix(GL_PROJECTION_MATRIX);
    const std::vector<float> modelview = gltest::matrix(GL_MODELVIEW_MATRIX);
    const std::vector<float> identity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    // (clock, live sparkles after the frame): exactly 50 ms is not yet enough.
    const int frames[][2] = {{1000, 0}, {1050, 0}, {1051, 1}, {1100, 1}, {1101, 1}, {1102, 2}};
    for (const auto& frame : frames) {
        gameclock::setFixed(frame[0]);
        glColor4f(0.3f, 0.3f, 0.3f, 0.3f);
        glEnable(GL_BLEND);
        sparkles.updateAndDraw(frame[0] < 1051 ? before : cursor);
        EXPECT_EQ(sparkles.liveCount(), frame[1]) << "at " << frame[0] << " ms";
        EXPECT_FALSE(gltest::isEnabled(GL_BLEND));
        EXPECT_TRUE(gltest::isEnabled(GL_DEPTH_TEST));
        EXPECT_TRUE(gltest::isEnabled(GL_TEXTURE_2D));
        EXPECT_EQ(gltest::getInteger(GL_MATRIX_MODE), GL_MODELVIEW);
        EXPECT_EQ(gltest::matrix(GL_PROJECTION_MATRIX), projection);
        EXPECT_EQ(gltest::matrix(GL_MODELVIEW_MATRIX), modelview);
        glMatrixMode(GL_TEXTURE);
        EXPECT_EQ(gltest::matrix(GL_TEXTURE_MATRIX), identity);
        glMatrixMode(GL_MODELVIEW);
        EXPECT_EQ(gltest::currentColor(), std::vector<float>({1, 1, 1, 1}));
    }
    // The first sparkle follows the cursor's last move; the second, from a still cursor, flies
    // off at up to 10 pixels per hundredth of a second.
    EXPECT_EQ(sparkles.sparkle(0).velocity.x(), 12.0f);
    EXPECT_LE(sparkles.sparkle(1).velocity.length(), 10.0 + 1e-4);
    int lit = 0;
    for (int y = 384 - 16; y < 384 + 16; y += 4) {
        for (int x = 512 - 16; x < 512 + 16; x += 4) {
            lit += brightness(x, y) > 0 ? 1 : 0;
        }
    }
    EXPECT_GT(lit, 10);
}

// Every effect kind in one scene, saved as pictures/effects.png in the build tree to look at.
TEST_F(ParticleDrawTest, SceneWithEveryEffectShowsEachColour) {
    effects.addKillBurst(Vector3(-200.0f, 0.0f, 0.0f), &particle);
    effects.addArrivalSplash(Vector3(200.0f, 0.0f, 0.0f), &blood);
    effects.addTracer(Vector3(-150.0f, 60.0f, 350.0f), Vector3(0.0f, 60.0f, -50.0f), false,
                      &particle);
    effects.addTracer(Vector3(150.0f, 60.0f, 350.0f), Vector3(60.0f, 150.0f, -400.0f), true,
                      &particle);
    effects.addBloodSpray(Vector3(0.0f, 60.0f, -50.0f), Vector3(0.0f, 0.0f, -1.0f), &blood);
    for (int frame = 0; frame < 16; ++frame) {
        effects.update(16.0f);
    }
    glClearColor(0.05f, 0.05f, 0.1f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    lookAt(Vector3(0.0f, 150.0f, 600.0f), Vector3(0.0f, 80.0f, 0.0f));
    effects.draw();
    const std::vector<uint8_t> rgb = gltest::readRgb(0, 0, 1024, 768);
    int red = 0, green = 0, blue = 0;
    for (size_t p = 0; p < rgb.size(); p += 3) {
        const int r = rgb[p], g = rgb[p + 1], b = rgb[p + 2];
        red += r > 100 && r > 2 * g && r > 2 * b;
        green += g > 100 && g > 2 * r && g > 2 * b;
        blue += b > 100 && b > 2 * r && b > 2 * g;
    }
    EXPECT_GT(red, 200);
    EXPECT_GT(green, 200);
    EXPECT_GT(blue, 200);

    std::vector<uint8_t> topDown(rgb.size());
    for (int y = 0; y < 768; ++y) {
        std::copy_n(rgb.begin() + (767 - y) * 1024 * 3, 1024 * 3, topDown.begin() + y * 1024 * 3);
    }
    mkdir("pictures", 0755);
    EXPECT_TRUE(writePng("pictures/effects.png", 1024, 768, topDown));
}

}  // namespace

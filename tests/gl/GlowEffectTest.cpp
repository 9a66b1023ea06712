// GlowEffect: capture corner, blur profile read back from the texture, state left, composite.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "render/GlowEffect.h"
#include "tests/support/GlContext.h"

namespace {

using gltest::GlTest;

class GlowEffectTest : public GlTest {
protected:
    // Paints a w x h block of the back buffer with one colour, whatever the matrices; gives
    // back the scissor (the capture's) as it found it.
    static void fillBlock(int x, int y, int w, int h, float r, float g, float b) {
        GLfloat saved[4];
        glGetFloatv(GL_COLOR_CLEAR_VALUE, saved);
        GLint box[4];
        glGetIntegerv(GL_SCISSOR_BOX, box);
        const bool scissored = glIsEnabled(GL_SCISSOR_TEST);
        glEnable(GL_SCISSOR_TEST);
        glScissor(x, y, w, h);
        glClearColor(r, g, b, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glScissor(box[0], box[1], box[2], box[3]);
        if (!scissored) {
            glDisable(GL_SCISSOR_TEST);
        }
        glClearColor(saved[0], saved[1], saved[2], saved[3]);
    }

    // The texture's level 0 as RGB bytes, bottom row first.
    static std::vector<uint8_t> readTexture(const GlowEffect& glow) {
        std::vector<uint8_t> rgb(static_cast<size_t>(glow.width()) * glow.height() * 3);
        glBindTexture(GL_TEXTURE_2D, glow.texture());
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        return rgb;
    }

    static int red(const std::vector<uint8_t>& rgb, int width, int x, int y) {
        return rgb[(static_cast<size_t>(y) * width + x) * 3];
    }

    // Fills the depth buffer with the nearest depth: anything still depth-tested is hidden.
    static void fillDepthNearest() {
        glClearDepth(0.0);
        glClear(GL_DEPTH_BUFFER_BIT);
        glClearDepth(1.0);
    }

    // Captures whatever `paint` draws into the corner and blurs it with `passes` passes.
    static std::vector<uint8_t> blurred(GlowEffect& glow, int passes, void (*paint)()) {
        glow.setPasses(passes);
        glow.beginCapture();
        glClear(GL_COLOR_BUFFER_BIT);
        paint();
        // The glowing objects leave their depths in the corner; the blur's copies go over them.
        fillDepthNearest();
        glow.blur();
        glow.endCapture();
        return readTexture(glow);
    }
};

// Filter taps by distance, and the same filter applied twice.
float tap(int d) {
    static const float w[] = {0.4f, 0.2f, 0.1f};
    return std::abs(d) <= 2 ? w[std::abs(d)] : 0.0f;
}
float twoTaps(int d) {
    static const float w[] = {0.26f, 0.2f, 0.12f, 0.04f, 0.01f};
    return std::abs(d) <= 4 ? w[std::abs(d)] : 0.0f;
}

TEST_F(GlowEffectTest, ConstructionMakesAnRgbTextureOfTheCaptureSizeAndLeavesTexturingOff) {
    GlowEffect glow(32, 16);
    EXPECT_FALSE(gltest::isEnabled(GL_TEXTURE_2D));
    glBindTexture(GL_TEXTURE_2D, glow.texture());
    GLint w = 0, h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    EXPECT_EQ(w, 32);
    EXPECT_EQ(h, 16);

    // The capture takes the viewport's corner: the picture's, beside which may lie a bar.
    glViewport(10, 20, 300, 400);
    glow.beginCapture();
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    EXPECT_EQ((std::vector<GLint>{vp[0], vp[1], vp[2], vp[3]}),
              (std::vector<GLint>{10, 20, 32, 16}));
    glGetIntegerv(GL_SCISSOR_BOX, vp);
    EXPECT_EQ((std::vector<GLint>{vp[0], vp[1], vp[2], vp[3]}),
              (std::vector<GLint>{10, 20, 32, 16}));
    glow.endCapture();
    glGetIntegerv(GL_VIEWPORT, vp);
    EXPECT_EQ((std::vector<GLint>{vp[0], vp[1], vp[2], vp[3]}),
              (std::vector<GLint>{10, 20, 300, 400}));
}

TEST_F(GlowEffectTest, EachPassSpreadsLightWithTheFiveTapWeightsBothWays) {
    GlowEffect glow(64, 64);
    const std::vector<uint8_t> tex =
        blurred(glow, 1, [] { fillBlock(32, 32, 1, 1, 1.0f, 1.0f, 1.0f); });
    long total = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const float expected = 255.0f * tap(x - 32) * tap(y - 32);
            EXPECT_NEAR(red(tex, 64, x, y), expected, 3.0f) << "texel " << x << "," << y;
            total += red(tex, 64, x, y);
        }
    }
    // The weights sum to one: the blur spreads the light without adding or losing much.
    EXPECT_NEAR(total, 255, 12);

    // Two passes apply the filter twice in each direction: a vertical line shows the
    // horizontal filter, a horizontal line the vertical one.
    const std::vector<uint8_t> across =
        blurred(glow, 2, [] { fillBlock(32, 0, 1, 64, 1.0f, 1.0f, 1.0f); });
    const std::vector<uint8_t> down =
        blurred(glow, 2, [] { fillBlock(0, 32, 64, 1, 1.0f, 1.0f, 1.0f); });
    for (int d = -6; d <= 6; ++d) {
        EXPECT_NEAR(red(across, 64, 32 + d, 20), 255.0f * twoTaps(d), 3.0f) << d;
        EXPECT_NEAR(red(down, 64, 20, 32 + d), 255.0f * twoTaps(d), 3.0f) << d;
    }
}

TEST_F(GlowEffectTest, ZeroPassesKeepsTheCaptureUnblurred) {
    GlowEffect glow(64, 64);
    const std::vector<uint8_t> tex =
        blurred(glow, 0, [] { fillBlock(10, 50, 2, 1, 1.0f, 0.5f, 0.25f); });
    EXPECT_EQ(red(tex, 64, 10, 50), 255);
    EXPECT_EQ(red(tex, 64, 11, 50), 255);
    EXPECT_EQ(tex[(50 * 64 + 10) * 3 + 1], 128);
    EXPECT_EQ(tex[(50 * 64 + 10) * 3 + 2], 64);
    EXPECT_EQ(red(tex, 64, 12, 50), 0);
    EXPECT_EQ(red(tex, 64, 9, 50), 0);
    EXPECT_EQ(red(tex, 64, 10, 51), 0);

    // Beside a bar the capture is the picture's corner: the same texels, the bar untouched.
    glClear(GL_COLOR_BUFFER_BIT);
    fillBlock(0, 0, 200, 768, 0.5f, 0.5f, 0.5f);
    glViewport(200, 100, 600, 450);
    const std::vector<uint8_t> offset =
        blurred(glow, 1, [] { fillBlock(200 + 10, 100 + 50, 2, 1, 1.0f, 0.5f, 0.25f); });
    EXPECT_GT(red(offset, 64, 10, 50), 40);
    EXPECT_EQ(red(offset, 64, 40, 20), 0);
    EXPECT_NEAR(gltest::readPixel(150, 120).r, 128, 1) << "the blur's clears reached the bar";
    glViewport(0, 0, 1024, 768);
}

TEST_F(GlowEffectTest, BlurRestoresDepthAndBlendingKeepsMatricesAndStaysInTheCorner) {
    GlowEffect glow(64, 64);
    glow.setPasses(1);
    glMatrixMode(GL_PROJECTION);
    gluPerspective(70.0, 1.3, 2.0, 500.0);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(1.0f, 2.0f, 3.0f);
    const std::vector<float> projection = gltest::matrix(GL_PROJECTION_MATRIX);
    const std::vector<float> modelview = gltest::matrix(GL_MODELVIEW_MATRIX);
    glDepthMask(GL_TRUE);
    fillBlock(0, 0, 1024, 768, 1.0f, 0.0f, 0.0f);

    glow.beginCapture();
    glow.blur();
    EXPECT_TRUE(gltest::isEnabled(GL_DEPTH_TEST));
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_EQ(depthWrites, GL_TRUE);
    EXPECT_FALSE(gltest::isEnabled(GL_BLEND));
    EXPECT_EQ(gltest::matrix(GL_PROJECTION_MATRIX), projection);
    EXPECT_EQ(gltest::matrix(GL_MODELVIEW_MATRIX), modelview);
    EXPECT_EQ(gltest::getInteger(GL_MATRIX_MODE), GL_MODELVIEW);
    glow.endCapture();

    // The passes clear the corner only, and the capture's scissor ends with it: a scissor
    // left behind would clip the whole frame to the corner.
    EXPECT_EQ(gltest::readPixel(600, 500).r, 255);
    EXPECT_FALSE(gltest::isEnabled(GL_SCISSOR_TEST));
}

TEST_F(GlowEffectTest, CompositeAddsTheTextureStretchedOverTheScreenScaledByIntensity) {
    GlowEffect glow(64, 64);
    fillBlock(0, 0, 32, 64, 1.0f, 0.0f, 0.0f);
    fillBlock(32, 0, 32, 64, 0.0f, 1.0f, 0.0f);
    glow.copyFramebuffer();
    EXPECT_FALSE(gltest::isEnabled(GL_TEXTURE_2D));

    glEnable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glOrtho(-3.0, 3.0, -2.0, 2.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    const std::vector<float> projection = gltest::matrix(GL_PROJECTION_MATRIX);
    fillBlock(0, 0, 1024, 768, 0.2f, 0.2f, 0.2f);
    // The finished scene's depths must not hide the glow.
    fillDepthNearest();
    glow.setIntensity(0.5f);
    glow.composite();

    // Left half of the texture over the left half of the screen, right over right.
    const gltest::Pixel left = gltest::readPixel(256, 384);
    const gltest::Pixel right = gltest::readPixel(768, 600);
    EXPECT_NEAR(left.r, 51 + 128, 2);
    EXPECT_NEAR(left.g, 51, 2);
    EXPECT_NEAR(right.r, 51, 2);
    EXPECT_NEAR(right.g, 51 + 128, 2);
    EXPECT_NEAR(right.b, 51, 2);

    EXPECT_TRUE(gltest::isEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(gltest::isEnabled(GL_BLEND));
    EXPECT_FALSE(gltest::isEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(gltest::matrix(GL_PROJECTION_MATRIX), projection);
    EXPECT_EQ(gltest::getInteger(GL_MATRIX_MODE), GL_MODELVIEW);
}

}  // namespace

// reshapePerspective: the viewport on the picture's rectangle, aspect 1, matrix mode left
// behind; the bars beside the picture cleared to black.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "framework/ScreenDefaults.h"
#include "render/PictureFrame.h"
#include "render/ScreenSpace.h"
#include "tests/support/GlContext.h"

namespace {

using gltest::GlTest;

class ReshapeTest : public GlTest {};

std::vector<GLint> viewport() {
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    return {v[0], v[1], v[2], v[3]};
}

TEST_F(ReshapeTest, TheViewportIsThePicturesAndEveryViewHasAspectOne) {
    struct Case {
        int w, h;
        std::vector<GLint> viewport;
    };
    for (const Case& c :
         {Case{1024, 768, {0, 0, 1024, 768}}, Case{800, 600, {0, 0, 800, 600}},
          Case{1600, 900, {200, 0, 1200, 900}}, Case{1280, 1024, {0, 32, 1280, 960}},
          Case{1280, 600, {240, 0, 800, 600}}, Case{1024, 0, {511, 0, 1, 1}}}) {
        reshapePerspective(c.w, c.h);
        EXPECT_EQ(viewport(), c.viewport) << c.w << "x" << c.h;
        const std::vector<float> p = gltest::matrix(GL_PROJECTION_MATRIX);
        // 90 degrees: cot(45) = 1 vertically, and as much horizontally.
        EXPECT_NEAR(p[5], 1.0f, 1e-5f);
        EXPECT_NEAR(p[0], 1.0f, 1e-5f);
        // near 1, far 10000
        EXPECT_NEAR(p[10], -(10000.0f + 1.0f) / (10000.0f - 1.0f), 1e-5f);
        EXPECT_NEAR(p[14], -2.0f * 10000.0f / (10000.0f - 1.0f), 1e-4f);
        EXPECT_EQ(gltest::getInteger(GL_MATRIX_MODE), GL_MODELVIEW);
    }
    reshapePerspective(1024, 768);
}

TEST_F(ReshapeTest, BarsAreClearedToBlackAndThePictureLeftAlone) {
    // Both sides of each kind: letterbox (a window taller than 4:3) and pillarbox.
    struct Case {
        int w, h;
        int barX, barY;      // a pixel on a bar
        int otherX, otherY;  // one on the other bar
    };
    for (const Case& c :
         {Case{1024, 768 + 100, 512, 10, 512, 858}, Case{1000, 700, 10, 350, 990, 350}}) {
        // (The letterbox's top bar lies above the test's 1024 x 768 drawing area.)
        PictureFrame::current().setWindowSize(c.w, c.h);
        glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        screenspace::clearBars();
        EXPECT_EQ(gltest::readPixel(c.barX, c.barY).r, 0) << c.w << "x" << c.h;
        if (c.otherY < 768) {
            EXPECT_EQ(gltest::readPixel(c.otherX, c.otherY).b, 0) << c.w << "x" << c.h;
        }
        const PictureFrame::Rect& p = PictureFrame::current().picture();
        for (int x : {p.left, p.left + p.width - 1}) {
            for (int y : {p.bottom, std::min(p.bottom + p.height, 768) - 1}) {
                EXPECT_NEAR(gltest::readPixel(x, y).b, 153, 1) << x << "," << y;
            }
        }
        EXPECT_FALSE(gltest::isEnabled(GL_SCISSOR_TEST));
        GLfloat clear[4];
        glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
        EXPECT_FLOAT_EQ(clear[1], 0.4f) << "the clear colour is given back";
    }
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    PictureFrame::current().setWindowSize(1024, 768);
}

}  // namespace

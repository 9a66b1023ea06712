// reshapePerspective: viewport, projection with an integer aspect, matrix mode left behind.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "framework/ScreenDefaults.h"
#include "tests/support/GlContext.h"

namespace {

using gltest::GlTest;

class ReshapeTest : public GlTest {};

TEST_F(ReshapeTest, SetsViewportAndA90DegreeProjectionWithWholeNumberAspect) {
    struct Case {
        int w, h;
        float aspect;
    };
    for (const Case c : {Case{1024, 768, 1.0f}, Case{800, 600, 1.0f}, Case{1280, 600, 2.0f}}) {
        reshapePerspective(c.w, c.h);
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], c.w);
        EXPECT_EQ(viewport[3], c.h);
        const std::vector<float> p = gltest::matrix(GL_PROJECTION_MATRIX);
        // 90 degrees: cot(45) = 1 vertically; horizontally divided by the aspect.
        EXPECT_NEAR(p[5], 1.0f, 1e-5f);
        EXPECT_NEAR(p[0], 1.0f / c.aspect, 1e-5f);
        // near 1, far 10000
        EXPECT_NEAR(p[10], -(10000.0f + 1.0f) / (10000.0f - 1.0f), 1e-5f);
        EXPECT_NEAR(p[14], -2.0f * 10000.0f / (10000.0f - 1.0f), 1e-4f);
        EXPECT_EQ(gltest::getInteger(GL_MATRIX_MODE), GL_MODELVIEW);
    }
    reshapePerspective(1024, 768);
}

TEST_F(ReshapeTest, ZeroHeightStillGivesAUsableProjection) {
    reshapePerspective(1024, 0);
    const std::vector<float> p = gltest::matrix(GL_PROJECTION_MATRIX);
    EXPECT_NEAR(p[5], 1.0f, 1e-5f);
    EXPECT_NEAR(p[0], 1.0f / 1024.0f, 1e-7f);
    reshapePerspective(1024, 768);
}

}  // namespace

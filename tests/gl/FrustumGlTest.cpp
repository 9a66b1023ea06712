// Frustum::extract(true): planes from the matrices OpenGL holds, as the game sets them.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <vector>

#include "render/Frustum.h"
#include "render/Model.h"
#include "tests/support/GlContext.h"

namespace {

using gltest::GlTest;

class FrustumGlTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        // A unit cube: the model stands on y = 0, so the object sits 0.5 below the centre.
        std::vector<ModelVertex> vertices(3);
        vertices[0].position = Vector3(-0.5f, 0.0f, -0.5f);
        vertices[1].position = Vector3(0.5f, 1.0f, 0.5f);
        vertices[2].position = Vector3(0.5f, 0.0f, 0.5f);
        model.setVertices(vertices);
    }

    bool sees(Frustum& frustum, float x, float y, float z) {
        return frustum.containsBox(Vector3(x, y - 0.5f, z), &model, 1.0f);
    }

    Model model;
};

TEST_F(FrustumGlTest, ReadsTheCurrentMatricesWhenAsked) {
    glMatrixMode(GL_PROJECTION);
    gluPerspective(90.0, 1.0, 1.0, 10000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    Frustum frustum;
    frustum.extract(true);
    // The box test itself is FrustumTest's; here only which matrices it uses.
    EXPECT_TRUE(sees(frustum, 0, 0, -5));
    EXPECT_FALSE(sees(frustum, 0, 0, 5));

    // Moving the camera changes nothing until the frustum is extracted again; extract(false)
    // keeps the stored matrices.
    gluLookAt(0, 0, 0, 0, 0, 1, 0, 1, 0);  // now looking along +z
    frustum.extract(false);
    EXPECT_TRUE(sees(frustum, 0, 0, -5));
    frustum.extract(true);
    EXPECT_FALSE(sees(frustum, 0, 0, -5));
    EXPECT_TRUE(sees(frustum, 0, 0, 5));
}

TEST_F(FrustumGlTest, PickMatrixNarrowsTheVolumeToThePixelsUnderTheCrosshair) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glMatrixMode(GL_PROJECTION);
    gluPickMatrix(viewport[2] / 2.0, viewport[3] / 2.0, 1.0, 1.0, viewport);
    gluPerspective(90.0, static_cast<double>(viewport[2]) / viewport[3], 1.0, 10000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, 0, 1, 0, 0, 0, 1, 0);  // looking along +x

    Frustum frustum;
    frustum.extract(true);
    EXPECT_TRUE(sees(frustum, 100, 0, 0));
    EXPECT_FALSE(sees(frustum, 100, 0, 3));
    EXPECT_FALSE(sees(frustum, 100, 3, 0));
    EXPECT_FALSE(sees(frustum, -100, 0, 0));
}

}  // namespace

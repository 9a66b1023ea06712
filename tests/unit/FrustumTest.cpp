// Frustum: plane extraction from given matrices and the conservative eight-corner box test.
#include "render/Frustum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "render/Model.h"

namespace {

// gluPerspective(fovy, aspect, near, far), column-major, written out independently.
std::vector<float> projectionMatrix(double fovyDegrees, double aspect, double zNear, double zFar) {
    const double f = 1.0 / std::tan(fovyDegrees * M_PI / 360.0);
    std::vector<float> m(16, 0.0f);
    m[0] = static_cast<float>(f / aspect);
    m[5] = static_cast<float>(f);
    m[10] = static_cast<float>((zFar + zNear) / (zNear - zFar));
    m[11] = -1.0f;
    m[14] = static_cast<float>(2.0 * zFar * zNear / (zNear - zFar));
    return m;
}

const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// A model whose box is a cube of the given edge with its centre at the origin once the object
// stands at y = -edge / 2.
std::vector<ModelVertex> cube(float edge) {
    std::vector<ModelVertex> vertices(6);
    const float h = edge / 2.0f;
    vertices[0].position = Vector3(-h, -h, -h);
    vertices[1].position = Vector3(h, h, h);
    vertices[2].position = Vector3(-h, h, h);
    vertices[3].position = Vector3(h, -h, -h);
    vertices[4].position = Vector3(h, h, -h);
    vertices[5].position = Vector3(-h, -h, h);
    return vertices;
}

class FrustumTest : public ::testing::Test {
protected:
    void SetUp() override {
        model.setVertices(cube(1.0f));
        const std::vector<float> p = projectionMatrix(90.0, 1.0, 1.0, 10000.0);
        frustum.setMatrices(kIdentity, p.data());
        frustum.extract(false);
    }

    // Is a unit box centred on (x, y, z) seen?
    bool sees(float x, float y, float z, float scale = 1.0f) {
        return frustum.containsBox(Vector3(x, y - 0.5f * scale, z), &model, scale);
    }

    Model model;
    Frustum frustum;
};

TEST_F(FrustumTest, BoxInFrontIsSeenBehindIsNot) {
    EXPECT_TRUE(sees(0, 0, -5));
    EXPECT_FALSE(sees(0, 0, 5));
    // Straddling the near plane (z = -1) counts as seen; wholly behind the camera does not,
    // even when it would fit the side planes' mirror image.
    EXPECT_TRUE(sees(0, 0, -1));
    EXPECT_TRUE(sees(0, 0, -0.6f));
    EXPECT_FALSE(sees(0, 0, -0.4f));
    EXPECT_FALSE(sees(0, 0, 100));
    // Beyond the far plane, and far off to each side.
    EXPECT_FALSE(sees(0, 0, -10020));
    EXPECT_TRUE(sees(0, 0, -9980));
    EXPECT_FALSE(sees(20, 0, -5));
    EXPECT_FALSE(sees(-20, 0, -5));
    EXPECT_FALSE(sees(0, 20, -5));
    EXPECT_FALSE(sees(0, -20, -5));
}

TEST_F(FrustumTest, CornerExactlyOnAPlaneDoesNotCount) {
    // Box x 5.5..6.5, z -5.5..-4.5: its best corner for the right plane (x < -z) is
    // (5.5, -5.5), exactly on it.
    EXPECT_FALSE(sees(6, 0, -5));
    EXPECT_TRUE(sees(5.99f, 0, -5));
    // The same on the left and top planes.
    EXPECT_FALSE(sees(-6, 0, -5));
    EXPECT_TRUE(sees(-5.99f, 0, -5));
    EXPECT_FALSE(sees(0, 6, -5));
    EXPECT_TRUE(sees(0, 5.99f, -5));
}

TEST_F(FrustumTest, ScaleGrowsTheBoxAroundItsCentre) {
    EXPECT_FALSE(sees(8, 0, -5));
    EXPECT_TRUE(sees(8, 0, -5, 6.0f));
    EXPECT_FALSE(sees(8, 0, -5, 0.5f));
}

TEST_F(FrustumTest, ModelBoxCentreIsAddedToThePosition) {
    // The model stands on y = 0, its box centre 0.5 above the object's position. At z -5.5
    // (the box's far face) the view spans y -5.5..5.5.
    EXPECT_FALSE(frustum.containsBox(Vector3(0, 5.7f, -5), &model, 1.0f));  // box y 5.7..6.7
    EXPECT_TRUE(frustum.containsBox(Vector3(0, -6.3f, -5), &model, 1.0f));  // box y -6.3..-5.3
}

// A model drawn enlarged about its origin (a giant otter) is tested where it is drawn: its
// head, high above the unscaled box, is on a pick line through it.
TEST_F(FrustumTest, AScaledModelsBoxRisesWithIt) {
    const std::vector<float> thin = projectionMatrix(1.0, 1.0, 1.0, 10000.0);
    frustum.setMatrices(kIdentity, thin.data());
    frustum.extract(false);
    // Standing at y -2.2, drawn 2.5 times its unit height: from -2.2 to 0.3, so the view line
    // at y 0 crosses its top. An unscaled centre would test -2.95..-0.45 and miss it.
    EXPECT_TRUE(frustum.containsBox(Vector3(0, -2.2f, -5), &model, 2.5f));
    EXPECT_FALSE(frustum.containsBox(Vector3(0, -2.2f, -5), &model, 1.0f));
}

TEST_F(FrustumTest, ModelViewIsAppliedBeforeTheProjection) {
    // The camera stands at (100, 0, 0) looking down -x: world (x, y, z) is at eye
    // (-z, y, x - 100). Multiplying the other way round would not see the same boxes.
    const float c = 0.0f, s = 1.0f;
    const float modelview[16] = {c, 0, s, 0, 0, 1, 0, 0, -s, 0, c, 0, 0, 0, -100, 1};
    const std::vector<float> p = projectionMatrix(90.0, 1.0, 1.0, 10000.0);
    frustum.setMatrices(modelview, p.data());
    frustum.extract(false);
    // Visible when x < 99 and |z| < 100 - x.
    EXPECT_TRUE(sees(0, 0, 0));
    EXPECT_TRUE(sees(50, 0, 20));
    EXPECT_FALSE(sees(150, 0, 0));
    EXPECT_FALSE(sees(50, 0, 60));
}

TEST(FrustumNoModelTest, ObjectWithoutModelIsTestedAsAPoint) {
    Frustum frustum;
    const std::vector<float> p = projectionMatrix(90.0, 1.0, 1.0, 10000.0);
    frustum.setMatrices(kIdentity, p.data());
    frustum.extract(false);
    EXPECT_TRUE(frustum.containsBox(Vector3(0, 0, -5), nullptr, 1.0f));
    EXPECT_FALSE(frustum.containsBox(Vector3(0, 0, 5), nullptr, 1.0f));
}

}  // namespace

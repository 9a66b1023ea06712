// ToonRamp: the per-vertex ramp coordinate and the life of its buffer.
#include "render/ToonRamp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "render/Model.h"

namespace {

// One triangle on the floor (y = 0), already centred, so recentring leaves it where it is.
std::unique_ptr<Model> floorTriangle(const Vector3& normal) {
    std::vector<ModelVertex> v(3);
    v[0].position = Vector3(-1, 0, -1);
    v[1].position = Vector3(1, 0, -1);
    v[2].position = Vector3(0, 0, 1);
    for (ModelVertex& vertex : v) {
        vertex.normal = normal;
    }
    auto model = std::make_unique<Model>();
    model->setVertices(v);
    return model;
}

TEST(ToonRampTest, CoordinateIsTheDiffuseTermTowardsTheLightWithZeroT) {
    const std::unique_ptr<Model> up = floorTriangle(Vector3(0, 1, 0));
    ToonRamp ramp;
    struct Case {
        Vector3 light;
        float s[3];
    };
    const float diagonal = static_cast<float>(1.0 / std::sqrt(2.0));
    const Case cases[] = {
        // Straight above the first vertex: along its normal. The others see it slanted.
        {Vector3(-1, 2, -1), {1.0f, 2.0f / std::sqrt(8.0f), 2.0f / std::sqrt(9.0f)}},
        // Far below: the back of the light, negative (the ramp's clamp makes it the darkest).
        {Vector3(0, -1e6f, 0), {-1.0f, -1.0f, -1.0f}},
        // In the floor's plane: grazing, 0.
        {Vector3(-3, 0, -1), {0.0f, 0.0f, 0.0f}},
        // 45 degrees over the first vertex.
        {Vector3(1, 2, -1), {diagonal, 1.0f, 2.0f / std::sqrt(9.0f)}},
    };
    for (const Case& c : cases) {
        const float* st = ramp.compute(*up, c.light);
        ASSERT_NE(st, nullptr);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(st[2 * i], c.s[i], 1e-5f) << "vertex " << i;
            EXPECT_EQ(st[2 * i + 1], 0.0f);
        }
    }
}

// A light exactly on a vertex has no direction: no NaN may reach OpenGL.
TEST(ToonRampTest, LightOnAVertexGivesAFiniteCoordinate) {
    ToonRamp ramp;
    const std::unique_ptr<Model> up = floorTriangle(Vector3(0, 1, 0));
    EXPECT_TRUE(std::isfinite(ramp.compute(*up, Vector3(-1, 0, -1))[0]));
}

TEST(ToonRampTest, BufferGrowsForBiggerModelsOnlyAndKeepsItsAddress) {
    const auto model = [](unsigned triangles) {
        auto m = std::make_unique<Model>();
        std::vector<ModelVertex> v(3 * triangles);
        for (unsigned i = 0; i < v.size(); ++i) {
            // Distinct vertices: the ramp holds one coordinate per shared vertex.
            v[i].position = Vector3(static_cast<float>(i % 7), static_cast<float>(i % 5),
                                    static_cast<float>(i));
            v[i].normal = Vector3(0, 0, 1);
        }
        m->setVertices(v);
        return m;
    };
    const std::unique_ptr<Model> small = model(10);
    const std::unique_ptr<Model> big = model(100);
    const Model empty;
    ToonRamp ramp;
    EXPECT_EQ(ramp.capacity(), 0u);
    ramp.compute(empty, Vector3(0, 0, 1));
    EXPECT_EQ(ramp.capacity(), 0u);
    ramp.compute(*small, Vector3(0, 0, 1));
    EXPECT_EQ(ramp.capacity(), 30u);
    const float* grown = ramp.compute(*big, Vector3(0, 0, 1));
    EXPECT_EQ(ramp.capacity(), 300u);
    EXPECT_EQ(ramp.compute(*small, Vector3(0, 0, 1)), grown);
    EXPECT_EQ(ramp.compute(empty, Vector3(0, 0, 1)), grown);
    EXPECT_EQ(ramp.capacity(), 300u);
}

}  // namespace

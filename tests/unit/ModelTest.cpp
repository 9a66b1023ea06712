// Model: triangles assembled from OBJ files, recentring, radius and box, hostile indices.
#include "render/Model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Loads a model from OBJ text through a real file, as the game does.
void loadText(Model& model, const std::string& text) {
    const std::string path = testing::TempDir() + "model_test.obj";
    FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(text.data(), 1, text.size(), out);
    std::fclose(out);
    model.load(path.c_str());
    std::remove(path.c_str());
}

void expectPosition(const ModelVertex& v, float x, float y, float z) {
    EXPECT_FLOAT_EQ(v.position.x(), x);
    EXPECT_FLOAT_EQ(v.position.y(), y);
    EXPECT_FLOAT_EQ(v.position.z(), z);
}

const char kCube[] =
    "v 0 0 0\nv 2 0 0\nv 2 4 0\nv 0 4 0\nv 0 0 6\nv 2 0 6\nv 2 4 6\nv 0 4 6\n"
    "f 1 2 3\nf 1 3 4\nf 5 6 7\nf 5 7 8\nf 1 2 6\nf 1 6 5\n"
    "f 4 3 7\nf 4 7 8\nf 1 4 8\nf 1 8 5\nf 2 3 7\nf 2 7 6\n";

TEST(ModelTest, CubeIsRecentredOnTheYAxisStandingOnTheGround) {
    Model model;
    loadText(model, kCube);
    ASSERT_EQ(model.vertexCount(), 36u);
    float lo[3] = {1e9f, 1e9f, 1e9f}, hi[3] = {-1e9f, -1e9f, -1e9f};
    for (unsigned i = 0; i < model.vertexCount(); ++i) {
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::min(lo[a], model.vertices()[i].position[a]);
            hi[a] = std::max(hi[a], model.vertices()[i].position[a]);
        }
    }
    EXPECT_FLOAT_EQ(lo[0], -1.0f);
    EXPECT_FLOAT_EQ(hi[0], 1.0f);
    EXPECT_FLOAT_EQ(lo[1], 0.0f);
    EXPECT_FLOAT_EQ(hi[1], 4.0f);
    EXPECT_FLOAT_EQ(lo[2], -3.0f);
    EXPECT_FLOAT_EQ(hi[2], 3.0f);
    // The first triangle keeps its corner order: (0,0,0), (2,0,0), (2,4,0) moved.
    expectPosition(model.vertices()[0], -1.0f, 0.0f, -3.0f);
    expectPosition(model.vertices()[1], 1.0f, 0.0f, -3.0f);
    expectPosition(model.vertices()[2], 1.0f, 4.0f, -3.0f);

    // Drawn through indices, each of the cube's eight corners (no normals or texture
    // coordinates to tell them apart) is kept once and every triangle still reads its own.
    ASSERT_EQ(model.sharedVertexCount(), 8u);
    ASSERT_EQ(model.indexCount(), 36u);
    for (unsigned i = 0; i < model.indexCount(); ++i) {
        ASSERT_LT(model.indices()[i], 8u);
        EXPECT_EQ(std::memcmp(&model.sharedVertices()[model.indices()[i]], &model.vertices()[i],
                              sizeof(ModelVertex)),
                  0);
    }

    EXPECT_FLOAT_EQ(model.radius(), 3.0f);
    const BoundingBox& box = model.boundingBox();
    EXPECT_FLOAT_EQ(box.center.x(), 0.0f);
    EXPECT_FLOAT_EQ(box.center.y(), 2.0f);
    EXPECT_FLOAT_EQ(box.center.z(), 0.0f);
    EXPECT_FLOAT_EQ(box.halfHeight, 2.0f);
    // The box is square in plan: both horizontal half extents are the radius.
    EXPECT_FLOAT_EQ(box.halfWidth, 3.0f);
    EXPECT_FLOAT_EQ(box.halfDepth, 3.0f);
}

TEST(ModelTest, CornersTakeTheirPositionTextureCoordinateAndNormalInOrder) {
    Model model;
    loadText(model,
             "v 0 0 0\nv 4 2 0\nv 0 2 2\n"
             "vt 0.1 0.2\nvt 0.3 0.4\nvt 0.5 0.6\n"
             "vn 1 0 0\nvn 0 2 0\nvn 0 0 -1\n"
             "f 1/1/1 2/2/2 3/3/3\n"
             "f 3/1/2 1/3/1 2/2/3\n");
    ASSERT_EQ(model.vertexCount(), 6u);
    const ModelVertex* v = model.vertices();
    expectPosition(v[0], -2.0f, 0.0f, -1.0f);
    expectPosition(v[1], 2.0f, 2.0f, -1.0f);
    expectPosition(v[2], -2.0f, 2.0f, 1.0f);
    const float uv[6][2] = {{0.1f, 0.2f}, {0.3f, 0.4f}, {0.5f, 0.6f},
                            {0.1f, 0.2f}, {0.5f, 0.6f}, {0.3f, 0.4f}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_FLOAT_EQ(v[i].u, uv[i][0]) << i;  // as read, not flipped
        EXPECT_FLOAT_EQ(v[i].v, uv[i][1]) << i;
    }
    EXPECT_FLOAT_EQ(v[1].normal.y(), 2.0f);  // not renormalised
    EXPECT_FLOAT_EQ(v[3].normal.y(), 2.0f);
    EXPECT_FLOAT_EQ(v[5].normal.z(), -1.0f);
}

TEST(ModelTest, RadiusIsTheLargerHorizontalHalfSize) {
    Model model;
    loadText(model, "v 0 1 0\nv 10 3 0\nv 10 1 2\nf 1 2 3\n");
    EXPECT_FLOAT_EQ(model.radius(), 5.0f);
    EXPECT_FLOAT_EQ(model.boundingBox().halfDepth, 5.0f);
    EXPECT_FLOAT_EQ(model.boundingBox().halfHeight, 1.0f);
    EXPECT_FLOAT_EQ(model.boundingBox().center.y(), 1.0f);
}

TEST(ModelTest, QuadAndEarlyFacesGiveOneTriangleEach) {
    Model model;
    loadText(model, "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3 4\nvt 0 0\nvt 1 1\n");
    ASSERT_EQ(model.vertexCount(), 3u);
    expectPosition(model.vertices()[0], -0.5f, 0.0f, 0.0f);
    expectPosition(model.vertices()[1], 0.5f, 0.0f, 0.0f);
    expectPosition(model.vertices()[2], 0.5f, 1.0f, 0.0f);
    EXPECT_FLOAT_EQ(model.vertices()[2].u, 0.0f);  // read before the texture coordinates
}

TEST(ModelTest, EmptyOrMissingFileLeavesNoVertices) {
    Model model;
    loadText(model, kCube);
    ASSERT_EQ(model.vertexCount(), 36u);
    loadText(model, "");
    EXPECT_EQ(model.vertexCount(), 0u);
    EXPECT_EQ(model.radius(), 0.0f);
    EXPECT_EQ(model.boundingBox().halfHeight, 0.0f);

    loadText(model, kCube);
    model.load("no/such/model.obj");
    EXPECT_EQ(model.vertexCount(), 0u);
    EXPECT_EQ(model.vertices(), nullptr);
    EXPECT_EQ(model.boundingBox().halfWidth, 0.0f);
}

TEST(ModelTest, CornersWithBadIndicesGetZerosWithoutReadingOutside) {
    Model model;
    loadText(model,
             "v 1 1 1\nv 3 5 3\nvt 0.5 0.5\nvn 0 1 0\n"
             "f 1/1/1 2/1/1 2/1/1\n"     // a good face for reference
             "f 0/0/0 -1/-1/-1 3/2/2\n"  // zero, negative, past the end
             "f 2/1/1 2/1 1/1/1\n"       // the scan stops at the second corner's normal
             "f 2147483647/1/1 -2147483648/1/1 1/99999/1\n");
    ASSERT_EQ(model.vertexCount(), 12u);
    const ModelVertex* v = model.vertices();
    // Recentred by the good corners and the zero corners: x and z span 0..3, y spans 0..5.
    for (int i = 3; i < 6; ++i) {
        expectPosition(v[i], -1.5f, 0.0f, -1.5f);  // (0, 0, 0) moved
        EXPECT_EQ(v[i].u, 0.0f);
        EXPECT_EQ(v[i].normal.y(), 0.0f);
    }
    expectPosition(v[6], 1.5f, 5.0f, 1.5f);
    EXPECT_FLOAT_EQ(v[6].u, 0.5f);
    EXPECT_EQ(v[7].normal.y(), 0.0f);  // "2/1" gave the texture index only
    EXPECT_FLOAT_EQ(v[7].u, 0.5f);
    expectPosition(v[8], -1.5f, 0.0f, -1.5f);
    expectPosition(v[9], -1.5f, 0.0f, -1.5f);
    expectPosition(v[10], -1.5f, 0.0f, -1.5f);
    EXPECT_EQ(v[11].u, 0.0f);
    EXPECT_FLOAT_EQ(v[11].normal.y(), 1.0f);
}

}  // namespace

// SkyBox: exact corners and texture coordinates (feedback mode), face textures and state.
#include "render/SkyBox.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "render/Texture.h"
#include "tests/support/BmpWriter.h"
#include "tests/support/GlContext.h"

namespace {

using gltest::GlTest;

class SkyBoxTest : public GlTest {
protected:
    void TearDown() override {
        if (!names_.empty()) {
            glDeleteTextures(static_cast<GLsizei>(names_.size()), names_.data());
        }
        GlTest::TearDown();
    }

    // A 2 x 2 texture of one colour, with repeating wraps so the test can see them changed.
    GLuint solidTexture(uint8_t r, uint8_t g, uint8_t b) {
        GLuint name = 0;
        glGenTextures(1, &name);
        names_.push_back(name);
        const uint8_t texels[12] = {r, g, b, r, g, b, r, g, b, r, g, b};
        glBindTexture(GL_TEXTURE_2D, name);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        glBindTexture(GL_TEXTURE_2D, 0);
        return name;
    }

    // The game's view: 90 degrees, near 1, far 10000, camera at the origin looking along
    // (dx, dy, dz).
    static void lookFromOrigin(float dx, float dy, float dz) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(90.0, 1024.0 / 768.0, 1.0, 10000.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        const bool vertical = dx == 0.0f && dz == 0.0f;
        gluLookAt(0, 0, 0, dx, dy, dz, 0, vertical ? 0 : 1, vertical ? -1 : 0);
    }

    std::vector<GLuint> names_;
};

// One vertex as fed back, brought back to object space.
struct FedVertex {
    double x, y, z;
    float s, t;
};

// Draws in feedback mode under an oblique orthographic view (so no face is seen edge-on) and
// returns the polygons with their vertices mapped back to object coordinates.
template <typename Draw>
std::vector<std::vector<FedVertex>> capturePolygons(Draw draw) {
    const double extent = 12000.0;  // holds the box around any camera these tests use
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-extent, extent, -extent, extent, -extent, extent);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(30.0f, 1, 0, 0);
    glRotatef(40.0f, 0, 1, 0);
    const std::vector<float> m = gltest::matrix(GL_MODELVIEW_MATRIX);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);

    std::vector<GLfloat> buffer(4096);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);

    std::vector<std::vector<FedVertex>> polygons;
    const int perVertex = 3 + 4 + 4;  // window position, RGBA colour, texture coordinate
    for (GLint i = 0; i < used;) {
        if (buffer[i] != GL_POLYGON_TOKEN) {
            ADD_FAILURE() << "unexpected feedback token " << buffer[i];
            break;
        }
        const int count = static_cast<int>(buffer[i + 1]);
        i += 2;
        std::vector<FedVertex> polygon;
        for (int v = 0; v < count; ++v, i += perVertex) {
            const double eye[3] = {
                (2.0 * (buffer[i] - viewport[0]) / viewport[2] - 1.0) * extent,
                (2.0 * (buffer[i + 1] - viewport[1]) / viewport[3] - 1.0) * extent,
                -(2.0 * buffer[i + 2] - 1.0) * extent};
            // The model-view is a pure rotation: its transpose undoes it.
            double p[3];
            for (int a = 0; a < 3; ++a) {
                p[a] = m[4 * a] * eye[0] + m[4 * a + 1] * eye[1] + m[4 * a + 2] * eye[2];
            }
            polygon.push_back(FedVertex{p[0], p[1], p[2], buffer[i + 7], buffer[i + 8]});
        }
        polygons.push_back(polygon);
    }
    return polygons;
}

// The faces as they must be drawn: texture coordinate -> corner, each corner given as the low
// (-1) or high (+1) end of every axis.
struct ExpectedCorner {
    float s, t;
    int x, y, z;
};
struct ExpectedFace {
    const char* name;
    int axis, side;  // the plane the face lies in
    ExpectedCorner corners[4];
};
const ExpectedFace kExpectedFaces[6] = {
    {"back", 2, -1, {{1, 0, 1, -1, -1}, {1, 1, 1, 1, -1}, {0, 1, -1, 1, -1}, {0, 0, -1, -1, -1}}},
    {"front", 2, 1, {{1, 0, -1, -1, 1}, {1, 1, -1, 1, 1}, {0, 1, 1, 1, 1}, {0, 0, 1, -1, 1}}},
    {"bottom", 1, -1, {{1, 0, -1, -1, -1}, {1, 1, -1, -1, 1}, {0, 1, 1, -1, 1}, {0, 0, 1, -1, -1}}},
    {"top", 1, 1, {{0, 1, 1, 1, -1}, {0, 0, 1, 1, 1}, {1, 0, -1, 1, 1}, {1, 1, -1, 1, -1}}},
    {"left", 0, -1, {{1, 1, -1, 1, -1}, {0, 1, -1, 1, 1}, {0, 0, -1, -1, 1}, {1, 0, -1, -1, -1}}},
    {"right", 0, 1, {{0, 0, 1, -1, -1}, {1, 0, 1, -1, 1}, {1, 1, 1, 1, 1}, {0, 1, 1, 1, -1}}},
};

// Checks that the polygons cover the six faces in order, every vertex being one of its face's
// corners with that corner's texture coordinate, the box being centred on c.
void expectFaces(const std::vector<std::vector<FedVertex>>& polygons, const double (&c)[3]) {
    const double half = 4999.5, tolerance = 0.05;
    int face = -1;
    std::vector<bool> seen(4, false);
    const auto finishFace = [&] {
        if (face >= 0) {
            for (int k = 0; k < 4; ++k) {
                EXPECT_TRUE(seen[k]) << kExpectedFaces[face].name << " corner " << k;
            }
        }
        seen.assign(4, false);
    };
    for (const std::vector<FedVertex>& polygon : polygons) {
        ASSERT_GE(polygon.size(), 3u);
        const double p0[3] = {polygon[0].x, polygon[0].y, polygon[0].z};
        // A new face starts when the polygon no longer lies in the current face's plane.
        const auto inPlane = [&](int f) {
            const ExpectedFace& e = kExpectedFaces[f];
            for (const FedVertex& v : polygon) {
                const double p[3] = {v.x, v.y, v.z};
                if (std::fabs(p[e.axis] - (c[e.axis] + e.side * half)) > tolerance) {
                    return false;
                }
            }
            return true;
        };
        if (face < 0 || !inPlane(face)) {
            finishFace();
            ++face;
            ASSERT_LT(face, 6) << "more faces than six near " << p0[0] << ", " << p0[1];
            ASSERT_TRUE(inPlane(face))
                << "expected the " << kExpectedFaces[face].name << " face, got a polygon at "
                << p0[0] << ", " << p0[1] << ", " << p0[2];
        }
        for (const FedVertex& v : polygon) {
            bool matched = false;
            for (int k = 0; k < 4; ++k) {
                const ExpectedCorner& e = kExpectedFaces[face].corners[k];
                if (std::fabs(v.x - (c[0] + e.x * half)) < tolerance &&
                    std::fabs(v.y - (c[1] + e.y * half)) < tolerance &&
                    std::fabs(v.z - (c[2] + e.z * half)) < tolerance) {
                    matched = true;
                    seen[k] = true;
                    EXPECT_EQ(v.s, e.s) << kExpectedFaces[face].name << " corner " << k;
                    EXPECT_EQ(v.t, e.t) << kExpectedFaces[face].name << " corner " << k;
                }
            }
            EXPECT_TRUE(matched) << kExpectedFaces[face].name << " vertex " << v.x << ", " << v.y
                                 << ", " << v.z;
        }
    }
    finishFace();
    EXPECT_EQ(face, 5) << "all six faces drawn";
}

TEST_F(SkyBoxTest, FacesSpanTheBoxAroundTheCameraWithTheirTextureCoordinates) {
    SkyBox sky;
    EXPECT_EQ(sky.edgeX(), 9999.0f);
    const double origin[3] = {0.0, 0.0, 0.0};
    expectFaces(capturePolygons([&] { sky.draw(0, 0, 0); }), origin);
    const double camera[3] = {120.0, -35.5, 2000.0};
    expectFaces(capturePolygons([&] { sky.draw(120.0f, -35.5f, 2000.0f); }), camera);
}

TEST_F(SkyBoxTest, EachDirectionShowsItsOwnFaceModulatedByTheColour) {
    const uint8_t colours[6][3] = {{200, 0, 0},   {0, 200, 0},   {0, 0, 200},
                                   {200, 200, 0}, {0, 200, 200}, {200, 0, 200}};
    GLuint names[SkyBox::kFaceCount];
    for (int i = 0; i < SkyBox::kFaceCount; ++i) {
        names[i] = solidTexture(colours[i][0], colours[i][1], colours[i][2]);
    }
    const float directions[6][3] = {{0, 0, -1}, {0, 0, 1},  {0, -1, 0},
                                    {0, 1, 0},  {-1, 0, 0}, {1, 0, 0}};
    SkyBox sky;
    glColor3f(1.0f, 0.5f, 1.0f);
    for (int i = 0; i < SkyBox::kFaceCount; ++i) {
        lookFromOrigin(directions[i][0], directions[i][1], directions[i][2]);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        sky.drawWithNames(names, 0, 0, 0);
        const gltest::Pixel p = gltest::readPixel(512, 384);
        EXPECT_NEAR(p.r, colours[i][0], 2) << "face " << i;
        EXPECT_NEAR(p.g, colours[i][1] / 2, 2) << "face " << i;
        EXPECT_NEAR(p.b, colours[i][2], 2) << "face " << i;
    }
    for (const GLuint name : names) {
        glBindTexture(GL_TEXTURE_2D, name);
        GLint wrap[2] = {0, 0};
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap[0]);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrap[1]);
        EXPECT_EQ(wrap[0], GL_CLAMP_TO_EDGE);
        EXPECT_EQ(wrap[1], GL_CLAMP_TO_EDGE);
    }
}

TEST_F(SkyBoxTest, FaceWithoutTextureIsDrawnInTheCurrentColour) {
    GLuint names[SkyBox::kFaceCount];
    for (GLuint& name : names) {
        name = solidTexture(0, 255, 0);
    }
    names[SkyBox::kBack] = 0;
    SkyBox sky;
    glColor3f(0.0f, 0.0f, 1.0f);
    lookFromOrigin(0, 0, -1);
    sky.drawWithNames(names, 0, 0, 0);
    const gltest::Pixel p = gltest::readPixel(512, 384);
    EXPECT_EQ(p.r, 0);
    EXPECT_EQ(p.g, 0);
    EXPECT_EQ(p.b, 255);
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_MODULATE);
    EXPECT_TRUE(gltest::isEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(gltest::isEnabled(GL_DEPTH_TEST));
}

// Writes a 4 x 4 24-bit BMP of one colour.
void writeSolidBmp(const std::string& path, const uint8_t (&rgb)[3]) {
    bmptest::Picture pic{4, 4, {}};
    for (int i = 0; i < pic.width * pic.height; ++i) {
        pic.rgb.insert(pic.rgb.end(), rgb, rgb + 3);
    }
    ASSERT_TRUE(bmptest::writeFile(path, bmptest::encode(pic, bmptest::Format{})));
}

TEST_F(SkyBoxTest, LoadsEachFaceFromItsFileAndDrawsItWhereItBelongs) {
    const char* files[6] = {"back", "front", "bottom", "top", "left", "right"};
    const uint8_t colours[6][3] = {{200, 0, 0},   {0, 200, 0},   {0, 0, 100},
                                   {200, 200, 0}, {0, 200, 200}, {200, 0, 200}};
    const std::string folder = testing::TempDir();
    for (int i = 0; i < 6; ++i) {
        writeSolidBmp(folder + "/" + files[i] + ".bmp", colours[i]);
    }
    SkyBox sky;
    // Quality 1 halves each side; filtering 3 is trilinear over the mipmaps the world set builds.
    const bool loaded = sky.load(folder.c_str(), 1, 3);
    for (int i = 0; i < 6; ++i) {
        std::remove((folder + "/" + files[i] + ".bmp").c_str());
    }
    ASSERT_TRUE(loaded);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(files[i]);
        ASSERT_NE(sky.face(static_cast<SkyBox::Face>(i)), nullptr);
        glBindTexture(GL_TEXTURE_2D, sky.face(static_cast<SkyBox::Face>(i))->id());
        GLint value = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &value);
        EXPECT_EQ(value, 2);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &value);
        EXPECT_EQ(value, 1);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
        EXPECT_EQ(value, GL_LINEAR_MIPMAP_LINEAR);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
        EXPECT_EQ(value, GL_LINEAR);
    }
    const float directions[6][3] = {{0, 0, -1}, {0, 0, 1},  {0, -1, 0},
                                    {0, 1, 0},  {-1, 0, 0}, {1, 0, 0}};
    for (int i = 0; i < 6; ++i) {
        lookFromOrigin(directions[i][0], directions[i][1], directions[i][2]);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        sky.draw(0, 0, 0);
        const gltest::Pixel p = gltest::readPixel(512, 384);
        EXPECT_NEAR(p.r, colours[i][0], 2) << files[i];
        EXPECT_NEAR(p.g, colours[i][1], 2) << files[i];
        EXPECT_NEAR(p.b, colours[i][2], 2) << files[i];
    }
}

TEST_F(SkyBoxTest, FacesThatFailedToLoadAreDrawnUntextured) {
    SkyBox sky;
    EXPECT_FALSE(sky.load("ressources/textures/no-such-folder", 0, 3));
    for (int i = 0; i < SkyBox::kFaceCount; ++i) {
        ASSERT_NE(sky.face(static_cast<SkyBox::Face>(i)), nullptr);
    }
    glColor3f(1.0f, 1.0f, 0.0f);
    lookFromOrigin(0, 1, 0);
    sky.draw(0, 0, 0);
    const gltest::Pixel p = gltest::readPixel(512, 384);
    EXPECT_EQ(p.r, 255);
    EXPECT_EQ(p.g, 255);
    EXPECT_EQ(p.b, 0);
}

}  // namespace

// SkyBox: the generated sky's seams as drawn, closure, which file lands where, and state.
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

    // A 2 x 2 texture of one colour.
    GLuint solidTexture(uint8_t r, uint8_t g, uint8_t b) {
        GLuint name = 0;
        glGenTextures(1, &name);
        names_.push_back(name);
        const uint8_t texels[12] = {r, g, b, r, g, b, r, g, b, r, g, b};
        glBindTexture(GL_TEXTURE_2D, name);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
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

// Looks from inside the box along (dx, dy, dz) with the given up vector.
void lookAlong(float dx, float dy, float dz, float ux, float uy, float uz) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(90.0, 1.0, 1.0, 10000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, 0, dx, dy, dz, ux, uy, uz);
}

// The generated sky is painted from 3D directions, so where two faces meet the pictures must
// continue: looking straight at the middle of each of the twelve edges, the pixels just either
// side of the seam are alike. A face drawn mirrored or turned breaks this at its edges.
TEST_F(SkyBoxTest, TheGeneratedSkyIsSeamlessAtEveryEdge) {
    SkyBox sky;
    ASSERT_TRUE(sky.load("ressources/textures/skybox", 0, 1));
    // Edge midpoints: for each pair of axes, the four sign combinations; the seam then runs
    // through the centre of the view, across the screen's x or y axis.
    int edges = 0;
    for (int a = 0; a < 3; ++a) {
        for (int b = a + 1; b < 3; ++b) {
            for (int sa = -1; sa <= 1; sa += 2) {
                for (int sb = -1; sb <= 1; sb += 2) {
                    float d[3] = {0, 0, 0};
                    d[a] = static_cast<float>(sa);
                    d[b] = static_cast<float>(sb);
                    // Up along the third axis puts the seam vertical through the centre.
                    float up[3] = {0, 0, 0};
                    up[3 - a - b] = 1.0f;
                    lookAlong(d[0], d[1], d[2], up[0], up[1], up[2]);
                    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
                    glColor3f(1.0f, 1.0f, 1.0f);
                    sky.draw(0, 0, 0);
                    SCOPED_TRACE(testing::Message()
                                 << "edge towards " << d[0] << ", " << d[1] << ", " << d[2]);
                    // Rows where the picture jumps across the seam, two pixels either side; a
                    // few stars or the moon's rim may, a face laid the wrong way makes most jump.
                    int jumps = 0;
                    for (int y = 200; y < 568; y += 4) {
                        const gltest::Pixel l = gltest::readPixel(510, y);
                        const gltest::Pixel r = gltest::readPixel(514, y);
                        jumps +=
                            std::abs(l.r - r.r) + std::abs(l.g - r.g) + std::abs(l.b - r.b) > 24;
                    }
                    EXPECT_LT(jumps, 16);
                    ++edges;
                }
            }
        }
    }
    EXPECT_EQ(edges, 12);
}

// Around a camera away from the origin the box still closes: no direction, the corners
// included, shows the clear colour through a gap or past the far plane.
TEST_F(SkyBoxTest, TheBoxClosesAroundAnOffCentreCamera) {
    GLuint names[SkyBox::kFaceCount];
    for (GLuint& name : names) {
        name = solidTexture(0, 255, 0);
    }
    SkyBox sky;
    EXPECT_EQ(sky.edgeX(), 9999.0f);
    glClearColor(1.0f, 0.0f, 1.0f, 1.0f);
    for (int corner = 0; corner < 8; ++corner) {
        const float d[3] = {corner & 1 ? 1.0f : -1.0f, corner & 2 ? 1.0f : -1.0f,
                            corner & 4 ? 1.0f : -1.0f};
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(90.0, 1.0, 1.0, 10000.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(120, -35.5, 2000, 120 + d[0], -35.5 + d[1], 2000 + d[2], 0, 1, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glColor3f(1.0f, 1.0f, 1.0f);
        sky.drawWithNames(names, 120.0f, -35.5f, 2000.0f);
        const std::vector<uint8_t> rgb = gltest::readRgb(0, 0, 1024, 768);
        int gaps = 0;
        for (size_t i = 0; i < rgb.size(); i += 3) {
            gaps += rgb[i] > 128 && rgb[i + 2] > 128;
        }
        EXPECT_EQ(gaps, 0) << "corner " << corner;
    }
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
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
    // Each direction shows its own face, modulated by the current colour.
    glColor3f(1.0f, 0.5f, 1.0f);
    for (int i = 0; i < 6; ++i) {
        lookFromOrigin(directions[i][0], directions[i][1], directions[i][2]);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        sky.draw(0, 0, 0);
        const gltest::Pixel p = gltest::readPixel(512, 384);
        EXPECT_NEAR(p.r, colours[i][0], 2) << files[i];
        EXPECT_NEAR(p.g, colours[i][1] / 2, 2) << files[i];
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
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_MODULATE);
    EXPECT_TRUE(gltest::isEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(gltest::isEnabled(GL_DEPTH_TEST));
}

}  // namespace

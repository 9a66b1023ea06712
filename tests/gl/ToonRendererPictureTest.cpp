// Toon renderers: what reaches the screen, and that the three variants draw the same picture.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "render/GlExtensions.h"
#include "render/Texture.h"
#include "render/ToonRenderer.h"
#include "tests/support/BmpWriter.h"
#include "tests/support/ToonScene.h"

namespace {

using gltest::ToonVariant;

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

std::vector<uint8_t> drawWith(ToonRenderer& renderer, const Model* model, Vector3 light,
                              bool flat) {
    glClearColor(0.2f, 0.3f, 0.4f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gltest::lookAtModelFromFront();
    glColor3f(1.0f, 0.5f, 0.25f);
    if (flat) {
        renderer.drawFlat(model, light, true);
    } else {
        renderer.draw(model, light);
    }
    return gltest::readRgb(0, 0, kWidth, kHeight);
}

struct Difference {
    double meanAbs = 0.0;          // per channel, 0..255
    double withinTolerance = 0.0;  // share of pixels whose channels all differ by at most 8
};

Difference compare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    Difference d;
    size_t close = 0;
    long total = 0;
    for (size_t p = 0; p < a.size(); p += 3) {
        int worst = 0;
        for (size_t c = 0; c < 3; ++c) {
            const int delta = std::abs(static_cast<int>(a[p + c]) - static_cast<int>(b[p + c]));
            total += delta;
            worst = std::max(worst, delta);
        }
        close += worst <= 8 ? 1 : 0;
    }
    d.meanAbs = static_cast<double>(total) / static_cast<double>(a.size());
    d.withinTolerance = static_cast<double>(close) / static_cast<double>(a.size() / 3);
    return d;
}

// Counts pixels of one colour (within 3 per channel).
size_t countColour(const std::vector<uint8_t>& rgb, int r, int g, int b) {
    size_t n = 0;
    for (size_t p = 0; p < rgb.size(); p += 3) {
        n += std::abs(rgb[p] - r) <= 3 && std::abs(rgb[p + 1] - g) <= 3 &&
                     std::abs(rgb[p + 2] - b) <= 3
                 ? 1
                 : 0;
    }
    return n;
}

class ToonPictureTest : public gltest::ToonTest {};

// The variant is an implementation detail: the game must look the same on every driver.
TEST_F(ToonPictureTest, TheThreeVariantsDrawTheSamePicture) {
    // A ramp with a soft gradient, filtered linearly as the game's ramps are.
    glDeleteTextures(1, &ramp_);
    ramp_ = gltest::makeRampTexture({30, 60, 90, 120, 150, 180, 210, 240}, GL_LINEAR);
    const uint8_t orange[3] = {250, 160, 40};
    const uint8_t teal[3] = {40, 200, 180};
    gltest::loadSkinIntoDefaultTexture(orange, teal);
    const std::unique_ptr<Model> sphere = gltest::makeSphereModel();
    const Vector3 light(2.5f, 4.0f, 3.0f);  // in front, above and to the right
    for (bool flat : {false, true}) {
        SCOPED_TRACE(flat ? "drawFlat" : "draw");
        std::vector<std::vector<uint8_t>> pictures;
        for (ToonVariant variant : gltest::kAllVariants) {
            std::unique_ptr<ToonRenderer> renderer = gltest::makeVariant(variant);
            renderer->setToonTexture(ramp_);
            pictures.push_back(drawWith(*renderer, sphere.get(), light, flat));
        }
        // The picture is not trivially equal: background, outline and several shades.
        EXPECT_GT(countColour(pictures[0], 0, 0, 0), 2000u);
        const size_t background = countColour(pictures[0], 51, 77, 102);
        EXPECT_GT(background, 300000u);
        EXPECT_LT(background, 700000u);
        for (size_t i = 1; i < pictures.size(); ++i) {
            SCOPED_TRACE(gltest::variantName(gltest::kAllVariants[i]));
            const Difference d = compare(pictures[0], pictures[i]);
            EXPECT_LT(d.meanAbs, 2.0);
            EXPECT_GT(d.withinTolerance, 0.99);
            if (d.meanAbs >= 2.0 || d.withinTolerance <= 0.99) {
                const std::string base = std::string(::testing::TempDir()) + "toon_" +
                                         (flat ? "flat_" : "") + std::to_string(i);
                gltest::writePpm((base + "_a.ppm").c_str(), kWidth, kHeight, pictures[0]);
                gltest::writePpm((base + "_b.ppm").c_str(), kWidth, kHeight, pictures[i]);
            }
        }
    }
}

// Facing square, light straight in front (N·L = 1) or behind (N·L < 0): the ramp's last and
// first shades, times the model's own skin for draw and times the current colour for drawFlat.
// The default texture holds another colour, so drawing without binding the skin shows.
TEST_F(ToonPictureTest, LightAlongTheNormalGivesTheLastShadeAndLightBehindTheFirst) {
    const uint8_t green[3] = {0, 255, 0};
    gltest::loadSkinIntoDefaultTexture(green, green);
    bmptest::Picture skinPicture{4, 4, {}};
    for (int i = 0; i < 16; ++i) {
        skinPicture.rgb.insert(skinPicture.rgb.end(), {255, 128, 64});
    }
    const std::string skinPath = testing::TempDir() + "/toon_skin.bmp";
    ASSERT_TRUE(bmptest::writeFile(skinPath, bmptest::encode(skinPicture, bmptest::Format{})));
    auto skin = std::make_unique<Texture>();
    ASSERT_TRUE(skin->load(skinPath.c_str(), false, GL_NEAREST, GL_NEAREST, GL_CLAMP, GL_CLAMP, 0,
                           false, 0, 0, 255, 0, 1));
    std::remove(skinPath.c_str());
    const std::unique_ptr<Model> square = gltest::makeFacingSquare();
    square->setTexture(std::move(skin));
    struct Case {
        Vector3 light;
        int shade;
    };
    // The light straight along the normal of the middle of the square is far away, so every
    // vertex sees it nearly along its normal.
    for (const Case& c : {Case{Vector3(0, 1, 1000), 250}, Case{Vector3(0, 1, -5), 40}}) {
        for (ToonVariant variant : gltest::kAllVariants) {
            SCOPED_TRACE(std::string(gltest::variantName(variant)) + " shade " +
                         std::to_string(c.shade));
            std::unique_ptr<ToonRenderer> renderer = gltest::makeVariant(variant);
            renderer->setToonTexture(ramp_);
            for (bool flat : {false, true}) {
                const std::vector<uint8_t> picture =
                    drawWith(*renderer, square.get(), c.light, flat);
                // Centre of the window: the middle of the square.
                const uint8_t* p = &picture[(384u * kWidth + 512u) * 3u];
                // draw: shade x skin (255, 128, 64); drawFlat: shade x colour (1, 0.5, 0.25).
                EXPECT_NEAR(p[0], c.shade, 3) << (flat ? "flat" : "textured");
                EXPECT_NEAR(p[1], c.shade * 128 / 255, 3) << (flat ? "flat" : "textured");
                EXPECT_NEAR(p[2], c.shade * 64 / 255, 3) << (flat ? "flat" : "textured");
            }
        }
    }
}

// The outline is black and closes around the silhouette. Of its 3-pixel lines, the half that
// falls inside the silhouette is hidden by the front faces.
TEST_F(ToonPictureTest, OutlineRingsTheSilhouetteInBlack) {
    gltest::loadWhiteSkinIntoDefaultTexture();
    const std::unique_ptr<Model> sphere = gltest::makeSphereModel();
    for (ToonVariant variant : gltest::kAllVariants) {
        SCOPED_TRACE(gltest::variantName(variant));
        std::unique_ptr<ToonRenderer> renderer = gltest::makeVariant(variant);
        renderer->setToonTexture(ramp_);
        const std::vector<uint8_t> picture =
            drawWith(*renderer, sphere.get(), Vector3(0, 1, 9), false);
        // Walk the middle row from the left edge to the first pixel that is not background.
        const uint8_t* row = &picture[384u * kWidth * 3u];
        int x = 0;
        while (x < kWidth / 2 && std::abs(row[x * 3] - 51) <= 2 &&
               std::abs(row[x * 3 + 1] - 77) <= 2) {
            ++x;
        }
        ASSERT_LT(x, kWidth / 2);
        int black = 0;
        while (row[(x + black) * 3] < 10 && row[(x + black) * 3 + 1] < 10) {
            ++black;
        }
        EXPECT_GE(black, 1);
        EXPECT_LE(black, 4);
        // A ring round a sphere about 480 pixels across.
        EXPECT_GT(countColour(picture, 0, 0, 0), 1500u);
        // Inside, the lit sphere facing the light is bright.
        EXPECT_GT(row[512 * 3], 200);
    }
}

TEST_F(ToonPictureTest, ModelGeometryIsDrawnInTheCurrentColourWithOnlyTheVertexArray) {
    const std::unique_ptr<Model> sphere = gltest::makeSphereModel();
    gltest::lookAtModelFromFront();
    glDisable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 0.0f);
    drawModelGeometry(sphere.get());
    EXPECT_FALSE(gltest::isEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(gltest::isEnabled(GL_TEXTURE_2D));
    const gltest::Pixel centre = gltest::readPixel(512, 384);
    EXPECT_EQ(centre.r, 255);
    EXPECT_EQ(centre.g, 255);
    EXPECT_EQ(centre.b, 0);
    EXPECT_EQ(gltest::readPixel(5, 5).r, 0);
    glEnable(GL_TEXTURE_2D);
}

}  // namespace

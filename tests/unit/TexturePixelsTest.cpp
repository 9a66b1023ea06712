// makeTexturePixels: point-sampled power-of-two reduction and exact colour keying.
#include <gtest/gtest.h>

#include <vector>

#include "render/TexturePixels.h"

namespace {

// Every pixel tells where it came from: R = x, G = y, B = a mix of both.
std::vector<uint8_t> coordinatePicture(int w, int h) {
    std::vector<uint8_t> rgb;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            rgb.insert(rgb.end(), {uint8_t(x), uint8_t(y), uint8_t(x * 7 + y * 13)});
        }
    }
    return rgb;
}

const ColourKey kNoKey{1, 2, 3, 0, 255};

// Source column and row of output pixel (i, j), read back from the coordinate colours.
std::pair<int, int> sourceOf(const TexturePixels& px, int i, int j) {
    const uint8_t* p = &px.rgba[(size_t(j) * px.width + i) * 4];
    return {p[0], p[1]};
}

TEST(TexturePixelsTest, ReductionSamplesEveryDthPixelAndKeepsSidesAtLeastOne) {
    struct Case {
        int w, h, reduction, outW, outH;
    };
    const Case cases[] = {
        {256, 128, 2, 64, 32},  // pixel (i, j) is source (4i, 4j)
        {4, 4, 3, 1, 1},        // shrinks past the picture: source (0, 0)
        {5, 5, 1, 2, 2},        // odd sides: floor(5 * i / 2) -> 0, 2
        {64, 2, 3, 8, 1},
        {22, 3, 0, 22, 3},  // no reduction is an exact copy, whatever the width
        {250, 7, 0, 250, 7},
        {16, 16, -2, 16, 16},  // a negative exponent counts as none
        {16, 16, 40, 1, 1},    // a huge exponent cannot overflow the shift
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h) + " >> " +
                     std::to_string(c.reduction));
        const std::vector<uint8_t> rgb = coordinatePicture(c.w, c.h);
        const TexturePixels px = makeTexturePixels(rgb.data(), c.w, c.h, c.reduction, kNoKey);
        ASSERT_EQ(px.width, c.outW);
        ASSERT_EQ(px.height, c.outH);
        ASSERT_EQ(px.rgba.size(), size_t(c.outW) * c.outH * 4);
        for (int j = 0; j < px.height; ++j) {
            for (int i = 0; i < px.width; ++i) {
                const int sx = c.w * i / c.outW, sy = c.h * j / c.outH;
                ASSERT_EQ(sourceOf(px, i, j), std::make_pair(sx, sy)) << i << "," << j;
                ASSERT_EQ(px.rgba[(size_t(j) * px.width + i) * 4 + 2], uint8_t(sx * 7 + sy * 13));
            }
        }
    }
}

TEST(TexturePixelsTest, OnlyTheExactKeyColourGetsTheKeyAlpha) {
    // key (0, 0, 255); the other pixels are one unit away in a single channel.
    const std::vector<uint8_t> rgb = {0, 0, 255, 1, 0, 255, 0, 1, 255, 0, 0, 254};
    const ColourKey key{0, 0, 255, 7, 200};
    const TexturePixels keyed = makeTexturePixels(rgb.data(), 4, 1, 0, key);
    EXPECT_TRUE(keyed.keyFound);
    const uint8_t alphas[] = {keyed.rgba[3], keyed.rgba[7], keyed.rgba[11], keyed.rgba[15]};
    EXPECT_EQ(std::vector<uint8_t>(alphas, alphas + 4), (std::vector<uint8_t>{7, 200, 200, 200}));
    // Colour bytes are copied untouched, keyed or not.
    EXPECT_EQ(keyed.rgba[0], 0);
    EXPECT_EQ(keyed.rgba[2], 255);
    EXPECT_EQ(keyed.rgba[4], 1);

    const TexturePixels unkeyed = makeTexturePixels(rgb.data() + 3, 3, 1, 0, key);
    EXPECT_FALSE(unkeyed.keyFound);
}

TEST(TexturePixelsTest, KeyColourDroppedByTheReductionIsNotFound) {
    // 2 x 2 with the key only at (1, 1): halving keeps (0, 0) alone.
    const std::vector<uint8_t> rgb = {9, 9, 9, 9, 9, 9, 9, 9, 9, 255, 0, 0};
    const TexturePixels px = makeTexturePixels(rgb.data(), 2, 2, 1, ColourKey{255, 0, 0, 0, 1});
    EXPECT_FALSE(px.keyFound);
    EXPECT_EQ(px.rgba[3], 1);
}

}  // namespace

// TexturePixels: a decoded RGB picture shrunk by a power of two and given colour-key alpha.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Pixels of exactly (red, green, blue) get keyAlpha, every other pixel otherAlpha.
struct ColourKey {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t keyAlpha = 0;
    uint8_t otherAlpha = 1;
};

struct TexturePixels {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;  // width * height * 4 bytes, R G B A, row 0 first
    bool keyFound = false;      // at least one pixel matched the key colour
};

// Shrinks a width x height RGB picture (rows tightly packed, row 0 first) by 2^reduction in
// each direction, each side kept at least 1, by point sampling: output pixel (i, j) is source
// pixel (floor(width * i / W), floor(height * j / H)). Negative reductions count as 0 and
// reductions beyond the picture's size leave a 1 x 1 result.
TexturePixels makeTexturePixels(const uint8_t* rgb, int width, int height, int reduction,
                                const ColourKey& key);

// BmpWriter: a small BMP encoder for tests, covering every layout the game's decoder reads.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace bmptest {

// RGB bytes, tightly packed, bottom row first (the decoder's own layout).
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    const uint8_t* at(int x, int y) const { return &rgb[(size_t(y) * width + x) * 3]; }
};

using Rgb = std::array<uint8_t, 3>;

// Headers around ready-made pixel bytes, for hand-written pixel streams.
struct RawBmp {
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bitCount = 24;
    uint32_t compression = 0;  // 0 none, 1 RLE8, 2 RLE4
    uint32_t infoSize = 40;    // 12 core, 40 standard; anything else is written as 40 + zeros
    bool fileHeader = true;
    uint32_t colorsUsed = 0;   // written as is (standard header only)
    std::vector<Rgb> palette;  // written in full
    std::vector<uint8_t> pixels;
};
std::vector<uint8_t> assemble(const RawBmp& raw);

// How encode() stores a picture.
struct Format {
    uint16_t bitCount = 24;  // 1, 4, 8, 16 (5-5-5), 24, 32
    bool rle = false;        // RLE8 for 8 bits, RLE4 for 4 bits
    bool fileHeader = true;
    bool coreHeader = false;      // 12-byte header with 3-byte colour entries
    bool topDown = false;         // negative height, first stored row is the top row
    bool compactPalette = false;  // only the colours used, with colours-used set
    std::string name() const;
};

// Encodes pic; palettes are built from its colours (which must fit the bit count). Row padding
// is filled with junk so that a decoder which reads it shows the fault. RLE output mixes
// encoded runs and padded absolute runs, one end-of-line per row and an end-of-bitmap.
std::vector<uint8_t> encode(const Picture& pic, const Format& format);

// A path in the test temporary directory, unique to this process.
std::string tempPath(const std::string& name);
bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace bmptest

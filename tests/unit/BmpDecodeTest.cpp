// decodeBmp / loadBmpImage: every supported layout gives the same upright RGB picture.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "render/BmpImage.h"
#include "tests/support/BmpWriter.h"

namespace {

using bmptest::Format;
using bmptest::Picture;
using bmptest::RawBmp;

// Channel values that survive 5-bit storage (31 -> 255, 16 -> 132, 8 -> 66), so a 16-bit file
// can hold exactly the same picture as the others.
constexpr uint8_t kLevels[] = {0, 66, 132, 255};

// Up to 64 distinct colours in stripes of repeated colours (RLE encoded runs) next to stretches of
// changing ones (absolute runs), on an odd width so every bit depth needs row padding.
Picture testPicture(int width, int height, int colours) {
    Picture pic{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int c = (x < width / 2 ? x / 3 + y : x * 7 + y * 3) % colours;
            pic.rgb.push_back(kLevels[c % 4]);
            pic.rgb.push_back(kLevels[(c / 4) % 4]);
            pic.rgb.push_back(kLevels[(c / 16) % 4]);
        }
    }
    return pic;
}

std::vector<uint8_t> bytesOf(const BmpImage& image) {
    return std::vector<uint8_t>(image.data.get(), image.data.get() + image.byteCount());
}

std::vector<Format> formatsFor(int colours) {
    std::vector<Format> formats;
    for (const bool fileHeader : {true, false}) {
        for (const uint16_t bits : {1, 4, 8, 16, 24, 32}) {
            if (bits <= 8 && colours > (1 << bits)) {
                continue;
            }
            formats.push_back(Format{bits, false, fileHeader, false, false, false});
            formats.push_back(Format{bits, false, fileHeader, false, true, false});
            if (bits <= 8) {
                formats.push_back(Format{bits, false, fileHeader, false, false, true});
            }
            if (bits != 16 && bits != 32) {
                formats.push_back(Format{bits, false, fileHeader, true, false, false});
            }
            if (bits == 4 || bits == 8) {
                formats.push_back(Format{bits, true, fileHeader, false, false, false});
                formats.push_back(Format{bits, true, fileHeader, false, false, true});
            }
        }
    }
    return formats;
}

TEST(BmpDecodeTest, SamePictureInEveryLayoutDecodesToTheSameBytes) {
    struct Case {
        int width, height, colours;
    };
    for (const Case c : {Case{13, 7, 2}, Case{13, 7, 16}, Case{21, 5, 60}, Case{3, 4, 9}}) {
        const Picture pic = testPicture(c.width, c.height, c.colours);
        for (const Format& format : formatsFor(c.colours)) {
            SCOPED_TRACE(format.name() + " " + std::to_string(c.width) + "x" +
                         std::to_string(c.height));
            const std::vector<uint8_t> file = bmptest::encode(pic, format);
            BmpError error = BmpError::OutOfMemory;
            const std::unique_ptr<BmpImage> image = decodeBmp(file.data(), file.size(), &error);
            ASSERT_NE(image, nullptr);
            EXPECT_EQ(error, BmpError::None);
            EXPECT_EQ(image->sizeX, c.width);
            EXPECT_EQ(image->sizeY, c.height);
            EXPECT_EQ(bytesOf(*image), pic.rgb);
        }
        // And through a file, as the game loads its pictures.
        const std::string path = bmptest::tempPath("every_layout.bmp");
        ASSERT_TRUE(bmptest::writeFile(path, bmptest::encode(pic, Format{})));
        const std::unique_ptr<BmpImage> loaded = loadBmpImage(path.c_str());
        std::remove(path.c_str());
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(bytesOf(*loaded), pic.rgb);
    }
}

// Two things the encoder above never writes: indices past a short colour table (black, not a
// read beyond it) and the unused top bit of 16-bit pixels (ignored). 16-bit channels widen
// to the full range: 31 to 255, 1 to 8.
TEST(BmpDecodeTest, ShortPaletteAndSixteenBitPixelsDecodeToTheRightColours) {
    RawBmp palette;
    palette.width = 4;
    palette.bitCount = 8;
    palette.fileHeader = false;
    palette.colorsUsed = 2;
    palette.palette = {{10, 20, 30}, {40, 50, 60}};
    palette.pixels = {1, 0, 2, 255};
    RawBmp sixteen;
    sixteen.width = 4;
    sixteen.bitCount = 16;
    // white, black with the unused bit set, red 1, blue 16
    sixteen.pixels = {0xFF, 0x7F, 0x00, 0x80, 0x00, 0x04, 0x10, 0x00};
    const std::pair<RawBmp, std::vector<uint8_t>> cases[] = {
        {palette, {40, 50, 60, 10, 20, 30, 0, 0, 0, 0, 0, 0}},
        {sixteen, {255, 255, 255, 0, 0, 0, 8, 0, 0, 0, 0, 132}}};
    for (const auto& [raw, expected] : cases) {
        const std::vector<uint8_t> file = bmptest::assemble(raw);
        const std::unique_ptr<BmpImage> image = decodeBmp(file.data(), file.size());
        ASSERT_NE(image, nullptr) << raw.bitCount;
        EXPECT_EQ(bytesOf(*image), expected) << raw.bitCount;
    }
}

// Palette for the hand-written RLE streams: index n is (n, 100 + n, 200 + n), except 0.
RawBmp rleFile(int width, int height, uint16_t bits, std::vector<uint8_t> stream) {
    RawBmp raw;
    raw.width = width;
    raw.height = height;
    raw.bitCount = bits;
    raw.compression = bits == 8 ? 1 : 2;
    for (int n = 0; n < (1 << bits); ++n) {
        raw.palette.push_back({uint8_t(n), uint8_t(100 + n), uint8_t(200 + n)});
    }
    raw.palette[0] = {0, 0, 0};
    raw.pixels = std::move(stream);
    return raw;
}

// One digit per pixel: the palette index that should be there, '.' for a pixel never painted.
std::vector<uint8_t> expectedRle(const std::vector<std::string>& rowsBottomUp) {
    std::vector<uint8_t> out;
    for (const std::string& row : rowsBottomUp) {
        for (const char ch : row) {
            const int n = ch == '.' ? -1 : std::strtol(std::string(1, ch).c_str(), nullptr, 16);
            out.push_back(n < 0 ? 0 : uint8_t(n));
            out.push_back(n < 0 ? 0 : uint8_t(100 + n));
            out.push_back(n < 0 ? 0 : uint8_t(200 + n));
        }
    }
    return out;
}

TEST(BmpDecodeTest, RunLengthEscapesPaintSkipAndEndWhereTheyShould) {
    struct Case {
        const char* what;
        uint16_t bits;
        std::vector<uint8_t> stream;
        std::vector<std::string> rows;  // bottom row first
    };
    const std::vector<Case> cases = {
        {"RLE8 runs, odd absolute run with pad byte, end of line",
         8,
         {3, 5, 0, 3, 1, 2, 3, 0xEE, 0, 0, 6, 9, 0, 1},
         {"555123", "999999"}},
        {"RLE8 delta skips right and up, leaving black",
         8,
         {1, 4, 0, 2, 2, 1, 2, 7, 0, 1},
         {"4.....", "...77."}},
        {"RLE8 end of bitmap early leaves the rest black", 8, {2, 3, 0, 1}, {"33....", "......"}},
        {"RLE8 absolute run of even length has no pad",
         8,
         {0, 4, 1, 2, 3, 4, 2, 8, 0, 1},
         {"123488", "......"}},
        {"RLE4 runs alternate the two nibbles",
         4,
         {5, 0x12, 0, 0, 6, 0xAB, 0, 1},
         {"12121.", "ABABAB"}},
        {"RLE4 absolute runs: 3 nibbles in 2 bytes, 5 nibbles in 3 bytes plus a pad",
         4,
         {0, 3, 0x12, 0x30, 0, 0, 0, 5, 0x45, 0x67, 0x80, 0xEE, 0, 1},
         {"123...", "45678."}},
        {"RLE4 delta", 4, {0, 2, 5, 1, 1, 0xF0, 0, 1}, {"......", ".....F"}},
        {"runs past the row end are dropped, not wrapped",
         8,
         {4, 1, 4, 2, 0, 0, 0, 3, 3, 4, 5, 0, 3, 6, 0, 0, 0, 1},
         {"111122", "345666"}},
        {"RLE4 run past the row end", 4, {9, 0x12, 0, 0, 0, 1}, {"121212", "......"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<uint8_t> file = bmptest::assemble(rleFile(6, 2, c.bits, c.stream));
        BmpError error = BmpError::None;
        const std::unique_ptr<BmpImage> image = decodeBmp(file.data(), file.size(), &error);
        ASSERT_NE(image, nullptr) << int(error);
        EXPECT_EQ(bytesOf(*image), expectedRle(c.rows));
    }
}

// ImageMagick writes its own flavour of each layout (it picks 1/4/8 bits from the colour count,
// writes RLE8 and the old core header); the decoder must agree with it byte for byte.
TEST(BmpDecodeTest, AgreesWithImageMagickWhenItIsInstalled) {
    if (std::system("command -v convert >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "ImageMagick convert is not installed";
    }
    const std::string source = bmptest::tempPath("im_source.ppm");
    const std::string out = bmptest::tempPath("im_out.bmp");
    // 2, 12 and 40 colours: ImageMagick stores them with 1, 4 and 8 bits (RLE8 only for 8).
    for (const int colours : {2, 12, 40}) {
        const Picture pic = testPicture(13, 7, colours);
        std::string ppm = "P6\n13 7\n255\n";  // PPM stores the top row first
        for (int y = pic.height - 1; y >= 0; --y) {
            ppm.append(reinterpret_cast<const char*>(pic.at(0, y)), size_t(pic.width) * 3);
        }
        ASSERT_TRUE(bmptest::writeFile(source, std::vector<uint8_t>(ppm.begin(), ppm.end())));
        for (const char* variant :
             {"-type truecolor BMP3:", "-type palette BMP3:", "-type palette -compress RLE BMP3:",
              "-type truecolor BMP2:", "-type palette BMP2:"}) {
            SCOPED_TRACE(std::string(variant) + " " + std::to_string(colours) + " colours");
            const std::string command = "convert " + source + " " + variant + out;
            ASSERT_EQ(std::system(command.c_str()), 0) << command;
            const std::unique_ptr<BmpImage> image = loadBmpImage(out.c_str());
            ASSERT_NE(image, nullptr);
            ASSERT_EQ(image->sizeX, 13);
            ASSERT_EQ(image->sizeY, 7);
            EXPECT_EQ(bytesOf(*image), pic.rgb);
        }
    }
    std::remove(out.c_str());
    std::remove(source.c_str());
}

}  // namespace

// BmpFile: reads a generated BMP for tests: its header fields and, for 24-bit files, pixels.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

struct RgbPixel {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const RgbPixel& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const RgbPixel& o) const { return !(*this == o); }
};

// Parsed independently of the game's decoder, so a test of the art does not trust the code
// under test. Only the common 40-byte info header is understood.
class BmpFile {
public:
    // Reads the file; on failure returns nothing and, if asked, says why.
    static std::optional<BmpFile> read(const std::string& path, std::string* why = nullptr);

    int width() const { return width_; }
    int height() const { return storedHeight_ < 0 ? -storedHeight_ : storedHeight_; }
    int bitsPerPixel() const { return bitsPerPixel_; }
    uint32_t compression() const { return compression_; }
    bool bottomUp() const { return storedHeight_ > 0; }

    // Pixels of an uncompressed 24-bit file; y counts rows from the top of the picture.
    RgbPixel fromTop(int x, int y) const;
    // Same, counting from the bottom row (texture coordinate t = 0).
    RgbPixel fromBottom(int x, int y) const { return fromTop(x, height() - 1 - y); }

private:
    int width_ = 0, storedHeight_ = 0, bitsPerPixel_ = 0;
    uint32_t compression_ = 0;
    std::vector<RgbPixel> pixels_;  // top row first
};

}  // namespace testsupport

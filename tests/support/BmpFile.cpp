// BmpFile: reads a generated BMP for tests: its header fields and, for 24-bit files, pixels.
#include "tests/support/BmpFile.h"

#include <algorithm>
#include <fstream>

namespace testsupport {

namespace {

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
           uint32_t(b[at + 3]) << 24;
}

uint16_t le16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }

std::optional<BmpFile> fail(std::string* why, const std::string& what) {
    if (why) {
        *why = what;
    }
    return std::nullopt;
}

}  // namespace

std::optional<BmpFile> BmpFile::read(const std::string& path, std::string* why) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return fail(why, "cannot open " + path);
    }
    in.seekg(0, std::ios::end);
    std::vector<uint8_t> bytes(size_t(std::max<std::streamoff>(in.tellg(), 0)));
    in.seekg(0, std::ios::beg);
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!in) {
        return fail(why, "cannot read " + path);
    }
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') {
        return fail(why, path + ": no BMP file header");
    }
    if (le32(bytes, 14) != 40) {
        return fail(why, path + ": info header is not 40 bytes");
    }
    BmpFile bmp;
    bmp.width_ = int32_t(le32(bytes, 18));
    bmp.storedHeight_ = int32_t(le32(bytes, 22));
    bmp.bitsPerPixel_ = le16(bytes, 28);
    bmp.compression_ = le32(bytes, 30);
    if (bmp.bitsPerPixel_ != 24 || bmp.compression_ != 0) {
        return bmp;  // the header alone is enough to judge the format
    }
    if (bmp.width_ <= 0 || bmp.storedHeight_ == 0 || bmp.width_ > 1 << 14 ||
        bmp.height() > 1 << 14) {
        return fail(why, path + ": implausible size");
    }
    const size_t offset = le32(bytes, 10);
    const size_t rowBytes = (size_t(bmp.width_) * 3 + 3) & ~size_t(3);
    if (offset > bytes.size() || bytes.size() - offset < rowBytes * bmp.height()) {
        return fail(why, path + ": pixel data cut short");
    }
    bmp.pixels_.resize(size_t(bmp.width_) * bmp.height());
    for (int stored = 0; stored < bmp.height(); ++stored) {
        const int top = bmp.bottomUp() ? bmp.height() - 1 - stored : stored;
        const uint8_t* row = &bytes[offset + rowBytes * stored];
        for (int x = 0; x < bmp.width_; ++x) {
            bmp.pixels_[size_t(top) * bmp.width_ + x] =
                RgbPixel{row[3 * x + 2], row[3 * x + 1], row[3 * x]};
        }
    }
    return bmp;
}

RgbPixel BmpFile::fromTop(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height() || pixels_.empty()) {
        return RgbPixel{};
    }
    return pixels_[size_t(y) * width_ + x];
}

}  // namespace testsupport

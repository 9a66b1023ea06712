// BmpWriter: test-side BMP encoder (headers, palettes, padding, RLE) and temp-file helpers.
#include "tests/support/BmpWriter.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "tools/assetgen/LittleEndian.h"

namespace bmptest {

namespace {

constexpr uint8_t kJunk = 0xA5;

using littleendian::put16;
using littleendian::put32;

// Runs of two or more equal indices become encoded runs; stretches of three or more differing
// indices become absolute runs; anything else single-pixel runs.
void encodeRleRow(const std::vector<uint8_t>& idx, bool nibbles, std::vector<uint8_t>& out) {
    const size_t w = idx.size();
    size_t i = 0;
    while (i < w) {
        size_t run = 1;
        while (i + run < w && run < 255 && idx[i + run] == idx[i]) {
            ++run;
        }
        if (run >= 2) {
            out.push_back(uint8_t(run));
            out.push_back(nibbles ? uint8_t(idx[i] << 4 | idx[i]) : idx[i]);
            i += run;
            continue;
        }
        size_t end = i;
        while (end < w && end - i < 255 && !(end + 1 < w && idx[end] == idx[end + 1])) {
            ++end;
        }
        const size_t n = end - i;
        if (n < 3) {
            for (size_t k = 0; k < std::max<size_t>(n, 1); ++k) {
                out.push_back(1);
                out.push_back(nibbles ? uint8_t(idx[i + k] << 4) : idx[i + k]);
            }
            i += std::max<size_t>(n, 1);
            continue;
        }
        out.push_back(0);
        out.push_back(uint8_t(n));
        size_t bytes = 0;
        for (size_t k = 0; k < n; k += nibbles ? 2 : 1, ++bytes) {
            if (nibbles) {
                const uint8_t lo = k + 1 < n ? idx[i + k + 1] : 0;
                out.push_back(uint8_t(idx[i + k] << 4 | lo));
            } else {
                out.push_back(idx[i + k]);
            }
        }
        if (bytes % 2 != 0) {
            out.push_back(kJunk);
        }
        i = end;
    }
}

}  // namespace

std::vector<uint8_t> assemble(const RawBmp& raw) {
    const bool core = raw.infoSize == 12;
    std::vector<uint8_t> info;
    put32(info, raw.infoSize);
    if (core) {
        put16(info, uint32_t(raw.width));
        put16(info, uint32_t(raw.height));
        put16(info, 1);
        put16(info, raw.bitCount);
    } else {
        put32(info, uint32_t(raw.width));
        put32(info, uint32_t(raw.height));
        put16(info, 1);
        put16(info, raw.bitCount);
        put32(info, raw.compression);
        put32(info, uint32_t(raw.pixels.size()));
        put32(info, 2835);
        put32(info, 2835);
        put32(info, raw.colorsUsed);
        put32(info, 0);
        info.resize(std::max<size_t>(info.size(), raw.infoSize), 0);
    }
    for (const Rgb& c : raw.palette) {
        info.push_back(c[2]);
        info.push_back(c[1]);
        info.push_back(c[0]);
        if (!core) {
            info.push_back(0);
        }
    }
    std::vector<uint8_t> out;
    if (raw.fileHeader) {
        out.push_back('B');
        out.push_back('M');
        put32(out, uint32_t(14 + info.size() + raw.pixels.size()));
        put32(out, 0);
        put32(out, uint32_t(14 + info.size()));
    }
    out.insert(out.end(), info.begin(), info.end());
    out.insert(out.end(), raw.pixels.begin(), raw.pixels.end());
    return out;
}

std::string Format::name() const {
    std::string s = std::to_string(bitCount) + "-bit";
    s += rle ? " RLE" : "";
    s += coreHeader ? " core" : " info";
    s += fileHeader ? " with file header" : " bare";
    s += topDown ? " top-down" : "";
    s += compactPalette ? " compact palette" : "";
    return s;
}

std::vector<uint8_t> encode(const Picture& pic, const Format& format) {
    RawBmp raw;
    raw.width = pic.width;
    raw.height = format.topDown && !format.rle ? -pic.height : pic.height;
    raw.bitCount = format.bitCount;
    raw.infoSize = format.coreHeader ? 12 : 40;
    raw.fileHeader = format.fileHeader;
    raw.compression = !format.rle ? 0 : format.bitCount == 8 ? 1 : 2;

    // Palette indices in picture order.
    std::vector<uint8_t> indices;
    if (format.bitCount <= 8) {
        for (size_t p = 0; p < pic.rgb.size(); p += 3) {
            const Rgb c{pic.rgb[p], pic.rgb[p + 1], pic.rgb[p + 2]};
            auto it = std::find(raw.palette.begin(), raw.palette.end(), c);
            if (it == raw.palette.end()) {
                raw.palette.push_back(c);
                it = raw.palette.end() - 1;
            }
            indices.push_back(uint8_t(it - raw.palette.begin()));
        }
        EXPECT_LE(raw.palette.size(), size_t(1) << format.bitCount)
            << "picture has too many colours";
        if (format.compactPalette) {
            raw.colorsUsed = uint32_t(raw.palette.size());
        } else {
            raw.palette.resize(size_t(1) << format.bitCount, Rgb{7, 7, 7});
        }
    }

    const int w = pic.width;
    const size_t rowBytes = (size_t(w) * format.bitCount + 31) / 32 * 4;
    for (int stored = 0; stored < pic.height; ++stored) {
        const int y = format.topDown && !format.rle ? pic.height - 1 - stored : stored;
        if (format.rle) {
            std::vector<uint8_t> rowIdx(indices.begin() + size_t(y) * w,
                                        indices.begin() + size_t(y + 1) * w);
            encodeRleRow(rowIdx, format.bitCount == 4, raw.pixels);
            raw.pixels.push_back(0);
            raw.pixels.push_back(stored + 1 < pic.height ? 0 : 1);
            continue;
        }
        std::vector<uint8_t> row(rowBytes, kJunk);
        for (int x = 0; x < w; ++x) {
            const uint8_t* c = pic.at(x, y);
            switch (format.bitCount) {
                case 1:
                case 4:
                case 8: {
                    const size_t bit = size_t(x) * format.bitCount;
                    const unsigned shift = 8 - format.bitCount - bit % 8;
                    const unsigned mask = ((1u << format.bitCount) - 1) << shift;
                    uint8_t& b = row[bit / 8];
                    b = uint8_t((b & ~mask) | (indices[size_t(y) * w + x] << shift));
                    break;
                }
                case 16: {
                    // The unused top bit is set on purpose: decoders must ignore it.
                    const unsigned v = 0x8000u | (c[0] >> 3) << 10 | (c[1] >> 3) << 5 | c[2] >> 3;
                    row[size_t(x) * 2] = uint8_t(v);
                    row[size_t(x) * 2 + 1] = uint8_t(v >> 8);
                    break;
                }
                default: {
                    const size_t step = format.bitCount / 8;
                    row[x * step] = c[2];
                    row[x * step + 1] = c[1];
                    row[x * step + 2] = c[0];
                    break;
                }
            }
        }
        raw.pixels.insert(raw.pixels.end(), row.begin(), row.end());
    }
    return assemble(raw);
}

std::string tempPath(const std::string& name) {
    return ::testing::TempDir() + "zorblat_" + std::to_string(::getpid()) + "_" + name;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        return false;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace bmptest

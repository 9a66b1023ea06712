// PngWriter: signature, IHDR, one IDAT holding a zlib stream of stored blocks, IEND.
#include "tools/modelviewer/PngWriter.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

uint32_t crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
    static uint32_t table[256];
    static bool ready = false;
    if (!ready) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            table[n] = c;
        }
        ready = true;
    }
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) {
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    }
    return ~crc;
}

uint32_t adler32(const std::vector<uint8_t>& data) {
    uint32_t a = 1, b = 0;
    for (uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void putBigEndian(std::string& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
}

void putChunk(std::string& out, const char type[5], const std::string& body) {
    putBigEndian(out, static_cast<uint32_t>(body.size()));
    const std::string typed = std::string(type, 4) + body;
    out += typed;
    putBigEndian(out, crc32(reinterpret_cast<const uint8_t*>(typed.data()), typed.size()));
}

// channels: 3 (RGB) or 4 (RGBA).
bool writePixels(const char* path, int width, int height, const std::vector<uint8_t>& pixels,
                 unsigned channels) {
    if (width <= 0 || height <= 0 ||
        pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * channels) {
        return false;
    }
    // Each row starts with its filter type, 0 (none).
    const size_t rowBytes = static_cast<size_t>(width) * channels;
    std::vector<uint8_t> raw;
    raw.reserve((rowBytes + 1) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        const uint8_t* row = pixels.data() + static_cast<size_t>(y) * rowBytes;
        raw.insert(raw.end(), row, row + rowBytes);
    }

    std::string zlib = {0x78, 0x01};  // deflate, 32 KiB window, no preset dictionary
    constexpr size_t kMaxStored = 65535;
    size_t offset = 0;
    do {
        const size_t length = std::min(kMaxStored, raw.size() - offset);
        const bool last = offset + length == raw.size();
        zlib.push_back(last ? 1 : 0);
        zlib.push_back(static_cast<char>(length & 0xFF));
        zlib.push_back(static_cast<char>(length >> 8));
        zlib.push_back(static_cast<char>(~length & 0xFF));
        zlib.push_back(static_cast<char>((~length >> 8) & 0xFF));
        zlib.append(reinterpret_cast<const char*>(raw.data()) + offset, length);
        offset += length;
    } while (offset < raw.size());
    putBigEndian(zlib, adler32(raw));

    std::string header;
    putBigEndian(header, static_cast<uint32_t>(width));
    putBigEndian(header, static_cast<uint32_t>(height));
    // 8 bits, colour type RGB (2) or RGBA (6), deflate, adaptive filters, no interlace.
    header += {8, static_cast<char>(channels == 4 ? 6 : 2), 0, 0, 0};

    std::string file = "\x89PNG\r\n\x1a\n";
    putChunk(file, "IHDR", header);
    putChunk(file, "IDAT", zlib);
    putChunk(file, "IEND", "");

    FILE* out = std::fopen(path, "wb");
    if (!out) {
        return false;
    }
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
}

}  // namespace

bool writePng(const char* path, int width, int height, const std::vector<uint8_t>& rgb) {
    return writePixels(path, width, height, rgb, 3);
}

bool writePngRgba(const char* path, int width, int height, const std::vector<uint8_t>& rgba) {
    return writePixels(path, width, height, rgba, 4);
}

// BmpImage: a Windows BMP file decoded to tightly packed RGB bytes, bottom row first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

// The pixel array is allocated with calloc so that a large RLE picture that leaves most of its
// pixels unwritten (they stay black) costs no more than the pages it touches.
struct BmpFree {
    void operator()(uint8_t* p) const { std::free(p); }
};

struct BmpImage {
    int32_t sizeX = 0;  // width in pixels, at least 1
    int32_t sizeY = 0;  // height in pixels, at least 1 (top-down files are turned upright)
    // sizeX * sizeY pixels of R, G, B with no row padding. Row 0 is the bottom row of the
    // picture, which is the row OpenGL takes as t = 0.
    std::unique_ptr<uint8_t[], BmpFree> data;

    size_t byteCount() const { return size_t(sizeX) * size_t(sizeY) * 3; }
    const uint8_t* pixel(int x, int y) const { return data.get() + (size_t(y) * sizeX + x) * 3; }
};

// Why a decode failed; each has the text the player sees on the error stream.
enum class BmpError {
    None,
    OpenFailed,        // "Failed to open DIB file %s.\n"
    UnknownFormat,     // "Unknown DIB file format."
    OutOfMemory,       // "Out of memory."
    ConversionFailed,  // "Image file conversion error."
};

// Largest picture accepted, in pixels; anything bigger is taken as a damaged header.
constexpr uint64_t kBmpMaxPixels = uint64_t(16384) * 16384;

// Decodes a BMP held in memory: with or without the 14-byte file header, core (12-byte) or
// standard (40-byte) info header, 1/4/8-bit palettes, 16-bit 5-5-5, 24- and 32-bit colour, RLE8
// and RLE4. The bytes are untrusted: every read is bounds-checked. Returns null on failure and
// sets *error (when given) to the reason; reports nothing itself.
std::unique_ptr<BmpImage> decodeBmp(const uint8_t* bytes, size_t size, BmpError* error = nullptr);

// Maps the file and decodes it, writing the failure message to the standard error stream.
std::unique_ptr<BmpImage> loadBmpImage(const char* path);

// The message for a failure ("%s" in the open failure is the path).
const char* bmpErrorText(BmpError error);

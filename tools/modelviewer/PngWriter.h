// PngWriter: writes 8-bit RGB and RGBA pictures as PNG files without a compression library.
#pragma once

#include <cstdint>
#include <vector>

// rgb holds width x height pixels, top row first. The image data is stored uncompressed
// (deflate "stored" blocks), which every PNG reader accepts. Returns false when the file
// cannot be written.
bool writePng(const char* path, int width, int height, const std::vector<uint8_t>& rgb);
// The same with an alpha channel: rgba holds R, G, B, A per pixel (A 255 is opaque).
bool writePngRgba(const char* path, int width, int height, const std::vector<uint8_t>& rgba);

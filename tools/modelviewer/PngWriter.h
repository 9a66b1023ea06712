// PngWriter: writes 8-bit RGB pictures as PNG files without a compression library.
#pragma once

#include <cstdint>
#include <vector>

// rgb holds width x height pixels, top row first. The image data is stored uncompressed
// (deflate "stored" blocks), which every PNG reader accepts. Returns false when the file
// cannot be written.
bool writePng(const char* path, int width, int height, const std::vector<uint8_t>& rgb);

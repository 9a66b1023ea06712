// WorldPainting: shaping curves, 3D noise and colour-keyed output shared by the world art.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/assetgen/Canvas.h"

namespace assetgen {

float clamp01(float x);
Rgb added(const Rgb& a, const Rgb& b);

// Smooth value noise over 3D space in [0, 1] (not periodic): the sky is painted from view
// directions, so its noise must live on the sphere rather than on one face.
float valueNoise3(float x, float y, float z, uint32_t seed);
// Sum of `octaves` noise layers, each twice as fine and half as strong; result in [0, 1].
float fractalNoise3(float x, float y, float z, int octaves, uint32_t seed);

// A colour key as the texture loader compares it: exact bytes.
struct KeyColour {
    uint8_t r, g, b;
};

// One byte per pixel, top row first: 1 where the picture is meant to be transparent.
using KeyMask = std::vector<uint8_t>;

// Writes the canvas with every masked pixel set exactly to the key and every other pixel kept
// off it: a painted pixel that rounds to the key is moved one step towards mid-grey, so the
// loader never punches an unintended hole. An empty mask keys nothing.
bool writeKeyedBmp(const std::string& path, const Canvas& canvas, const KeyMask& mask,
                   KeyColour key);

// Same stroke drawn again shifted by the canvas size wherever it crosses an edge, so that
// pictures which repeat (the ground) have no seams.
void drawLineWrapped(Canvas& canvas, float x0, float y0, float x1, float y1, float width,
                     const Rgb& c);
void fillCircleWrapped(Canvas& canvas, float cx, float cy, float r, const Rgb& c);

}  // namespace assetgen

// Atlas: rectangular cells of a skin picture, each painted by a function of its own (s, t).
#pragma once

#include <functional>

#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/MeshMath.h"

namespace assetgen {

// A cell in pixels (x to the right, y down). Its texture rectangle sits `inset` pixels inside,
// and painting covers the whole cell, so filtering and small mipmaps near an edge still pick
// up the cell's own colours rather than a neighbour's.
struct AtlasCell {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    float inset = 3.0f;

    UvRect uv(const Canvas& canvas) const;
};

// Colour at local (s, t) of a cell: s left to right, t bottom to top, both in [0, 1].
using CellPaint = std::function<Rgb(float s, float t)>;

// Paints the cell with 2 x 2 samples per pixel (soft edges); outside the texture rectangle the
// local coordinates are clamped, which repeats the border colours.
void paintCell(Canvas& canvas, const AtlasCell& cell, const CellPaint& paint);

// Helpers for painting functions.
// 1 inside the ellipse centred at (cs, ct) with radii (rs, rt), fading to 0 over `soft`.
float ellipseMask(float s, float t, float cs, float ct, float rs, float rt, float soft);

}  // namespace assetgen

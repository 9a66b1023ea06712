// Painter: paints shapes, glows and outlined text on a Canvas in layout units.
#pragma once

#include <string>
#include <vector>

#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/TextRaster.h"

namespace assetgen {

struct Point {
    float x = 0.0f, y = 0.0f;
};

// How a line of text is dressed: a vertical gradient over the capitals, an outline drawn by
// stroking the glyphs, and an optional soft drop shadow.
struct TextLook {
    Rgb top{1.0f, 1.0f, 1.0f};
    Rgb bottom{1.0f, 1.0f, 1.0f};
    Rgb outline{0.06f, 0.05f, 0.12f};
    float outlineWidth = 0.0f;  // units
    float shadowOffset = 0.0f;  // units, down and to the right
    float shadowBlur = 0.0f;    // units
    float shadowOpacity = 0.0f;
};

// A scene is laid out once in units (a 1024 x 768 screen for the full-screen pictures, the
// on-screen size for widgets) and painted with `unit` canvas pixels per unit, so pictures can
// be painted larger than they are shown and filtered down.
class Painter {
public:
    Painter(Canvas& canvas, float unit) : canvas_(canvas), unit_(unit) {}

    Canvas& canvas() { return canvas_; }
    float unit() const { return unit_; }

    // Anti-aliased ellipse turned by angleDegrees (clockwise on screen).
    void ellipse(float cx, float cy, float rx, float ry, const Rgb& c, float angleDegrees = 0.0f,
                 float opacity = 1.0f);
    void circle(float cx, float cy, float r, const Rgb& c, float opacity = 1.0f) {
        ellipse(cx, cy, r, r, c, 0.0f, opacity);
    }
    void rect(float x0, float y0, float x1, float y1, const Rgb& c, float opacity = 1.0f);
    // Rounded rectangle filled with a vertical gradient from top to bottom.
    void roundedRect(float x0, float y0, float x1, float y1, float radius, const Rgb& top,
                     const Rgb& bottom, float opacity = 1.0f);
    void line(float x0, float y0, float x1, float y1, float width, const Rgb& c,
              float opacity = 1.0f);
    // Even-odd filled polygon, anti-aliased by 4 x 4 supersampling.
    void polygon(const std::vector<Point>& points, const Rgb& c, float opacity = 1.0f);
    // Same polygon with no partial pixels (for keyed pictures).
    void polygonHard(const std::vector<Point>& points, const Rgb& c);
    // Band across the whole width, from y0 to y1, with a vertical gradient.
    void gradientBand(float y0, float y1, const Rgb& top, const Rgb& bottom);
    // Soft light added onto the picture: strongest at the centre, gone at the radius.
    void glow(float cx, float cy, float radius, const Rgb& c, float strength);
    // Twinkling star: a dot with a thin cross of light.
    void sparkle(float cx, float cy, float size, const Rgb& c);

    // One line of text, centred on cx, with the middle of its capitals at cy; returns its
    // width in units.
    float text(TextRaster& raster, const std::u32string& line, float size, float cx, float cy,
               const TextLook& look);

    // Paints coverage at canvas pixel (x, y) with a vertical gradient between canvas rows
    // gradientTop and gradientBottom.
    void mask(const Mask& m, int x, int y, const Rgb& top, const Rgb& bottom, float gradientTop,
              float gradientBottom, float opacity = 1.0f);

private:
    Canvas& canvas_;
    float unit_;
};

// The same polygon moved inwards by distance (for an outline band of that width); vertices
// keep their order.
std::vector<Point> insetPolygon(const std::vector<Point>& points, float distance);

// Box-blurred copy of a mask (three passes, close to a Gaussian).
Mask blurMask(const Mask& m, int radius);

// Keyed pictures: the canvas starts out "transparent" (a marker no paint can produce); after
// painting, finishKeyed turns the marker into the exact key black and lifts every painted
// pixel that would round to pure black to a near-black, so only the background is keyed.
Canvas keyedCanvas(int width, int height);
void finishKeyed(Canvas& canvas);

// Area-weighted resampling to another size (used to fit 4:3 paintings into square textures).
Canvas resampleArea(const Canvas& source, int width, int height);

}  // namespace assetgen

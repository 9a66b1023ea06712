// Canvas: an RGB float picture to paint art into, written out as a 24-bit bottom-up BMP.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

struct Rgb {
    float r = 0.0f, g = 0.0f, b = 0.0f;
};

inline Rgb rgb(int r, int g, int b) { return Rgb{r / 255.0f, g / 255.0f, b / 255.0f}; }
Rgb mix(const Rgb& a, const Rgb& b, float t);
inline Rgb scaled(const Rgb& c, float k) { return Rgb{c.r * k, c.g * k, c.b * k}; }
// Hermite ramp from 0 at edge0 to 1 at edge1, flat outside.
float smoothstep(float edge0, float edge1, float x);

// Coordinates: x to the right, y DOWN from the top row (as one paints); the BMP writer flips
// rows so the file is bottom-up as OpenGL expects.
class Canvas {
public:
    Canvas(int width, int height, Rgb fill = Rgb{});

    int width() const { return width_; }
    int height() const { return height_; }
    Rgb get(int x, int y) const;
    void set(int x, int y, const Rgb& c);
    // Blends c over the pixel with coverage a in [0, 1]; outside pixels are ignored.
    void blend(int x, int y, const Rgb& c, float a);

    void fill(const Rgb& c);
    void fillRect(float x0, float y0, float x1, float y1, const Rgb& c);
    // Anti-aliased disc and ellipse (coverage from the distance to the edge).
    void fillEllipse(float cx, float cy, float rx, float ry, const Rgb& c);
    void fillCircle(float cx, float cy, float r, const Rgb& c) { fillEllipse(cx, cy, r, r, c); }
    void fillRoundedRect(float x0, float y0, float x1, float y1, float radius, const Rgb& c);
    void drawLine(float x0, float y0, float x1, float y1, float width, const Rgb& c);
    void verticalGradient(const Rgb& top, const Rgb& bottom);

    // Hard, aliasing-free variants for keyed pictures: a pixel is either painted or not, so no
    // in-between colour can fall onto or next to a key colour.
    void fillEllipseHard(float cx, float cy, float rx, float ry, const Rgb& c);
    void fillRoundedRectHard(float x0, float y0, float x1, float y1, float radius, const Rgb& c);

    // Quantised RGB bytes, top row first.
    std::vector<uint8_t> bytes() const;
    bool writeBmp(const std::string& path) const;

private:
    int width_, height_;
    std::vector<Rgb> pixels_;
};

// Writes a 24-bit uncompressed bottom-up BMP from RGB bytes given top row first.
bool writeBmp24(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

// Deterministic generator (splitmix64), so art is byte-identical on every build.
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t next();
    float uniform();                  // [0, 1)
    float range(float lo, float hi);  // [lo, hi)

private:
    uint64_t state_;
};

// Smooth value noise in [0, 1], tileable with the given period (in lattice cells).
float valueNoise(float x, float y, int period, uint32_t seed);

}  // namespace assetgen

// Canvas: painting primitives, BMP output, deterministic random numbers and value noise.
#include "tools/assetgen/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tools/assetgen/LittleEndian.h"

namespace assetgen {

Rgb mix(const Rgb& a, const Rgb& b, float t) {
    return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

float smoothstep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

Canvas::Canvas(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

Rgb Canvas::get(int x, int y) const {
    x = std::clamp(x, 0, width_ - 1);
    y = std::clamp(y, 0, height_ - 1);
    return pixels_[static_cast<size_t>(y) * width_ + x];
}

void Canvas::set(int x, int y, const Rgb& c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    pixels_[static_cast<size_t>(y) * width_ + x] = c;
}

void Canvas::blend(int x, int y, const Rgb& c, float a) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || a <= 0.0f) {
        return;
    }
    Rgb& p = pixels_[static_cast<size_t>(y) * width_ + x];
    p = mix(p, c, std::min(a, 1.0f));
}

void Canvas::fill(const Rgb& c) { std::fill(pixels_.begin(), pixels_.end(), c); }

void Canvas::fillRect(float x0, float y0, float x1, float y1, const Rgb& c) {
    for (int y = std::max(0, int(std::floor(y0))); y < std::min(height_, int(std::ceil(y1))); ++y) {
        for (int x = std::max(0, int(std::floor(x0))); x < std::min(width_, int(std::ceil(x1)));
             ++x) {
            const float cx = std::min(x + 1.0f, x1) - std::max(float(x), x0);
            const float cy = std::min(y + 1.0f, y1) - std::max(float(y), y0);
            blend(x, y, c, std::clamp(cx, 0.0f, 1.0f) * std::clamp(cy, 0.0f, 1.0f));
        }
    }
}

void Canvas::fillEllipse(float cx, float cy, float rx, float ry, const Rgb& c) {
    const int y0 = std::max(0, int(cy - ry - 2)), y1 = std::min(height_ - 1, int(cy + ry + 2));
    const int x0 = std::max(0, int(cx - rx - 2)), x1 = std::min(width_ - 1, int(cx + rx + 2));
    const float r = std::min(rx, ry);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            const float d = (std::sqrt(dx * dx + dy * dy) - 1.0f) * r;  // ~pixels outside
            blend(x, y, c, std::clamp(0.5f - d, 0.0f, 1.0f));
        }
    }
}

namespace {

// Signed distance (pixels) from p to a rounded rectangle; negative inside.
float roundedRectDistance(float px, float py, float x0, float y0, float x1, float y1, float r) {
    const float cx = (x0 + x1) * 0.5f, cy = (y0 + y1) * 0.5f;
    const float hx = (x1 - x0) * 0.5f - r, hy = (y1 - y0) * 0.5f - r;
    const float qx = std::fabs(px - cx) - hx, qy = std::fabs(py - cy) - hy;
    const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - r;
}

}  // namespace

void Canvas::fillRoundedRect(float x0, float y0, float x1, float y1, float radius, const Rgb& c) {
    for (int y = std::max(0, int(y0) - 1); y < std::min(height_, int(y1) + 2); ++y) {
        for (int x = std::max(0, int(x0) - 1); x < std::min(width_, int(x1) + 2); ++x) {
            const float d = roundedRectDistance(x + 0.5f, y + 0.5f, x0, y0, x1, y1, radius);
            blend(x, y, c, std::clamp(0.5f - d, 0.0f, 1.0f));
        }
    }
}

void Canvas::fillRoundedRectHard(float x0, float y0, float x1, float y1, float radius,
                                 const Rgb& c) {
    for (int y = std::max(0, int(y0) - 1); y < std::min(height_, int(y1) + 2); ++y) {
        for (int x = std::max(0, int(x0) - 1); x < std::min(width_, int(x1) + 2); ++x) {
            if (roundedRectDistance(x + 0.5f, y + 0.5f, x0, y0, x1, y1, radius) <= 0.0f) {
                set(x, y, c);
            }
        }
    }
}

void Canvas::fillEllipseHard(float cx, float cy, float rx, float ry, const Rgb& c) {
    for (int y = std::max(0, int(cy - ry - 1)); y <= std::min(height_ - 1, int(cy + ry + 1)); ++y) {
        for (int x = std::max(0, int(cx - rx - 1)); x <= std::min(width_ - 1, int(cx + rx + 1));
             ++x) {
            const float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            if (dx * dx + dy * dy <= 1.0f) {
                set(x, y, c);
            }
        }
    }
}

void Canvas::drawLine(float x0, float y0, float x1, float y1, float width, const Rgb& c) {
    const float minX = std::min(x0, x1) - width, maxX = std::max(x0, x1) + width;
    const float minY = std::min(y0, y1) - width, maxY = std::max(y0, y1) + width;
    const float dx = x1 - x0, dy = y1 - y0;
    const float len2 = std::max(dx * dx + dy * dy, 1e-6f);
    for (int y = std::max(0, int(minY)); y <= std::min(height_ - 1, int(maxY)); ++y) {
        for (int x = std::max(0, int(minX)); x <= std::min(width_ - 1, int(maxX)); ++x) {
            const float px = x + 0.5f - x0, py = y + 0.5f - y0;
            const float t = std::clamp((px * dx + py * dy) / len2, 0.0f, 1.0f);
            const float ex = px - t * dx, ey = py - t * dy;
            const float d = std::sqrt(ex * ex + ey * ey) - width * 0.5f;
            blend(x, y, c, std::clamp(0.5f - d, 0.0f, 1.0f));
        }
    }
}

void Canvas::verticalGradient(const Rgb& top, const Rgb& bottom) {
    for (int y = 0; y < height_; ++y) {
        const Rgb c = mix(top, bottom, height_ > 1 ? float(y) / (height_ - 1) : 0.0f);
        for (int x = 0; x < width_; ++x) {
            set(x, y, c);
        }
    }
}

std::vector<uint8_t> Canvas::bytes() const {
    std::vector<uint8_t> out(pixels_.size() * 3);
    for (size_t i = 0; i < pixels_.size(); ++i) {
        const Rgb& p = pixels_[i];
        out[3 * i + 0] = uint8_t(std::lround(std::clamp(p.r, 0.0f, 1.0f) * 255.0f));
        out[3 * i + 1] = uint8_t(std::lround(std::clamp(p.g, 0.0f, 1.0f) * 255.0f));
        out[3 * i + 2] = uint8_t(std::lround(std::clamp(p.b, 0.0f, 1.0f) * 255.0f));
    }
    return out;
}

bool Canvas::writeBmp(const std::string& path) const {
    return writeBmp24(path, width_, height_, bytes());
}

namespace {

using littleendian::put16;
using littleendian::put32;

}  // namespace

bool writeBmp24(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
    const uint32_t rowBytes = (uint32_t(width) * 3 + 3) & ~3u;
    const uint32_t imageBytes = rowBytes * uint32_t(height);
    std::vector<uint8_t> out;
    out.reserve(54 + imageBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + imageBytes);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, uint32_t(width));
    put32(out, uint32_t(height));  // positive: bottom-up
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);  // BI_RGB
    put32(out, imageBytes);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        const size_t row = size_t(y) * width * 3;
        for (int x = 0; x < width; ++x) {
            out.push_back(rgb[row + 3 * x + 2]);
            out.push_back(rgb[row + 3 * x + 1]);
            out.push_back(rgb[row + 3 * x + 0]);
        }
        for (uint32_t pad = uint32_t(width) * 3; pad < rowBytes; ++pad) {
            out.push_back(0);
        }
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::perror(path.c_str());
        return false;
    }
    const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && ok;
}

uint64_t Rng::next() {
    uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

float Rng::uniform() { return float(next() >> 40) / float(1ull << 24); }

float Rng::range(float lo, float hi) { return lo + (hi - lo) * uniform(); }

namespace {

float latticeValue(int x, int y, int period, uint32_t seed) {
    x = ((x % period) + period) % period;
    y = ((y % period) + period) % period;
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return float(h & 0xffffff) / float(0xffffff);
}

}  // namespace

float valueNoise(float x, float y, int period, uint32_t seed) {
    const int ix = int(std::floor(x)), iy = int(std::floor(y));
    const float fx = x - ix, fy = y - iy;
    const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const float a = latticeValue(ix, iy, period, seed), b = latticeValue(ix + 1, iy, period, seed);
    const float c = latticeValue(ix, iy + 1, period, seed);
    const float d = latticeValue(ix + 1, iy + 1, period, seed);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

}  // namespace assetgen

// WorldPainting: shaping curves, 3D noise and colour-keyed output shared by the world art.
#include "tools/assetgen/WorldPainting.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

float clamp01(float x) { return std::clamp(x, 0.0f, 1.0f); }

Rgb added(const Rgb& a, const Rgb& b) { return Rgb{a.r + b.r, a.g + b.g, a.b + b.b}; }

namespace {

float lattice3(int x, int y, int z, uint32_t seed) {
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + uint32_t(z) * 2654435761u +
                 seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return float(h & 0xffffff) / float(0xffffff);
}

float fade(float t) { return t * t * (3.0f - 2.0f * t); }

float lerp(float a, float b, float t) { return a + (b - a) * t; }

}  // namespace

float valueNoise3(float x, float y, float z, uint32_t seed) {
    const int ix = int(std::floor(x)), iy = int(std::floor(y)), iz = int(std::floor(z));
    const float fx = fade(x - ix), fy = fade(y - iy), fz = fade(z - iz);
    float layer[2];
    for (int k = 0; k < 2; ++k) {
        const float a = lattice3(ix, iy, iz + k, seed), b = lattice3(ix + 1, iy, iz + k, seed);
        const float c = lattice3(ix, iy + 1, iz + k, seed);
        const float d = lattice3(ix + 1, iy + 1, iz + k, seed);
        layer[k] = lerp(lerp(a, b, fx), lerp(c, d, fx), fy);
    }
    return lerp(layer[0], layer[1], fz);
}

float fractalNoise3(float x, float y, float z, int octaves, uint32_t seed) {
    float sum = 0.0f, weight = 1.0f, total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += valueNoise3(x, y, z, seed + uint32_t(i)) * weight;
        total += weight;
        weight *= 0.5f;
        x *= 2.0f;
        y *= 2.0f;
        z *= 2.0f;
    }
    return sum / total;
}

bool writeKeyedBmp(const std::string& path, const Canvas& canvas, const KeyMask& mask,
                   KeyColour key) {
    std::vector<uint8_t> rgb = canvas.bytes();
    const size_t pixels = rgb.size() / 3;
    for (size_t i = 0; i < pixels; ++i) {
        uint8_t* p = &rgb[3 * i];
        if (i < mask.size() && mask[i]) {
            p[0] = key.r;
            p[1] = key.g;
            p[2] = key.b;
        } else if (p[0] == key.r && p[1] == key.g && p[2] == key.b) {
            for (int c = 0; c < 3; ++c) {
                p[c] = p[c] < 128 ? uint8_t(p[c] + 1) : uint8_t(p[c] - 1);
            }
        }
    }
    return writeBmp24(path, canvas.width(), canvas.height(), rgb);
}

namespace {

// Offsets (in canvas sizes) at which a shape spanning [lo, hi] also shows on a repeating tile.
std::vector<float> wrapOffsets(float lo, float hi, float size) {
    std::vector<float> offsets{0.0f};
    if (lo < 0.0f) {
        offsets.push_back(size);
    }
    if (hi > size) {
        offsets.push_back(-size);
    }
    return offsets;
}

}  // namespace

void drawLineWrapped(Canvas& canvas, float x0, float y0, float x1, float y1, float width,
                     const Rgb& c) {
    const float w = float(canvas.width()), h = float(canvas.height());
    for (float ox : wrapOffsets(std::min(x0, x1) - width, std::max(x0, x1) + width, w)) {
        for (float oy : wrapOffsets(std::min(y0, y1) - width, std::max(y0, y1) + width, h)) {
            canvas.drawLine(x0 + ox, y0 + oy, x1 + ox, y1 + oy, width, c);
        }
    }
}

void fillCircleWrapped(Canvas& canvas, float cx, float cy, float r, const Rgb& c) {
    const float w = float(canvas.width()), h = float(canvas.height());
    for (float ox : wrapOffsets(cx - r - 2.0f, cx + r + 2.0f, w)) {
        for (float oy : wrapOffsets(cy - r - 2.0f, cy + r + 2.0f, h)) {
            canvas.fillCircle(cx + ox, cy + oy, r, c);
        }
    }
}

}  // namespace assetgen

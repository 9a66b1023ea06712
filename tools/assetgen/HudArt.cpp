// HudArt: the pictures drawn over the view: crosshair, muzzle flash, radar, its dots and sweep.
#include "tools/assetgen/HudArt.h"

#include <algorithm>
#include <cmath>

#include "render/AssetNames.h"
#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/WorldPainting.h"

namespace assetgen {

namespace {

const float kPi = 3.14159265f;

struct KeyedSprite {
    Canvas canvas;
    KeyMask mask;
};

// Paints a colour-keyed sprite from a signed distance in pixels (negative inside the shape).
// The key starts with a hard edge one outline width away from the shape, so the texture
// filter only ever mixes the key with the dark outline, never with a bright fill; inside, the
// fill is anti-aliased against the outline.
template <class Distance, class Fill>
KeyedSprite paintKeyed(int size, float outlineWidth, const Rgb& outline, Distance distance,
                       Fill fill) {
    KeyedSprite sprite{Canvas(size, size), KeyMask(size_t(size) * size, 0)};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            const float d = distance(px, py);
            if (d > outlineWidth) {
                sprite.mask[size_t(y) * size + x] = 1;
                continue;
            }
            sprite.canvas.set(x, y, mix(outline, fill(px, py), clamp01(0.5f - d)));
        }
    }
    // Distances of spiky shapes are only estimates: wherever the key still ended up next to
    // the fill, that pixel becomes outline.
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const auto keyed = [&](int kx, int ky) {
                return kx >= 0 && ky >= 0 && kx < size && ky < size &&
                       sprite.mask[size_t(ky) * size + kx];
            };
            if (!keyed(x, y) &&
                (keyed(x - 1, y) || keyed(x + 1, y) || keyed(x, y - 1) || keyed(x, y + 1))) {
                sprite.canvas.set(x, y, outline);
            }
        }
    }
    return sprite;
}

float boxDistance(float px, float py, float cx, float cy, float hx, float hy) {
    const float qx = std::fabs(px - cx) - hx, qy = std::fabs(py - cy) - hy;
    const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f);
}

float angleBetween(float a, float b) {
    float d = std::fmod(std::fabs(a - b), 2.0f * kPi);
    return std::min(d, 2.0f * kPi - d);
}

// Crosshair: a ring, four arms with a gap in the middle and a red centre dot, white with a
// dark outline on the pure-blue key (drawn at half size, 32 x 32 pixels).
KeyedSprite paintCrosshair() {
    const float c = 32.0f;
    auto dot = [c](float x, float y) { return std::hypot(x - c, y - c) - 2.8f; };
    auto frame = [c](float x, float y) {
        float d = std::fabs(std::hypot(x - c, y - c) - 17.0f) - 1.7f;
        d = std::min(d, boxDistance(x, y, c, c - 18.0f, 1.9f, 9.5f));
        d = std::min(d, boxDistance(x, y, c, c + 18.0f, 1.9f, 9.5f));
        d = std::min(d, boxDistance(x, y, c - 18.0f, c, 9.5f, 1.9f));
        return std::min(d, boxDistance(x, y, c + 18.0f, c, 9.5f, 1.9f));
    };
    return paintKeyed(
        64, 2.0f, rgb(18, 20, 34),
        [&](float x, float y) { return std::min(dot(x, y), frame(x, y)); },
        [&](float x, float y) {
            return dot(x, y) < frame(x, y) ? rgb(255, 64, 48) : rgb(255, 255, 250);
        });
}

// Muzzle flash: a spiky cartoon star, white-hot core, yellow, orange rim, on the pure-red key.
// The game spins it at every shot, so it is roughly round but uneven.
KeyedSprite paintFlash() {
    const int size = 128;
    const float half = size * 0.5f;
    Rng rng(0xf1a5ull);
    struct Spike {
        float angle, length, width;
    };
    std::vector<Spike> spikes;
    for (int i = 0; i < 16; ++i) {
        const bool major = i % 2 == 0;
        spikes.push_back(Spike{i * kPi / 8.0f + rng.range(-0.12f, 0.12f),
                               major ? rng.range(0.34f, 0.5f) : rng.range(0.14f, 0.26f),
                               major ? 0.3f : 0.22f});
    }
    auto shapeRadius = [spikes](float angle) {
        float r = 0.34f;
        for (const Spike& s : spikes) {
            const float k = 1.0f - angleBetween(angle, s.angle) / s.width;
            if (k > 0.0f) {
                r = std::max(r, 0.34f + s.length * std::pow(k, 1.6f));
            }
        }
        return r;
    };
    auto polar = [half](float x, float y, float& r, float& angle) {
        const float u = (x - half) / half, v = (y - half) / half;
        r = std::sqrt(u * u + v * v);
        angle = std::atan2(v, u);
    };
    return paintKeyed(
        size, 2.5f, rgb(196, 52, 12),
        [&](float x, float y) {
            float r, angle;
            polar(x, y, r, angle);
            return (r - shapeRadius(angle)) * half;
        },
        [&](float x, float y) {
            float r, angle;
            polar(x, y, r, angle);
            const float edge = shapeRadius(angle);
            Rgb colour = rgb(255, 128, 24);
            colour = mix(colour, rgb(255, 214, 48), clamp01(0.5f - (r - edge * 0.68f) * half));
            return mix(colour, rgb(255, 252, 210), clamp01(0.5f - (r - edge * 0.36f) * half));
        });
}

// Radar screen: teal bezel with ticks, dark green glass, range rings every 250 units and a
// chevron for the player. Drawn additively on its black key, 64 units for +/-1000 world units.
KeyedSprite paintRadar() {
    const float c = 64.0f;
    const float screen = 56.0f, bezelIn = 57.5f, bezelOut = 61.5f, outer = 63.5f;
    auto fill = [=](float x, float y) {
        const float dx = x - c, dy = y - c, r = std::hypot(dx, dy);
        if (r > bezelOut) {
            return rgb(10, 52, 46);
        }
        if (r > bezelIn) {
            const float light = clamp01(0.5f - (dx + dy) / (2.0f * r));
            Rgb bezel = mix(rgb(22, 110, 100), rgb(60, 210, 186), light);
            const float angle = std::atan2(dy, dx);
            const float tick = std::fabs(std::remainder(angle, kPi / 6.0f)) * r;
            return tick < 1.0f ? rgb(10, 52, 46) : bezel;
        }
        if (r > screen) {
            return rgb(6, 32, 28);
        }
        Rgb glass = mix(rgb(8, 56, 42), rgb(4, 30, 26), r / screen);
        for (float ring : {16.0f, 32.0f, 48.0f}) {
            glass = mix(glass, rgb(34, 150, 108), clamp01(1.2f - std::fabs(r - ring)));
        }
        const float line = std::min(std::fabs(dx), std::fabs(dy));
        glass = mix(glass, rgb(24, 110, 80), clamp01(1.0f - line));
        // Player chevron at the centre, pointing up (the way the player looks).
        const float tip = dy + 5.0f;  // 0 at the tip, grows downwards
        if (tip >= 0.0f && tip <= 9.0f && std::fabs(dx) <= tip * 0.5f &&
            !(dy > 1.0f && std::fabs(dx) < (dy - 1.0f) * 0.9f)) {
            glass = rgb(140, 255, 200);
        }
        return glass;
    };
    return paintKeyed(
        128, 0.0f, rgb(10, 52, 46),
        [=](float x, float y) { return std::hypot(x - c, y - c) - outer; }, fill);
}

// Radar dot: a bright disc with a grey rim; the game tints it per otter and for the building.
KeyedSprite paintDot() {
    const float c = 8.0f;
    return paintKeyed(
        16, 1.6f, rgb(96, 96, 96),
        [=](float x, float y) { return std::hypot(x - c, y - c) - 5.0f; },
        [=](float x, float y) {
            return mix(rgb(255, 255, 255), rgb(200, 200, 200), std::hypot(x - c, y - c) / 5.0f);
        });
}

// Radar sweep: a green wedge whose bright leading edge turns counter-clockwise (the way the
// game spins it) with a fading trail behind, on black: it is added over the radar, so black
// adds nothing. Same radius as the radar glass.
Canvas paintSweep() {
    const int size = 128;
    const float c = 64.0f, radius = 56.0f;
    Canvas canvas(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float sum = 0.0f;
            for (int sy = 0; sy < 4; ++sy) {
                for (int sx = 0; sx < 4; ++sx) {
                    const float dx = x + (sx + 0.5f) / 4.0f - c;
                    const float dy = c - (y + (sy + 0.5f) / 4.0f);  // up is positive
                    const float r = std::hypot(dx, dy);
                    if (r > radius) {
                        continue;
                    }
                    float behind = -std::atan2(dy, dx);  // clockwise from the leading edge
                    if (behind < 0.0f) {
                        behind += 2.0f * kPi;
                    }
                    const float trail = std::exp(-behind / 0.45f) * (0.45f + 0.55f * r / radius);
                    sum += behind < 0.035f ? 1.0f : trail * smoothstep(1.8f, 1.2f, behind);
                }
            }
            const float v = sum / 16.0f;
            canvas.set(x, y, scaled(rgb(70, 255, 150), v));
        }
    }
    return canvas;
}

}  // namespace

bool writeHudArt(const std::string& textures) {
    bool ok = true;
    const KeyedSprite crosshair = paintCrosshair();
    ok = writeKeyedBmp(textures + assetnames::inTextures(assetnames::kCrosshair), crosshair.canvas,
                       crosshair.mask, KeyColour{0, 0, 255}) &&
         ok;
    const KeyedSprite flash = paintFlash();
    ok = writeKeyedBmp(textures + assetnames::inTextures(assetnames::kMuzzleFlash), flash.canvas,
                       flash.mask, KeyColour{255, 0, 0}) &&
         ok;
    const KeyedSprite radar = paintRadar();
    ok = writeKeyedBmp(textures + assetnames::inTextures(assetnames::kRadar), radar.canvas,
                       radar.mask, KeyColour{0, 0, 0}) &&
         ok;
    const KeyedSprite dot = paintDot();
    ok = writeKeyedBmp(textures + assetnames::inTextures(assetnames::kRadarDot), dot.canvas,
                       dot.mask, KeyColour{0, 0, 0}) &&
         ok;
    // The sweep is added as it is (its red key never makes it transparent): black background,
    // kept off pure red all the same.
    ok = writeKeyedBmp(textures + assetnames::inTextures(assetnames::kRadarSweep), paintSweep(), {},
                       KeyColour{255, 0, 0}) &&
         ok;
    return ok;
}

}  // namespace assetgen

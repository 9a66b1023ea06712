// NightScenery: deep blue and purple night, warm windows and lamps, dark park greens.
#include "tools/assetgen/NightScenery.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace assetgen {

namespace {

constexpr float kScreenWidth = 1024.0f;

// Noise that varies over tens of units looks the same sampled every few pixels and
// interpolated, for a fraction of the cost.
class CoarseField {
public:
    template <typename F>
    CoarseField(int width, int height, int step, const F& field)
        : step_(step), columns_(width / step + 2), values_(size_t(columns_) * (height / step + 2)) {
        for (int r = 0; r < height / step + 2; ++r) {
            for (int c = 0; c < columns_; ++c) {
                values_[size_t(r) * columns_ + c] = field(float(c * step), float(r * step));
            }
        }
    }

    float at(int x, int y) const {
        const int c = x / step_, r = y / step_;
        const float tx = float(x % step_) / step_, ty = float(y % step_) / step_;
        const float* row = &values_[size_t(r) * columns_ + c];
        const float top = row[0] + (row[1] - row[0]) * tx;
        const float bottom = row[columns_] + (row[columns_ + 1] - row[columns_]) * tx;
        return top + (bottom - top) * ty;
    }

private:
    int step_, columns_;
    std::vector<float> values_;
};

}  // namespace

void paintSky(Painter& painter, const SkyLook& look) {
    Canvas& canvas = painter.canvas();
    const float unit = painter.unit();
    painter.gradientBand(0.0f, look.horizonY, look.top, look.horizon);
    painter.gradientBand(look.horizonY, float(canvas.height()) / unit, look.horizon, look.horizon);
    // Veils of thin cloud: two octaves of noise, brighter towards the horizon.
    const Rgb veil = rgb(120, 90, 170);
    const CoarseField clouds(canvas.width(), canvas.height(), 4, [&](float x, float y) {
        const float u = x / unit, v = y / unit;
        return valueNoise(u / 180.0f, v / 60.0f, 64, look.seed) * 0.65f +
               valueNoise(u / 60.0f, v / 25.0f, 64, look.seed + 7) * 0.35f;
    });
    for (int y = 0; y < canvas.height(); ++y) {
        const float towardsHorizon = std::clamp(y / unit / look.horizonY, 0.0f, 1.0f);
        for (int x = 0; x < canvas.width(); ++x) {
            const float a = std::max(0.0f, clouds.at(x, y) - 0.45f) * look.cloudStrength * 2.0f *
                            (0.4f + 0.6f * towardsHorizon);
            canvas.blend(x, y, veil, a);
        }
    }
    Rng rng(look.seed * 7919u + 13u);
    for (int i = 0; i < look.stars; ++i) {
        const float x = rng.range(0.0f, kScreenWidth);
        const float y = rng.range(0.0f, look.horizonY * 0.95f);
        const float b = rng.range(0.25f, 1.0f) * look.starBrightness;
        const float size = rng.range(0.7f, 1.6f);
        const Rgb tint = mix(rgb(255, 240, 200), rgb(200, 215, 255), rng.uniform());
        if (i % 17 == 0) {
            painter.sparkle(x, y, size * 1.6f, mix(Rgb{}, tint, b));
        } else {
            painter.circle(x, y, size, tint, b);
        }
    }
}

void paintMoon(Painter& painter, float cx, float cy, float radius) {
    painter.glow(cx, cy, radius * 3.2f, rgb(120, 110, 170), 0.35f);
    painter.glow(cx, cy, radius * 1.6f, rgb(255, 240, 200), 0.25f);
    painter.circle(cx, cy, radius, rgb(252, 244, 210));
    // Craters and a soft shadow on the lower right give it some roundness.
    painter.ellipse(cx + radius * 0.25f, cy + radius * 0.22f, radius * 0.85f, radius * 0.85f,
                    rgb(226, 214, 172), 0.0f, 0.35f);
    painter.circle(cx - radius * 0.35f, cy - radius * 0.2f, radius * 0.22f, rgb(226, 214, 176),
                   0.8f);
    painter.circle(cx + radius * 0.3f, cy + radius * 0.35f, radius * 0.16f, rgb(222, 210, 170),
                   0.8f);
    painter.circle(cx + radius * 0.15f, cy - radius * 0.45f, radius * 0.1f, rgb(226, 214, 176),
                   0.8f);
    painter.circle(cx - radius * 0.1f, cy + radius * 0.45f, radius * 0.08f, rgb(226, 214, 176),
                   0.8f);
}

namespace {

void paintWindows(Painter& painter, Rng& rng, float x0, float x1, float top, float baseY,
                  const SkylineLook& look) {
    const float cell = 14.0f;
    const Rgb unlit = mix(look.silhouette, rgb(60, 60, 100), 0.25f);
    for (float y = top + 10.0f; y + 8.0f < baseY; y += cell) {
        for (float x = x0 + 7.0f; x + 7.0f < x1; x += cell * 0.8f) {
            const bool lit = rng.uniform() < 0.33f && y + 8.0f < look.windowsAbove;
            const float warmth = rng.uniform();
            if (lit && look.windowLight > 0.0f) {
                const Rgb c = mix(rgb(255, 214, 120), rgb(255, 160, 70), warmth);
                painter.rect(x, y, x + 5.0f, y + 7.0f, c, look.windowLight);
            } else {
                painter.rect(x, y, x + 5.0f, y + 7.0f, unlit, 0.8f);
            }
        }
    }
}

}  // namespace

void paintSkyline(Painter& painter, const SkylineLook& look) {
    Rng rng(look.seed * 104729u + 3u);
    float x = -20.0f;
    while (x < kScreenWidth + 20.0f) {
        const float width = rng.range(45.0f, 110.0f);
        const float height = rng.range(look.minHeight, look.maxHeight);
        const float top = look.baseY - height;
        painter.rect(x, top, x + width, look.baseY + 2.0f, look.silhouette);
        const float roof = rng.uniform();
        if (roof < 0.25f) {
            // Antenna.
            painter.line(x + width * 0.5f, top, x + width * 0.5f, top - 24.0f, 2.0f,
                         look.silhouette);
        } else if (roof < 0.45f) {
            // Water tank on legs.
            painter.rect(x + width * 0.3f, top - 16.0f, x + width * 0.3f + 18.0f, top - 5.0f,
                         look.silhouette);
            painter.rect(x + width * 0.3f + 2.0f, top - 6.0f, x + width * 0.3f + 16.0f, top,
                         look.silhouette, 0.6f);
        } else if (roof < 0.6f) {
            painter.rect(x + 6.0f, top - 10.0f, x + width - 6.0f, top, look.silhouette);
        }
        paintWindows(painter, rng, x, x + width, top, look.baseY, look);
        x += width + rng.range(-12.0f, 6.0f);
    }
}

void paintTower(Painter& painter, float cx, float baseY, float width, float height,
                const Rgb& silhouette) {
    const float top = baseY - height;
    const float half = width * 0.5f;
    painter.rect(cx - half, top + 30.0f, cx + half, baseY, silhouette);
    painter.rect(cx - half * 0.75f, top + 10.0f, cx + half * 0.75f, top + 31.0f, silhouette);
    painter.rect(cx - half * 0.45f, top - 4.0f, cx + half * 0.45f, top + 11.0f, silhouette);
    painter.line(cx, top - 4.0f, cx, top - 60.0f, 3.0f, silhouette);
    painter.glow(cx, top - 60.0f, 26.0f, rgb(255, 60, 60), 0.6f);
    painter.circle(cx, top - 60.0f, 3.5f, rgb(255, 110, 100));
    // Lit floors in horizontal bands, as if the office lights were left on.
    Rng rng(uint32_t(cx * 31.0f + height));
    for (float y = top + 42.0f; y + 10.0f < baseY; y += 16.0f) {
        const bool band = rng.uniform() < 0.55f;
        for (float x = cx - half + 8.0f; x + 8.0f <= cx + half - 6.0f; x += 12.0f) {
            const bool lit = band ? rng.uniform() < 0.8f : rng.uniform() < 0.12f;
            const Rgb c = lit ? mix(rgb(255, 222, 140), rgb(255, 180, 90), rng.uniform())
                              : mix(silhouette, rgb(70, 70, 110), 0.3f);
            painter.rect(x, y, x + 6.0f, y + 9.0f, c, lit ? 0.95f : 0.8f);
        }
    }
}

void paintPark(Painter& painter, float groundY, uint32_t seed) {
    Canvas& canvas = painter.canvas();
    const float unit = painter.unit();
    const float bottom = float(canvas.height()) / unit;
    painter.gradientBand(groundY, bottom, rgb(30, 70, 58), rgb(10, 30, 28));
    // Mottled grass.
    const CoarseField mottle(canvas.width(), canvas.height(), 4, [&](float x, float y) {
        return valueNoise(x / unit / 40.0f, y / unit / 12.0f, 64, seed);
    });
    for (int y = int(groundY * unit); y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            canvas.blend(x, y, rgb(8, 24, 20), std::max(0.0f, mottle.at(x, y) - 0.5f) * 0.6f);
        }
    }
    // A path winding from the front towards the city.
    std::vector<Point> path;
    for (int i = 0; i <= 24; ++i) {
        const float t = i / 24.0f;
        const float y = groundY + (bottom - groundY) * t;
        const float x = 512.0f + std::sin(t * 3.0f + 0.5f) * 60.0f * t;
        path.push_back(Point{x - (10.0f + 160.0f * t * t), y});
    }
    for (int i = 24; i >= 0; --i) {
        const float t = i / 24.0f;
        const float y = groundY + (bottom - groundY) * t;
        const float x = 512.0f + std::sin(t * 3.0f + 0.5f) * 60.0f * t;
        path.push_back(Point{x + (10.0f + 160.0f * t * t), y});
    }
    painter.polygon(path, rgb(58, 56, 84), 0.85f);
    // Bushes along the horizon hide where the city meets the park.
    Rng rng(seed * 31u + 5u);
    for (float x = -30.0f; x < kScreenWidth + 30.0f; x += rng.range(25.0f, 45.0f)) {
        const float r = rng.range(16.0f, 30.0f);
        painter.ellipse(x, groundY + 4.0f, r * 1.3f, r, rgb(16, 40, 36));
        painter.ellipse(x - r * 0.3f, groundY - r * 0.3f, r * 0.6f, r * 0.4f, rgb(28, 62, 52), 0.0f,
                        0.7f);
    }
}

void paintTree(Painter& painter, float x, float groundY, float height, uint32_t seed, float light) {
    const Rgb night = rgb(9, 8, 24);
    const auto lit = [&](const Rgb& c) { return mix(night, c, light); };
    const Rgb trunk = lit(rgb(40, 28, 30));
    const float crown = height * 0.62f;
    painter.rect(x - height * 0.05f, groundY - height * 0.5f, x + height * 0.05f, groundY, trunk);
    painter.ellipse(x, groundY, height * 0.14f, height * 0.025f, rgb(8, 22, 20), 0.0f, 0.6f);
    Rng rng(seed * 2654435761u + 1u);
    const Rgb dark = lit(rgb(18, 50, 44)), mid = lit(rgb(28, 72, 58)),
              bright = lit(rgb(48, 104, 76));
    const float cy = groundY - height + crown * 0.5f;
    for (int i = 0; i < 9; ++i) {
        const float a = i / 9.0f * 6.2831853f;
        const float r = crown * rng.range(0.22f, 0.3f);
        painter.circle(x + std::cos(a) * crown * 0.3f, cy + std::sin(a) * crown * 0.25f, r, dark);
    }
    painter.circle(x, cy, crown * 0.36f, dark);
    for (int i = 0; i < 6; ++i) {
        const float a = (i / 6.0f + 0.05f) * 6.2831853f;
        painter.circle(x + std::cos(a) * crown * 0.22f - crown * 0.05f,
                       cy + std::sin(a) * crown * 0.18f - crown * 0.08f,
                       crown * rng.range(0.14f, 0.2f), mid);
    }
    painter.circle(x - crown * 0.14f, cy - crown * 0.2f, crown * 0.12f, bright, 0.8f);
}

void paintLamp(Painter& painter, float x, float groundY, float height) {
    const Rgb metal = rgb(36, 34, 54);
    const float top = groundY - height;
    painter.ellipse(x, groundY + 4.0f, height * 0.5f, height * 0.08f, rgb(255, 190, 90), 0.0f,
                    0.18f);
    painter.rect(x - 3.5f, top, x + 3.5f, groundY, metal);
    painter.rect(x - 9.0f, groundY - 12.0f, x + 9.0f, groundY, metal);
    painter.glow(x, top - 8.0f, height * 0.75f, rgb(255, 170, 70), 0.4f);
    painter.glow(x, top - 8.0f, height * 0.25f, rgb(255, 230, 160), 0.6f);
    painter.polygon({{x - 14.0f, top - 6.0f},
                     {x + 14.0f, top - 6.0f},
                     {x + 9.0f, top - 26.0f},
                     {x - 9.0f, top - 26.0f}},
                    rgb(255, 236, 170));
    painter.rect(x - 16.0f, top - 6.0f, x + 16.0f, top, metal);
    painter.polygon({{x - 12.0f, top - 26.0f}, {x + 12.0f, top - 26.0f}, {x, top - 38.0f}}, metal);
}

}  // namespace assetgen

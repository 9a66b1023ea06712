// WorldTextures: the game world's pictures: ground, light pool, toon ramps, particles, sky box
// and (through HudArt) the weapon and radar pieces.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "render/AssetNames.h"
#include "tools/assetgen/Generators.h"
#include "tools/assetgen/HudArt.h"
#include "tools/assetgen/SkyPainter.h"
#include "tools/assetgen/WorldPainting.h"

namespace assetgen {

namespace {

const float kPi = 3.14159265f;

// The results screen stretches the ground once over the screen and adds white text onto it:
// light flowers and pebbles under the letters would read as stray marks. True when (x, y), or
// any of its wrapped copies, lies within margin of those lines (fractions of the picture: the
// statistics block, then the "back to the menu" line).
bool underResultsText(float x, float y, float margin, int size) {
    struct Band {
        float x0, y0, x1, y1;
    };
    static const Band bands[] = {{68.0f / 422, 84.0f / 316, 378.0f / 422, 155.0f / 316},
                                 {0.0f, 546.0f / 600, 290.0f / 800, 561.0f / 600}};
    for (const Band& b : bands) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const float wx = x + dx * size, wy = y + dy * size;
                if (wx > b.x0 * size - margin && wx < b.x1 * size + margin &&
                    wy > b.y0 * size - margin && wy < b.y1 * size + margin) {
                    return true;
                }
            }
        }
    }
    return false;
}

// The ground is multiplied twice over the lit floor (2 x texture x light), so mid-grey on
// average keeps the light pool as bright as painted. It also fills the results screen, hence
// the generous size. Night park lawn: mottled grass, blade strokes, tufts, daisies, pebbles.
Canvas paintGround() {
    const int size = 512;
    Canvas c(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float u = float(x) / size, v = float(y) / size;
            // Fine mottling only: big patches would show as a grid, the tile repeats 20 times
            // across the arena.
            const float patches = 0.4f * valueNoise(u * 8, v * 8, 8, 11u) +
                                  0.35f * valueNoise(u * 24, v * 24, 24, 12u) +
                                  0.25f * valueNoise(u * 64, v * 64, 64, 13u);
            const float dry = smoothstep(0.6f, 0.85f, valueNoise(u * 12, v * 12, 12, 14u));
            Rgb grass = mix(rgb(70, 118, 66), rgb(122, 170, 96), smoothstep(0.25f, 0.75f, patches));
            c.set(x, y, mix(grass, rgb(150, 160, 100), dry * 0.4f));
        }
    }
    Rng rng(0x501u);
    for (int i = 0; i < 14000; ++i) {
        const float x = rng.range(0, size), y = rng.range(0, size);
        const float angle = rng.range(0.0f, 2.0f * kPi), length = rng.range(3.0f, 9.0f);
        const Rgb here = c.get(int(x), int(y));
        const Rgb shade =
            rng.uniform() < 0.5f ? scaled(here, 0.72f) : mix(here, rgb(170, 215, 110), 0.45f);
        drawLineWrapped(c, x, y, x + std::cos(angle) * length, y + std::sin(angle) * length, 1.2f,
                        shade);
    }
    // Tufts: a fan of dark-edged blades, the cartoon way of saying "grass".
    for (int i = 0; i < 60; ++i) {
        const float x = rng.range(0, size), y = rng.range(0, size);
        const int blades = 3 + int(rng.uniform() * 3);
        for (int b = 0; b < blades; ++b) {
            const float a =
                -kPi * 0.5f + (b - (blades - 1) * 0.5f) * 0.38f + rng.range(-0.1f, 0.1f);
            const float len = rng.range(10.0f, 17.0f);
            const float ex = x + std::cos(a) * len, ey = y + std::sin(a) * len;
            drawLineWrapped(c, x, y, ex, ey, 3.6f, rgb(30, 70, 34));
            drawLineWrapped(c, x, y, ex, ey, 1.6f, rgb(120, 190, 80));
        }
    }
    for (int i = 0; i < 18; ++i) {
        float x = 0.0f, y = 0.0f;
        do {
            x = rng.range(0, size), y = rng.range(0, size);
        } while (underResultsText(x, y, 8.0f, size));
        const float r = rng.range(3.0f, 6.0f);
        fillCircleWrapped(c, x, y, r + 1.2f, rgb(50, 60, 52));
        fillCircleWrapped(c, x, y, r, rgb(150, 150, 160));
        fillCircleWrapped(c, x - r * 0.3f, y - r * 0.3f, r * 0.4f, rgb(200, 200, 210));
    }
    static const Rgb petals[] = {rgb(255, 255, 255), rgb(255, 170, 220), rgb(180, 200, 255),
                                 rgb(255, 236, 120)};
    for (int i = 0; i < 16; ++i) {
        float x = 0.0f, y = 0.0f;
        do {
            x = rng.range(0, size), y = rng.range(0, size);
        } while (underResultsText(x, y, 13.0f, size));
        const float r = rng.range(7.0f, 11.0f);
        const Rgb petal = petals[i % 4];
        const float turn = rng.range(0.0f, kPi);
        for (int pass = 0; pass < 2; ++pass) {
            for (int p = 0; p < 5; ++p) {
                const float a = turn + p * 2.0f * kPi / 5.0f;
                const float px = x + std::cos(a) * r * 0.62f, py = y + std::sin(a) * r * 0.62f;
                fillCircleWrapped(c, px, py, r * 0.42f + (pass == 0 ? 1.2f : 0.0f),
                                  pass == 0 ? rgb(40, 60, 40) : petal);
            }
        }
        fillCircleWrapped(c, x, y, r * 0.3f + 1.0f, rgb(120, 70, 20));
        fillCircleWrapped(c, x, y, r * 0.3f, rgb(255, 200, 40));
    }
    // Bring the average to mid-grey, whatever the strokes did to it.
    double sum = 0.0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const Rgb p = c.get(x, y);
            sum += p.r + p.g + p.b;
        }
    }
    const float gain = float(0.5 / (sum / (3.0 * size * size)));
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            c.set(x, y, scaled(c.get(x, y), gain));
        }
    }
    return c;
}

// The searchlight's pool: added onto the dark ground, so black means "no light" and the border
// must stay black (the picture is clamped and stretched over the whole ground).
Canvas paintLightMap() {
    const int size = 256;
    Canvas c(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float dx = (x + 0.5f) / (size * 0.5f) - 1.0f,
                        dy = (y + 0.5f) / (size * 0.5f) - 1.0f;
            const float r = std::sqrt(dx * dx + dy * dy);
            // Flat cartoon pool with a brighter rim, a short soft edge and a faint halo.
            const float pool = (1.0f - smoothstep(0.78f, 0.88f, r)) * (0.74f + 0.08f * (1.0f - r));
            const float rim = 0.22f * std::exp(-(r - 0.77f) * (r - 0.77f) / 0.0009f);
            const float halo = 0.16f * (1.0f - smoothstep(0.82f, 0.95f, r));
            const float v = clamp01(std::max(pool + rim, halo));
            c.set(x, y, Rgb{v, v, v});
        }
    }
    return c;
}

// A toon ramp is sampled along s on its bottom row; every row is the same.
Canvas paintRamp(const float* edges, const float* levels, int bands) {
    const int width = 64, height = 4;
    Canvas c(width, height);
    for (int x = 0; x < width; ++x) {
        const float s = (x + 0.5f) / width;
        float level = levels[0];
        for (int b = 1; b < bands; ++b) {
            if (s >= edges[b - 1]) {
                level = levels[b];
            }
        }
        for (int y = 0; y < height; ++y) {
            c.set(x, y, Rgb{level, level, level});
        }
    }
    return c;
}

// Sparkle for kill bursts, tracers and the menu cursor trail: a glowing core with a four-point
// twinkle, white so the effect's colour tints it, fading to black before the border.
Canvas paintParticle() {
    const int size = 64;
    Canvas c(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float u = (x + 0.5f) / 32.0f - 1.0f, v = (y + 0.5f) / 32.0f - 1.0f;
            const float r = std::sqrt(u * u + v * v);
            const float core = std::exp(-(r * r) / 0.045f);
            const float glow = 0.35f * std::exp(-(r * r) / 0.2f);
            const float au = std::fabs(u), av = std::fabs(v);
            const float cross = std::exp(-(av * av) / 0.0016f) * (1.0f - au) +
                                std::exp(-(au * au) / 0.0016f) * (1.0f - av);
            const float du = std::fabs(u - v) * 0.7071f, dv = std::fabs(u + v) * 0.7071f;
            const float diagonal = 0.45f * (std::exp(-(du * du) / 0.001f) * (1.0f - 1.6f * dv) +
                                            std::exp(-(dv * dv) / 0.001f) * (1.0f - 1.6f * du));
            const float edge = 1.0f - smoothstep(0.82f, 0.96f, r);
            const float value =
                clamp01(core + glow + 0.9f * std::max(cross, 0.0f) + std::max(diagonal, 0.0f));
            const float shown = value * edge * (std::max(au, av) < 0.94f ? 1.0f : 0.0f);
            c.set(x, y, Rgb{shown, shown, shown});
        }
    }
    return c;
}

// A cartoon splat for blood and the arrival splash: a lumpy blob with a glossy highlight and
// flying drops, grey on black so the effect's colour gives its hue.
Canvas paintSplat() {
    const int size = 64;
    Canvas c(size, size);
    Rng rng(0xb100dull);
    float lobes[9];
    for (float& l : lobes) {
        l = rng.range(0.0f, 1.0f);
    }
    auto radius = [&lobes](float angle) {
        float r = 0.42f;
        for (int i = 0; i < 9; ++i) {
            const float a = i * 2.0f * kPi / 9.0f + 0.3f * lobes[(i + 4) % 9];
            float diff = std::fabs(angle - a);
            diff = std::min(diff, 2.0f * kPi - diff);
            r += 0.16f * lobes[i] * std::max(0.0f, 1.0f - diff / 0.35f);
        }
        return r;
    };
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float u = (x + 0.5f) / 32.0f - 1.0f, v = (y + 0.5f) / 32.0f - 1.0f;
            const float r = std::sqrt(u * u + v * v), angle = std::atan2(v, u) + kPi;
            const float edge = radius(angle);
            const float inside = clamp01((edge - r) * 32.0f + 0.5f);
            const float shade = 0.55f + 0.35f * smoothstep(edge, edge * 0.55f, r);
            const float hu = u + 0.2f, hv = v + 0.22f;
            const float highlight = 0.5f * std::exp(-(hu * hu + hv * hv) / 0.012f);
            const float value = inside * clamp01(shade + highlight);
            c.set(x, y, Rgb{value, value, value});
        }
    }
    for (int i = 0; i < 7; ++i) {
        const float a = rng.range(0.0f, 2.0f * kPi), d = rng.range(0.62f, 0.8f);
        const float dropRadius = rng.range(1.6f, 3.4f);
        const float x = 32.0f + std::cos(a) * d * 32.0f, y = 32.0f + std::sin(a) * d * 32.0f;
        c.fillCircle(x, y, dropRadius, rgb(190, 190, 190));
        c.fillCircle(x - dropRadius * 0.3f, y - dropRadius * 0.3f, dropRadius * 0.35f,
                     rgb(255, 255, 255));
    }
    return c;
}

bool writePlain(const std::string& path, const Canvas& canvas) { return canvas.writeBmp(path); }

}  // namespace

bool generateWorldTextures(const std::string& root) {
    const std::string textures = root + "/textures/";
    bool ok = true;

    // The ground avoids magenta (its in-game key) and the menus' grey key alike.
    ok = writeKeyedBmp(textures + assetnames::inTextures(assetnames::kGround), paintGround(), {},
                       KeyColour{255, 0, 255}) &&
         ok;
    ok =
        writePlain(textures + assetnames::inTextures(assetnames::kLightMap), paintLightMap()) && ok;

    const float toonEdges[] = {0.3f, 0.6f, 0.9f};
    const float toonLevels[] = {0.38f, 0.62f, 0.86f, 1.0f};
    ok = writePlain(textures + assetnames::inTextures(assetnames::kToonRamp),
                    paintRamp(toonEdges, toonLevels, 4)) &&
         ok;
    const float glowEdges[] = {0.72f, 0.9f};
    const float glowLevels[] = {0.0f, 0.35f, 1.0f};
    ok = writePlain(textures + assetnames::inTextures(assetnames::kGlowRamp),
                    paintRamp(glowEdges, glowLevels, 3)) &&
         ok;

    ok =
        writePlain(textures + assetnames::inTextures(assetnames::kParticle), paintParticle()) && ok;
    ok = writePlain(textures + assetnames::inTextures(assetnames::kBlood), paintSplat()) && ok;

    ok = writeHudArt(textures) && ok;

    const SkyPainter sky;
    static const struct {
        SkyFace face;
        const char* name;
    } faces[] = {{SkyFace::Back, "back"}, {SkyFace::Front, "front"}, {SkyFace::Bottom, "bottom"},
                 {SkyFace::Top, "top"},   {SkyFace::Left, "left"},   {SkyFace::Right, "right"}};
    for (const auto& f : faces) {
        // The sky's key is pure blue: the painted blues must never land on it.
        ok = writeKeyedBmp(textures + assetnames::inTextures(assetnames::kSkyBoxFolder) + "/" +
                               f.name + ".bmp",
                           sky.paint(f.face, 512), {}, KeyColour{0, 0, 255}) &&
             ok;
    }
    if (!ok) {
        std::fprintf(stderr, "assetgen: could not write every world texture under %s\n",
                     textures.c_str());
    }
    return ok;
}

}  // namespace assetgen

// SkyPainter: paints the six sky-box faces from view directions, so the cube has no seams.
#include "tools/assetgen/SkyPainter.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/WorldPainting.h"

namespace assetgen {

namespace {

const float kPi = 3.14159265f;
const float kTwoPi = 2.0f * kPi;
const float kDegree = kPi / 180.0f;

// The game draws the sky at half brightness, so every colour here is twice what the player
// sees (a pure white star shows as mid-grey).
const Rgb kZenith = rgb(10, 18, 74);
const Rgb kHorizon = rgb(58, 84, 196);
const Rgb kCityGlow = rgb(150, 70, 150);
const Rgb kGround = rgb(26, 28, 40);
const Rgb kGroundHaze = rgb(60, 56, 110);
const Rgb kMoonHalo = rgb(60, 80, 120);
const Rgb kMilkyWay = rgb(70, 78, 120);

Direction normalized(const Direction& d) {
    const float len = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    return Direction{d.x / len, d.y / len, d.z / len};
}

float dot(const Direction& a, const Direction& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Direction cross(const Direction& a, const Direction& b) {
    return Direction{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Azimuth 0 looks down -z (the middle of the back face), growing towards +x.
Direction fromAngles(float azimuth, float elevation) {
    return Direction{std::cos(elevation) * std::sin(azimuth), std::sin(elevation),
                     -std::cos(elevation) * std::cos(azimuth)};
}

float azimuthOf(const Direction& d) {
    const float az = std::atan2(d.x, -d.z);
    return az < 0.0f ? az + kTwoPi : az;
}

uint32_t hash3(uint32_t a, uint32_t b, uint32_t c) {
    uint32_t h =
        a * 0x9e3779b1u ^ (b + 0x7f4a7c15u) * 0x85ebca6bu ^ (c + 0x165667b1u) * 0xc2b2ae35u;
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    return h;
}

float hashUnit(uint32_t a, uint32_t b, uint32_t c) {
    return float(hash3(a, b, c) & 0xffffff) / float(0x1000000);
}

// Adds a soft round light (a star) centred at (cx, cy) in pixels.
void addStar(Canvas& canvas, float cx, float cy, float radius, const Rgb& c) {
    const int reach = int(std::ceil(radius * 3.0f)) + 1;
    for (int y = int(cy) - reach; y <= int(cy) + reach; ++y) {
        for (int x = int(cx) - reach; x <= int(cx) + reach; ++x) {
            if (x < 0 || y < 0 || x >= canvas.width() || y >= canvas.height()) {
                continue;
            }
            const float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            const float dist = std::sqrt(dx * dx + dy * dy);
            const float core = clamp01(radius + 0.5f - dist);
            const float halo = 0.35f * std::exp(-dist * dist / (radius * radius * 2.5f));
            canvas.set(x, y, added(canvas.get(x, y), scaled(c, std::max(core, halo))));
        }
    }
}

}  // namespace

SkyPainter::SkyPainter() {
    Rng rng(0x5b1e7a11ull);

    // Stars over the whole upper sky; most are faint, a handful twinkle with a cross.
    while (stars_.size() < 1500) {
        const float z = rng.range(-1.0f, 1.0f), a = rng.range(0.0f, kTwoPi);
        const float r = std::sqrt(1.0f - z * z);
        const Direction d{r * std::cos(a), z, r * std::sin(a)};
        const float b = std::pow(rng.uniform(), 2.5f);
        const float tint = rng.uniform();
        if (d.y < 0.02f) {
            continue;
        }
        Rgb colour = tint < 0.2f   ? rgb(255, 230, 190)
                     : tint < 0.4f ? rgb(200, 220, 255)
                                   : rgb(255, 255, 255);
        stars_.push_back(Star{d, b, colour});
    }

    moonDir_ = fromAngles(-16.0f * kDegree, 27.0f * kDegree);
    moonU_ = normalized(cross(moonDir_, Direction{0.0f, 1.0f, 0.0f}));
    moonV_ = cross(moonU_, moonDir_);
    galaxyNormal_ = normalized(Direction{0.55f, 0.35f, 0.75f});

    // Two rows of towers around the whole horizon: a hazy distant one with the tall
    // skyscrapers and a darker, lower near one full of lit windows.
    auto buildLayer = [&rng](Layer& layer, float minWidth, float maxWidth, float minHeight,
                             float maxHeight, float gapChance) {
        float az = 0.0f;
        uint32_t seed = 1;
        while (az < kTwoPi) {
            const float width = rng.range(minWidth, maxWidth) * kDegree;
            if (rng.uniform() < gapChance) {
                az += width * 0.4f;
                continue;
            }
            Tower t;
            t.az0 = az;
            t.az1 = std::min(az + width, kTwoPi);
            const float tall = rng.uniform();
            t.height = (minHeight + (maxHeight - minHeight) * tall * tall) * kDegree;
            const float style = rng.uniform();
            t.roof = style < 0.5f ? 0 : style < 0.72f ? 1 : style < 0.88f ? 2 : 3;
            t.seed = seed++;
            layer.towers.push_back(t);
            az = t.az1 - rng.range(0.0f, 0.3f) * width;  // towers overlap a little
        }
    };
    buildLayer(far_, 2.0f, 5.0f, 4.0f, 15.0f, 0.15f);
    far_.body = rgb(46, 44, 104);
    far_.rim = rgb(96, 90, 170);
    far_.windowChance = 0.22f;
    far_.windowDim = 0.55f;
    buildLayer(near_, 2.5f, 7.0f, 1.5f, 8.5f, 0.05f);
    near_.body = rgb(20, 22, 54);
    near_.rim = rgb(70, 74, 150);
    near_.windowChance = 0.42f;
    near_.windowDim = 1.0f;
}

Direction SkyPainter::faceDirection(SkyFace face, float s, float t) {
    const float a = 2.0f * s - 1.0f, b = 2.0f * t - 1.0f;
    switch (face) {
        case SkyFace::Back:
            return Direction{a, b, -1.0f};
        case SkyFace::Front:
            return Direction{-a, b, 1.0f};
        case SkyFace::Bottom:
            return Direction{-a, -1.0f, b};
        case SkyFace::Top:
            return Direction{-a, 1.0f, -b};
        case SkyFace::Left:
            return Direction{-1.0f, b, -a};
        case SkyFace::Right:
            return Direction{1.0f, b, a};
    }
    return Direction{};
}

bool SkyPainter::project(SkyFace face, const Direction& d, float& s, float& t) {
    float depth = 0.0f, a = 0.0f, b = 0.0f;
    switch (face) {
        case SkyFace::Back:
            depth = -d.z, a = d.x, b = d.y;
            break;
        case SkyFace::Front:
            depth = d.z, a = -d.x, b = d.y;
            break;
        case SkyFace::Bottom:
            depth = -d.y, a = -d.x, b = d.z;
            break;
        case SkyFace::Top:
            depth = d.y, a = -d.x, b = -d.z;
            break;
        case SkyFace::Left:
            depth = -d.x, a = -d.z, b = d.y;
            break;
        case SkyFace::Right:
            depth = d.x, a = d.z, b = d.y;
            break;
    }
    if (depth <= 1e-4f) {
        return false;
    }
    s = (a / depth + 1.0f) * 0.5f;
    t = (b / depth + 1.0f) * 0.5f;
    return true;
}

Rgb SkyPainter::background(const Direction& d) const {
    const float el = std::asin(std::clamp(d.y, -1.0f, 1.0f));
    if (el < 0.0f) {
        // Below the horizon: the dark park ground, hazy right at the horizon line.
        return mix(kGroundHaze, kGround, smoothstep(0.0f, 0.04f, -el));
    }
    const float height = el / (kPi * 0.5f);
    Rgb sky = mix(kHorizon, kZenith, std::pow(height, 0.45f));
    sky = added(sky, scaled(kCityGlow, std::exp(-el / 0.09f)));

    const float band = dot(d, galaxyNormal_);
    const float cloud = fractalNoise3(d.x * 4.0f, d.y * 4.0f, d.z * 4.0f, 4, 77u);
    const float milky = std::exp(-band * band / 0.045f) * smoothstep(0.35f, 0.75f, cloud);
    sky = added(sky, scaled(kMilkyWay, milky * smoothstep(0.05f, 0.4f, d.y)));

    const float moonAngle = std::acos(std::clamp(dot(d, moonDir_), -1.0f, 1.0f));
    sky = added(sky, scaled(kMoonHalo, std::exp(-moonAngle / 0.12f)));
    return sky;
}

bool SkyPainter::moon(const Direction& d, Rgb& colour) const {
    const float radius = 0.085f;
    if (dot(d, moonDir_) < std::cos(radius * 1.05f)) {
        return false;
    }
    const float u = dot(d, moonU_) / radius, v = dot(d, moonV_) / radius;
    const float r2 = u * u + v * v;
    if (r2 > 1.0f) {
        return false;
    }
    // A round cartoon moon: a cream disc, a darker rim and a few craters lit from the left.
    Rgb c = mix(rgb(255, 252, 226), rgb(236, 226, 184), smoothstep(0.2f, 1.0f, u * 0.5f + r2));
    static const float craters[][3] = {{-0.3f, 0.35f, 0.22f},
                                       {0.35f, -0.1f, 0.17f},
                                       {-0.1f, -0.45f, 0.13f},
                                       {0.45f, 0.45f, 0.1f},
                                       {-0.55f, -0.1f, 0.09f}};
    for (const auto& k : craters) {
        const float du = u - k[0], dv = v - k[1];
        const float dist = std::sqrt(du * du + dv * dv) / k[2];
        if (dist < 1.0f) {
            c = dist > 0.78f && du > 0.0f ? rgb(255, 250, 230) : rgb(214, 202, 160);
        }
    }
    if (r2 > 0.88f) {
        c = rgb(196, 184, 140);
    }
    colour = c;
    return true;
}

bool SkyPainter::building(const Layer& layer, float az, float el, Rgb& colour) {
    if (el < -0.5f * kDegree) {
        return false;
    }
    // The last tower starting at or before az (the list is sorted by start), then a step back
    // for overlaps.
    const auto after = std::upper_bound(layer.towers.begin(), layer.towers.end(), az,
                                        [](float a, const Tower& t) { return a < t.az0; });
    for (auto it = after; it != layer.towers.begin();) {
        --it;
        const Tower& t = *it;
        if (az >= t.az1) {
            if (after - it > 2) {
                break;
            }
            continue;
        }
        const float width = t.az1 - t.az0;
        const float across = (az - t.az0) / width;  // 0..1 over the tower
        const float centre = std::fabs(across - 0.5f) * 2.0f;
        float roof = t.height;
        if (t.roof == 1 && centre < 0.55f) {
            roof += 1.6f * kDegree;
        } else if (t.roof == 3) {
            roof += (1.0f - centre) * width * 0.5f;
        }
        const bool spire = t.roof == 2 &&
                           std::fabs(az - (t.az0 + t.az1) * 0.5f) < 0.12f * kDegree &&
                           el < roof + 3.0f * kDegree;
        if (spire) {
            const bool beacon = el > roof + 2.6f * kDegree;
            colour = beacon ? rgb(255, 70, 60) : layer.body;
            return true;
        }
        if (el > roof) {
            continue;
        }
        if (el > roof - 0.22f * kDegree) {
            colour = layer.rim;  // moonlit roof edge
            return true;
        }
        colour = mix(layer.body, layer.rim, 0.25f * smoothstep(roof - 4.0f * kDegree, roof, el));
        // Windows on a grid measured from the tower's own left edge and the ground.
        const float cellW = 0.55f * kDegree, cellH = 0.62f * kDegree;
        const float fu = (az - t.az0) / cellW, fv = el / cellH;
        const int col = int(fu), row = int(fv);
        const float inU = fu - col, inV = fv - row;
        const bool inside = (az - t.az0) > 0.3f * kDegree && (t.az1 - az) > 0.3f * kDegree &&
                            el < roof - 0.6f * kDegree && el > 0.2f * kDegree;
        if (inside && inU > 0.28f && inU < 0.78f && inV > 0.25f && inV < 0.72f) {
            const float pick = hashUnit(t.seed, uint32_t(col), uint32_t(row));
            if (pick < layer.windowChance) {
                const float hue = hashUnit(t.seed * 7u, uint32_t(col), uint32_t(row));
                const Rgb lit = hue < 0.7f    ? rgb(255, 216, 100)
                                : hue < 0.88f ? rgb(255, 160, 80)
                                              : rgb(130, 230, 255);
                colour = mix(layer.body, lit, layer.windowDim);
            }
        }
        return true;
    }
    return false;
}

bool SkyPainter::foreground(const Direction& d, Rgb& colour) const {
    if (moon(d, colour)) {
        return true;
    }
    if (d.y > 0.36f || d.y < -0.02f) {
        return false;
    }
    const float el = std::asin(d.y), az = azimuthOf(d);
    return building(near_, az, el, colour) || building(far_, az, el, colour);
}

void SkyPainter::drawStars(Canvas& canvas, SkyFace face) const {
    const float size = float(canvas.width());
    for (const Star& star : stars_) {
        float s = 0.0f, t = 0.0f;
        if (!project(face, star.dir, s, t) || s < -0.02f || s > 1.02f || t < -0.02f || t > 1.02f) {
            continue;
        }
        const float x = s * size, y = (1.0f - t) * size;
        const float fade = smoothstep(0.03f, 0.3f, star.dir.y);
        if (star.brightness > 0.82f) {
            // Twinkle: a faint long cross with a brighter short one inside, under the star.
            const Rgb sky = canvas.get(int(x), int(y));
            for (int pass = 0; pass < 2; ++pass) {
                const float length = (pass == 0 ? 4.0f : 2.0f) + 5.0f * star.brightness;
                const Rgb c = mix(sky, star.tint, (pass == 0 ? 0.35f : 0.7f) * fade);
                canvas.drawLine(x - length, y, x + length, y, 1.0f, c);
                canvas.drawLine(x, y - length, x, y + length, 1.0f, c);
            }
        }
        addStar(canvas, x, y, 0.45f + 1.1f * star.brightness,
                scaled(star.tint, (0.3f + 0.7f * star.brightness) * fade));
    }
}

Canvas SkyPainter::paint(SkyFace face, int size) const {
    Canvas canvas(size, size);
    const float step = 1.0f / float(size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const Direction d =
                normalized(faceDirection(face, (x + 0.5f) * step, 1.0f - (y + 0.5f) * step));
            canvas.set(x, y, background(d));
        }
    }
    drawStars(canvas, face);
    // Moon and skyline over the stars, four samples a pixel for clean silhouettes.
    static const float offsets[4][2] = {
        {0.25f, 0.25f}, {0.75f, 0.25f}, {0.25f, 0.75f}, {0.75f, 0.75f}};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Rgb sum;
            int hits = 0;
            for (const auto& o : offsets) {
                const Direction d =
                    normalized(faceDirection(face, (x + o[0]) * step, 1.0f - (y + o[1]) * step));
                Rgb c;
                if (foreground(d, c)) {
                    sum = added(sum, c);
                    ++hits;
                }
            }
            if (hits > 0) {
                canvas.blend(x, y, scaled(sum, 1.0f / hits), hits / 4.0f);
            }
        }
    }
    return canvas;
}

}  // namespace assetgen

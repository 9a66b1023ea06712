// WorldTextures: the generated world art honours what the drawing code relies on: formats and
// sizes, exact colour keys, dark edges next to keys, black borders on additive pictures,
// seamless sky box and ground, mid-grey ground and rising toon ramps.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/support/BmpFile.h"

namespace {

using testsupport::BmpFile;
using testsupport::RgbPixel;

const RgbPixel kBlueKey{0, 0, 255};
const RgbPixel kRedKey{255, 0, 0};
const RgbPixel kBlackKey{0, 0, 0};

// Each picture is read once per run (the sky faces are compared many times).
const BmpFile& load(const std::string& name) {
    static std::map<std::string, BmpFile> cache;
    auto found = cache.find(name);
    if (found == cache.end()) {
        std::string why;
        std::optional<BmpFile> bmp = BmpFile::read("ressources/textures/" + name, &why);
        if (!bmp) {
            ADD_FAILURE() << why;
        }
        found = cache.emplace(name, bmp ? *bmp : BmpFile()).first;
    }
    return found->second;
}

bool isPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

int brightest(const RgbPixel& p) { return std::max({int(p.r), int(p.g), int(p.b)}); }

// Pixels that are not the key but touch it (4-neighbourhood).
std::vector<RgbPixel> keyEdge(const BmpFile& bmp, const RgbPixel& key) {
    std::vector<RgbPixel> edge;
    for (int y = 0; y < bmp.height(); ++y) {
        for (int x = 0; x < bmp.width(); ++x) {
            const RgbPixel p = bmp.fromTop(x, y);
            if (p == key) {
                continue;
            }
            const int nx[] = {x - 1, x + 1, x, x}, ny[] = {y, y, y - 1, y + 1};
            for (int i = 0; i < 4; ++i) {
                const bool inside =
                    nx[i] >= 0 && ny[i] >= 0 && nx[i] < bmp.width() && ny[i] < bmp.height();
                if (inside && bmp.fromTop(nx[i], ny[i]) == key) {
                    edge.push_back(p);
                    break;
                }
            }
        }
    }
    return edge;
}

// Counts key pixels inside (or, with outside true, non-key pixels beyond) a circle around the
// picture's centre.
int countAround(const BmpFile& bmp, const RgbPixel& key, float radius, bool outside) {
    const float cx = bmp.width() * 0.5f, cy = bmp.height() * 0.5f;
    int count = 0;
    for (int y = 0; y < bmp.height(); ++y) {
        for (int x = 0; x < bmp.width(); ++x) {
            const float r = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
            const bool isKey = bmp.fromTop(x, y) == key;
            count += outside ? (r > radius && !isKey) : (r < radius && isKey);
        }
    }
    return count;
}

TEST(WorldTextures, EveryPictureIsAnUncompressedBottomUp24BitBmpTheLoaderTakes) {
    struct Expected {
        const char* name;
        bool withoutMipmaps;  // uploaded as level 0 alone: sides must be powers of two
    };
    const Expected pictures[] = {
        {"sol.bmp", false},           {"lightmap2.bmp", true},     {"toon.bmp", true},
        {"toon_glow.bmp", true},      {"particle.bmp", true},      {"blood.bmp", true},
        {"fire.bmp", true},           {"crosshair.bmp", true},     {"skybox/back.bmp", false},
        {"skybox/bottom.bmp", false}, {"skybox/front.bmp", false}, {"skybox/left.bmp", false},
        {"skybox/right.bmp", false},  {"skybox/top.bmp", false},   {"HUD/radar.bmp", true},
        {"HUD/point.bmp", true},      {"HUD/balayeur.bmp", true}};
    for (const Expected& e : pictures) {
        SCOPED_TRACE(e.name);
        const BmpFile& bmp = load(e.name);
        EXPECT_EQ(bmp.bitsPerPixel(), 24);
        EXPECT_EQ(bmp.compression(), 0u);
        EXPECT_TRUE(bmp.bottomUp());
        EXPECT_GT(bmp.width(), 0);
        EXPECT_LE(bmp.width(), 512);  // the whole tree is generated at every build
        EXPECT_LE(bmp.height(), 512);
        if (e.withoutMipmaps) {
            EXPECT_TRUE(isPowerOfTwo(bmp.width()) && isPowerOfTwo(bmp.height()))
                << bmp.width() << " x " << bmp.height();
        }
        // Reduced by up to 2^3 at the lowest texture quality and still at least 4 wide.
        if (std::string(e.name) == "lightmap2.bmp" || std::string(e.name) == "sol.bmp") {
            EXPECT_GE(bmp.width(), 32);
        }
    }
    // Sky faces meet edge to edge, so they share one size.
    const BmpFile& back = load("skybox/back.bmp");
    for (const char* face : {"front", "left", "right", "top", "bottom"}) {
        const BmpFile& other = load(std::string("skybox/") + face + ".bmp");
        EXPECT_EQ(other.width(), back.width()) << face;
        EXPECT_EQ(other.height(), back.height()) << face;
    }
}

TEST(WorldTextures, KeyedSpritesAreTransparentOnlyAroundTheirShapes) {
    struct Sprite {
        const char* name;
        RgbPixel key;
        float solidRadius;   // fraction of the half size: no key inside
        float keyRadius;     // fraction of the half size: only key beyond
        int brightestAtKey;  // the key only ever touches the dark outline
    };
    const Sprite sprites[] = {{"crosshair.bmp", kBlueKey, 0.05f, 1.5f, 64},
                              {"fire.bmp", kRedKey, 0.3f, 0.98f, 210},
                              {"HUD/radar.bmp", kBlackKey, 0.95f, 1.0f, 64},
                              {"HUD/point.bmp", kBlackKey, 0.5f, 0.9f, 110}};
    for (const Sprite& s : sprites) {
        SCOPED_TRACE(s.name);
        const BmpFile& bmp = load(s.name);
        const float half = bmp.width() * 0.5f;
        const int w = bmp.width() - 1, h = bmp.height() - 1;
        for (const auto& corner : {std::pair{0, 0}, std::pair{w, 0}, std::pair{0, h}, {w, h}}) {
            EXPECT_EQ(bmp.fromTop(corner.first, corner.second), s.key);
        }
        EXPECT_EQ(countAround(bmp, s.key, s.solidRadius * half, false), 0);
        EXPECT_EQ(countAround(bmp, s.key, s.keyRadius * half, true), 0);
        const std::vector<RgbPixel> edge = keyEdge(bmp, s.key);
        ASSERT_FALSE(edge.empty());
        for (const RgbPixel& p : edge) {
            EXPECT_LE(brightest(p), s.brightestAtKey)
                << int(p.r) << "," << int(p.g) << "," << int(p.b);
            if (s.key == kRedKey) {
                EXPECT_LT(p.g, 100);  // no yellow flame right at the cut-out
            }
        }
    }

    // The crosshair's arms run along the middle row and column, with the see-through gap
    // between the centre dot and the arms; the corners of the square are clear.
    const BmpFile& crosshair = load("crosshair.bmp");
    const int c = crosshair.width() / 2;
    EXPECT_NE(crosshair.fromTop(c, c - 18), kBlueKey);
    EXPECT_NE(crosshair.fromTop(c, c + 18), kBlueKey);
    EXPECT_NE(crosshair.fromTop(c - 18, c), kBlueKey);
    EXPECT_NE(crosshair.fromTop(c + 18, c), kBlueKey);
    EXPECT_EQ(crosshair.fromTop(c + 8, c + 8), kBlueKey);
    EXPECT_EQ(crosshair.fromTop(c - 6, c), kBlueKey);
}

TEST(WorldTextures, AdditivePicturesFadeToBlackBordersAroundABrightMiddle) {
    // These are added onto the scene and clamped at their edges, so any light on the border
    // would smear across the whole ground or quad.
    for (const char* name : {"particle.bmp", "blood.bmp", "lightmap2.bmp", "HUD/balayeur.bmp"}) {
        SCOPED_TRACE(name);
        const BmpFile& bmp = load(name);
        const int w = bmp.width(), h = bmp.height();
        for (int i = 0; i < w; ++i) {
            EXPECT_EQ(bmp.fromTop(i, 0), kBlackKey);
            EXPECT_EQ(bmp.fromTop(i, h - 1), kBlackKey);
        }
        for (int i = 0; i < h; ++i) {
            EXPECT_EQ(bmp.fromTop(0, i), kBlackKey);
            EXPECT_EQ(bmp.fromTop(w - 1, i), kBlackKey);
        }
        int peak = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                peak = std::max(peak, brightest(bmp.fromTop(x, y)));
            }
        }
        EXPECT_GE(peak, 200);
    }
    // Particles and the light pool are grey so the game's colour alone sets their hue.
    for (const char* name : {"particle.bmp", "lightmap2.bmp"}) {
        const BmpFile& bmp = load(name);
        const RgbPixel middle = bmp.fromTop(bmp.width() / 2, bmp.height() / 2);
        EXPECT_EQ(middle.r, middle.g) << name;
        EXPECT_EQ(middle.g, middle.b) << name;
        EXPECT_GE(middle.r, 200) << name;
    }
}

TEST(WorldTextures, RadarSweepTrailsClockwiseBehindItsLeadingEdge) {
    // The game turns the sweep counter-clockwise, so the trail must lie clockwise of the edge.
    const BmpFile& sweep = load("HUD/balayeur.bmp");
    const int c = sweep.width() / 2, reach = sweep.width() / 4;
    const RgbPixel behind = sweep.fromTop(c + reach, c + 4);  // just below the leading edge
    const RgbPixel ahead = sweep.fromTop(c + reach, c - 4);
    EXPECT_GT(brightest(behind), 60);
    EXPECT_EQ(brightest(ahead), 0);
    EXPECT_EQ(brightest(sweep.fromTop(c - reach, c)), 0);  // the far side stays dark
    for (int y = 0; y < sweep.height(); ++y) {
        for (int x = 0; x < sweep.width(); ++x) {
            ASSERT_NE(sweep.fromTop(x, y), kRedKey);
        }
    }
}

double meanDifference(const std::vector<RgbPixel>& a, const std::vector<RgbPixel>& b) {
    double sum = 0.0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        sum += std::abs(a[i].r - b[i].r) + std::abs(a[i].g - b[i].g) + std::abs(a[i].b - b[i].b);
    }
    return a.empty() ? 0.0 : sum / (3.0 * a.size());
}

// One edge of one face, read in a chosen direction.
struct Edge {
    const char* face;
    char side;     // 'l'eft, 'r'ight, 't'op, 'b'ottom of the picture as painted
    bool reverse;  // read right-to-left or bottom-to-top
};

std::vector<RgbPixel> readEdge(const Edge& e) {
    const BmpFile& bmp = load(std::string("skybox/") + e.face + ".bmp");
    const int n = bmp.width();
    std::vector<RgbPixel> pixels;
    for (int i = 0; i < n; ++i) {
        const int k = e.reverse ? n - 1 - i : i;
        switch (e.side) {
            case 'l':
                pixels.push_back(bmp.fromTop(0, k));
                break;
            case 'r':
                pixels.push_back(bmp.fromTop(n - 1, k));
                break;
            case 't':
                pixels.push_back(bmp.fromTop(k, 0));
                break;
            default:
                pixels.push_back(bmp.fromTop(k, n - 1));
                break;
        }
    }
    return pixels;
}

TEST(WorldTextures, SkyBoxFacesMeetWithoutSeamsInTheOrientationTheBoxDrawsThem) {
    // Each pair is one cube edge as the sky box maps its textures onto the faces.
    const std::pair<Edge, Edge> seams[] = {
        {{"back", 'r', false}, {"right", 'l', false}},
        {{"right", 'r', false}, {"front", 'l', false}},
        {{"front", 'r', false}, {"left", 'l', false}},
        {{"left", 'r', false}, {"back", 'l', false}},
        {{"top", 'b', false}, {"front", 't', false}},
        {{"top", 't', false}, {"back", 't', true}},
        {{"top", 'l', false}, {"right", 't', false}},
        {{"top", 'r', true}, {"left", 't', false}},
        {{"bottom", 't', false}, {"front", 'b', false}},
        {{"bottom", 'b', false}, {"back", 'b', true}},
    };
    for (const auto& [a, b] : seams) {
        SCOPED_TRACE(std::string(a.face) + "/" + b.face);
        EXPECT_LT(meanDifference(readEdge(a), readEdge(b)), 4.0);
    }
    // A mismatched pairing is far off, so the bound above means something.
    EXPECT_GT(meanDifference(readEdge({"back", 'r', false}), readEdge({"right", 'l', true})), 12.0);
}

TEST(WorldTextures, SkyIsBlueAboveDarkGroundAndNeverThePureBlueKey) {
    for (const char* face : {"back", "front", "left", "right", "top", "bottom"}) {
        SCOPED_TRACE(face);
        const BmpFile& bmp = load(std::string("skybox/") + face + ".bmp");
        double upper = 0.0, lower = 0.0, upperRed = 0.0;
        for (int y = 0; y < bmp.height(); ++y) {
            for (int x = 0; x < bmp.width(); ++x) {
                const RgbPixel p = bmp.fromTop(x, y);
                ASSERT_NE(p, kBlueKey) << x << "," << y;
                (y < bmp.height() / 2 ? upper : lower) += p.b;
                if (y < bmp.height() / 2) {
                    upperRed += p.r;
                }
            }
        }
        const std::string name = face;
        if (name != "top" && name != "bottom") {
            EXPECT_GT(upper, 2.0 * lower);  // sky over the horizon, ground under it
            EXPECT_GT(upper, 1.5 * upperRed);
        }
    }
    double top = 0.0, bottom = 0.0;
    const BmpFile& up = load("skybox/top.bmp");
    const BmpFile& down = load("skybox/bottom.bmp");
    for (int y = 0; y < up.height(); y += 4) {
        for (int x = 0; x < up.width(); x += 4) {
            top += up.fromTop(x, y).b;
            bottom += down.fromTop(x, y).b;
        }
    }
    EXPECT_GT(top, 2.0 * bottom);
}

TEST(WorldTextures, GroundAveragesMidGreyAndRepeatsWithoutSeams) {
    const BmpFile& sol = load("sol.bmp");
    const int w = sol.width(), h = sol.height();
    double sum[3] = {0, 0, 0};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const RgbPixel p = sol.fromTop(x, y);
            ASSERT_NE(p, (RgbPixel{255, 0, 255}));
            sum[0] += p.r;
            sum[1] += p.g;
            sum[2] += p.b;
        }
    }
    const double n = double(w) * h;
    EXPECT_NEAR((sum[0] + sum[1] + sum[2]) / (3.0 * n), 128.0, 10.0);  // 2 x tex x light
    for (double channel : sum) {
        EXPECT_GT(channel / n, 50.0);  // no channel so dark that the light pool loses it
    }
    // The wrap-around step is no bigger than an ordinary step between neighbours.
    auto column = [&](int x) {
        std::vector<RgbPixel> c;
        for (int y = 0; y < h; ++y) {
            c.push_back(sol.fromTop(x, y));
        }
        return c;
    };
    auto row = [&](int y) {
        std::vector<RgbPixel> r;
        for (int x = 0; x < w; ++x) {
            r.push_back(sol.fromTop(x, y));
        }
        return r;
    };
    const double inner = (meanDifference(column(w / 2), column(w / 2 + 1)) +
                          meanDifference(row(h / 3), row(h / 3 + 1))) /
                         2.0;
    EXPECT_LT(meanDifference(column(w - 1), column(0)), 1.6 * inner + 2.0);
    EXPECT_LT(meanDifference(row(h - 1), row(0)), 1.6 * inner + 2.0);
}

// The renderers read a ramp along s on its bottom row (t = 0).
std::vector<int> rampLevels(const BmpFile& ramp) {
    std::vector<int> levels;
    for (int x = 0; x < ramp.width(); ++x) {
        const RgbPixel p = ramp.fromBottom(x, 0);
        EXPECT_EQ(p.r, p.g);
        EXPECT_EQ(p.g, p.b);
        for (int y = 1; y < ramp.height(); ++y) {
            EXPECT_EQ(ramp.fromBottom(x, y), p) << "row " << y << " differs at s index " << x;
        }
        levels.push_back(p.r);
    }
    return levels;
}

TEST(WorldTextures, ToonRampsRiseInHardBandsWithEveryRowAlike) {
    const std::vector<int> toon = rampLevels(load("toon.bmp"));
    const std::vector<int> glow = rampLevels(load("toon_glow.bmp"));
    ASSERT_GE(toon.size(), 16u);
    ASSERT_GE(glow.size(), 16u);
    for (size_t i = 1; i < toon.size(); ++i) {
        EXPECT_LE(toon[i - 1], toon[i]) << "toon at " << i;
    }
    for (size_t i = 1; i < glow.size(); ++i) {
        EXPECT_LE(glow[i - 1], glow[i]) << "glow at " << i;
    }
    // Cartoon shading: a few flat bands, the unlit side still visible, white only when facing
    // the light.
    const std::set<int> bands(toon.begin(), toon.end());
    EXPECT_GE(bands.size(), 3u);
    EXPECT_LE(bands.size(), 5u);
    EXPECT_GE(toon.front(), 60);
    EXPECT_EQ(toon.back(), 255);
    EXPECT_LT(toon[toon.size() * 3 / 4], 255);
    // Only the lit end glows.
    EXPECT_EQ(glow.front(), 0);
    EXPECT_EQ(glow[glow.size() / 2], 0);
    EXPECT_GE(glow.back(), 200);
}

}  // namespace

// TextureAssets: the generated pictures honour what the drawing code relies on: sides the
// loader uploads as they are, keys only around keyed shapes, black borders on additive
// sprites, a seamless mid-grey ground, rising toon ramps and readable menu art.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/support/BmpFile.h"

namespace {

using testsupport::BmpFile;
using testsupport::RgbPixel;

const std::string kTextures = "ressources/textures/";
const RgbPixel kBlueKey{0, 0, 255};
const RgbPixel kRedKey{255, 0, 0};
const RgbPixel kBlackKey{0, 0, 0};

// Each picture is read once per run.
const BmpFile& load(const std::string& name) {
    static std::map<std::string, BmpFile> cache;
    auto found = cache.find(name);
    if (found == cache.end()) {
        std::string why;
        std::optional<BmpFile> bmp = BmpFile::read(kTextures + name, &why);
        if (!bmp) {
            ADD_FAILURE() << why;
        }
        found = cache.emplace(name, bmp ? *bmp : BmpFile()).first;
    }
    return found->second;
}

int brightest(const RgbPixel& p) { return std::max({int(p.r), int(p.g), int(p.b)}); }
float luminance(const RgbPixel& p) { return (0.2126f * p.r + 0.7152f * p.g + 0.0722f * p.b) / 255; }
bool isPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

TEST(TextureAssets, EveryPictureHasContentAndUnmipmappedOnesHavePowerOfTwoSides) {
    int pictures = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(kTextures)) {
        const std::string name = std::filesystem::relative(entry.path(), kTextures).string();
        if (entry.path().extension() != ".bmp") {
            continue;
        }
        SCOPED_TRACE(name);
        ++pictures;
        if (name == "skybox/bottom.bmp") {
            continue;  // under the arena's ground: never seen, one flat colour is fine
        }
        const BmpFile& bmp = load(name);
        // The only layout the checks below can read (the game's decoder takes them all).
        ASSERT_TRUE(bmp.bitsPerPixel() == 24 && bmp.compression() == 0);
        ASSERT_GT(bmp.width(), 0);
        // A generator that failed half-way would leave a flat picture.
        float lo = 1.0f, hi = 0.0f;
        for (int y = 0; y < bmp.height(); ++y) {
            for (int x = 0; x < bmp.width(); ++x) {
                lo = std::min(lo, luminance(bmp.fromTop(x, y)));
                hi = std::max(hi, luminance(bmp.fromTop(x, y)));
            }
        }
        EXPECT_GT(hi - lo, 0.15f);
    }
    EXPECT_GE(pictures, 40);
    // Uploaded as level 0 alone, without the rescaling mipmap building does.
    for (const char* name :
         {"lightmap2.bmp", "toon.bmp", "toon_glow.bmp", "particle.bmp", "blood.bmp",
          "crosshair.bmp", "HUD/radar.bmp", "HUD/point.bmp", "HUD/balayeur.bmp", "mouse.bmp"}) {
        const BmpFile& bmp = load(name);
        EXPECT_TRUE(isPowerOfTwo(bmp.width()) && isPowerOfTwo(bmp.height())) << name;
    }
    // Reduced by up to 2^3 at the lowest texture quality and still at least 4 wide.
    EXPECT_GE(load("sol.bmp").width(), 32);
    EXPECT_GE(load("lightmap2.bmp").width(), 32);
}

// Keyed out with an alpha channel: the key must surround the shape and never appear inside
// it (a hole), and the shape's rim must be dark so the filtered edge against the key shows
// no light fringe. Menu widgets must also keep the proportions the menus draw them at.
TEST(TextureAssets, KeyedPicturesAreKeyedOnlyOutsideTheirDarkOutline) {
    struct Keyed {
        std::string name;
        RgbPixel key;
        float rimLight;
        int screenWidth = 0, screenHeight = 0;
    };
    std::vector<Keyed> all = {{"crosshair.bmp", kBlueKey, 0.3f},
                              {"fire.bmp", kRedKey, 0.5f},
                              {"HUD/radar.bmp", kBlackKey, 0.3f},
                              {"HUD/point.bmp", kBlackKey, 0.45f},
                              {"mouse.bmp", kBlackKey, 0.3f, 32, 32}};
    const std::pair<const char*, std::pair<int, int>> widgets[] = {
        {"bouton", {128, 64}},  {"resume", {256, 64}}, {"options", {256, 64}},
        {"quitter", {256, 64}}, {"retour", {64, 32}},  {"optvid", {512, 64}},
        {"optaud", {512, 64}},  {"optjeu", {512, 64}}};
    for (const auto& [stem, size] : widgets) {
        for (const char* state : {"1", "2"}) {
            all.push_back({std::string("ihm/") + stem + state + ".bmp", kBlackKey, 0.3f, size.first,
                           size.second});
        }
    }
    for (const char* small : {"ihm/fleched.bmp", "ihm/flecheg.bmp", "ihm/check.bmp"}) {
        all.push_back({small, kBlackKey, 0.3f, 16, 16});
    }
    // Every widget picture is listed, so none escapes these checks (one without its key would
    // show as a solid rectangle under the widgets' alpha test).
    for (const auto& entry : std::filesystem::directory_iterator(kTextures + "ihm")) {
        const std::string name = "ihm/" + entry.path().filename().string();
        EXPECT_TRUE(std::any_of(all.begin(), all.end(), [&](const Keyed& k) {
            return k.name == name;
        })) << name;
    }
    for (const Keyed& k : all) {
        SCOPED_TRACE(k.name);
        const BmpFile& p = load(k.name);
        const int w = p.width(), h = p.height();
        ASSERT_GT(w, 0);
        if (k.screenWidth > 0) {
            // Stretched pictures distort their captions; smaller ones would be blurred up.
            EXPECT_EQ(w * k.screenHeight, h * k.screenWidth);
            EXPECT_GE(w, k.screenWidth);
        }
        auto isKey = [&](int x, int y) { return p.fromTop(x, y) == k.key; };
        // The pointer is drawn with its top-left corner on the mouse: its tip fills that corner.
        EXPECT_EQ(isKey(0, 0), k.name != "mouse.bmp");
        EXPECT_TRUE(isKey(w - 1, 0) && isKey(0, h - 1) && isKey(w - 1, h - 1));
        // Flood the key from the border: every key pixel must be reached.
        std::vector<uint8_t> outside(size_t(w) * h, 0);
        std::vector<std::pair<int, int>> todo;
        for (int x = 0; x < w; ++x) {
            todo.insert(todo.end(), {{x, 0}, {x, h - 1}});
        }
        for (int y = 0; y < h; ++y) {
            todo.insert(todo.end(), {{0, y}, {w - 1, y}});
        }
        while (!todo.empty()) {
            const auto [x, y] = todo.back();
            todo.pop_back();
            if (x < 0 || y < 0 || x >= w || y >= h || !isKey(x, y) || outside[size_t(y) * w + x]) {
                continue;
            }
            outside[size_t(y) * w + x] = 1;
            todo.insert(todo.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
        }
        int holes = 0, brightRim = 0, rim = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (isKey(x, y)) {
                    holes += outside[size_t(y) * w + x] ? 0 : 1;
                    continue;
                }
                const bool touchesKey =
                    (x > 0 && isKey(x - 1, y)) || (x + 1 < w && isKey(x + 1, y)) ||
                    (y > 0 && isKey(x, y - 1)) || (y + 1 < h && isKey(x, y + 1));
                rim += touchesKey ? 1 : 0;
                brightRim += touchesKey && luminance(p.fromTop(x, y)) > k.rimLight ? 1 : 0;
            }
        }
        // The crosshair's ring of see-through pixels round its centre dot is meant.
        if (k.name != "crosshair.bmp") {
            EXPECT_EQ(holes, 0) << "key colour inside the shape would be see-through";
        }
        EXPECT_GT(rim, 0);
        EXPECT_EQ(brightRim, 0);
    }
}

TEST(TextureAssets, AdditivePicturesFadeToBlackBordersAndSpritesAreGrey) {
    // Added onto the scene and clamped at their edges: any light on the border would smear
    // across the whole ground or quad.
    for (const char* name : {"particle.bmp", "blood.bmp", "lightmap2.bmp", "HUD/balayeur.bmp"}) {
        const BmpFile& bmp = load(name);
        const int w = bmp.width(), h = bmp.height();
        int lit = 0;
        for (int i = 0; i < std::max(w, h); ++i) {
            lit += bmp.fromTop(std::min(i, w - 1), 0) != kBlackKey;
            lit += bmp.fromTop(std::min(i, w - 1), h - 1) != kBlackKey;
            lit += bmp.fromTop(0, std::min(i, h - 1)) != kBlackKey;
            lit += bmp.fromTop(w - 1, std::min(i, h - 1)) != kBlackKey;
        }
        EXPECT_EQ(lit, 0) << name;
    }
    // Particles and the light pool are grey so the game's colour alone sets their hue.
    for (const char* name : {"particle.bmp", "lightmap2.bmp"}) {
        const BmpFile& bmp = load(name);
        const RgbPixel middle = bmp.fromTop(bmp.width() / 2, bmp.height() / 2);
        EXPECT_TRUE(middle.r == middle.g && middle.g == middle.b && middle.r >= 200) << name;
    }
    // The game turns the radar sweep counter-clockwise: its trail lies clockwise of the edge.
    const BmpFile& sweep = load("HUD/balayeur.bmp");
    const int c = sweep.width() / 2, reach = sweep.width() / 4;
    EXPECT_GT(brightest(sweep.fromTop(c + reach, c + 4)), 60);
    EXPECT_EQ(brightest(sweep.fromTop(c + reach, c - 4)), 0);
    EXPECT_EQ(brightest(sweep.fromTop(c - reach, c)), 0);
}

double meanDifference(const std::vector<RgbPixel>& a, const std::vector<RgbPixel>& b) {
    double sum = 0.0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        sum += std::abs(a[i].r - b[i].r) + std::abs(a[i].g - b[i].g) + std::abs(a[i].b - b[i].b);
    }
    return a.empty() ? 0.0 : sum / (3.0 * a.size());
}

// The faces' seams are checked as drawn (SkyBoxTest); here, which way is up.
TEST(TextureAssets, SkyIsBlueAboveTheHorizonAndGroundIsASeamlessMidGrey) {
    auto blue = [](const BmpFile& bmp, int y0, int y1) {
        double sum = 0.0;
        for (int y = y0; y < y1; ++y) {
            for (int x = 0; x < bmp.width(); ++x) {
                sum += bmp.fromTop(x, y).b;
            }
        }
        return sum;
    };
    for (const char* face : {"back", "front", "left", "right"}) {
        const BmpFile& bmp = load(std::string("skybox/") + face + ".bmp");
        const int h = bmp.height();
        EXPECT_GT(blue(bmp, 0, h / 2), 2.0 * blue(bmp, h / 2, h)) << face;
    }
    const BmpFile& top = load("skybox/top.bmp");
    EXPECT_GT(blue(top, 0, top.height()), 2.0 * blue(load("skybox/bottom.bmp"), 0, top.height()));

    // The ground is drawn at 2 x texture x light: mid-grey keeps the light pool's brightness,
    // and no channel may be so dark that the pool loses it.
    const BmpFile& sol = load("sol.bmp");
    const int w = sol.width(), h = sol.height();
    double sum[3] = {0, 0, 0};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const RgbPixel p = sol.fromTop(x, y);
            sum[0] += p.r, sum[1] += p.g, sum[2] += p.b;
        }
    }
    const double n = double(w) * h;
    EXPECT_NEAR((sum[0] + sum[1] + sum[2]) / (3.0 * n), 128.0, 10.0);
    EXPECT_GT(*std::min_element(sum, sum + 3) / n, 50.0);
    // Repeated across the arena: the wrap-around step is no bigger than an ordinary one.
    auto line = [&](int x, int y, int dx, int dy) {
        std::vector<RgbPixel> pixels;
        for (; x < w && y < h; x += dx, y += dy) {
            pixels.push_back(sol.fromTop(x, y));
        }
        return pixels;
    };
    auto column = [&](int x) { return line(x, 0, 0, 1); };
    auto row = [&](int y) { return line(0, y, 1, 0); };
    const double inner = (meanDifference(column(w / 2), column(w / 2 + 1)) +
                          meanDifference(row(h / 3), row(h / 3 + 1))) /
                         2.0;
    EXPECT_LT(meanDifference(column(w - 1), column(0)), 1.6 * inner + 2.0);
    EXPECT_LT(meanDifference(row(h - 1), row(0)), 1.6 * inner + 2.0);
}

// The renderers read a ramp along s on its bottom row (t = 0).
TEST(TextureAssets, ToonRampsRiseInHardBandsAndOnlyTheLitEndGlows) {
    std::vector<int> levels[2];
    int k = 0;
    for (const char* name : {"toon.bmp", "toon_glow.bmp"}) {
        const BmpFile& ramp = load(name);
        for (int x = 0; x < ramp.width(); ++x) {
            const RgbPixel p = ramp.fromBottom(x, 0);
            EXPECT_TRUE(p.r == p.g && p.g == p.b) << name << " at " << x;
            levels[k].push_back(p.r);
        }
        ASSERT_GE(levels[k].size(), 16u) << name;
        EXPECT_TRUE(std::is_sorted(levels[k].begin(), levels[k].end())) << name;
        ++k;
    }
    const std::vector<int>& toon = levels[0];
    const std::vector<int>& glow = levels[1];
    // A few flat bands, the unlit side still visible, white only when facing the light.
    const std::set<int> bands(toon.begin(), toon.end());
    EXPECT_GE(bands.size(), 3u);
    EXPECT_LE(bands.size(), 5u);
    EXPECT_GE(toon.front(), 60);
    EXPECT_EQ(toon.back(), 255);
    EXPECT_LT(toon[toon.size() * 3 / 4], 255);
    EXPECT_EQ(glow[glow.size() / 2], 0);
    EXPECT_GE(glow.back(), 200);
}

TEST(TextureAssets, HighlightedButtonsStandOutWithTheSameSilhouette) {
    for (const char* name :
         {"bouton", "resume", "options", "quitter", "retour", "optvid", "optaud", "optjeu"}) {
        SCOPED_TRACE(name);
        const BmpFile& hover = load(std::string("ihm/") + name + "1.bmp");
        const BmpFile& normal = load(std::string("ihm/") + name + "2.bmp");
        ASSERT_EQ(hover.width(), normal.width());
        ASSERT_EQ(hover.height(), normal.height());
        double hoverLight = 0.0, normalLight = 0.0;
        int count = 0, shapeChanges = 0;
        for (int y = 0; y < hover.height(); ++y) {
            for (int x = 0; x < hover.width(); ++x) {
                const RgbPixel a = hover.fromTop(x, y), b = normal.fromTop(x, y);
                // A different silhouette would make the button jump when the mouse enters it.
                shapeChanges += (a == kBlackKey) != (b == kBlackKey);
                if (b != kBlackKey) {
                    hoverLight += luminance(a);
                    normalLight += luminance(b);
                    ++count;
                }
            }
        }
        ASSERT_GT(count, 0);
        EXPECT_GT(hoverLight / count, normalLight / count + 0.15);
        EXPECT_EQ(shapeChanges, 0);
    }
}

// Ink bounds of the glyph of code ch: column (ch - 32) % 16, row (ch - 32) / 16 from the top.
struct Ink {
    int left = 1 << 20, right = -1, top = 1 << 20, bottom = -1, size = 0;
};

Ink inkOf(const BmpFile& sheet, int code) {
    Ink ink;
    ink.size = sheet.width() / 16;
    const int x0 = (code - 32) % 16 * ink.size, y0 = (code - 32) / 16 * ink.size;
    for (int y = 0; y < ink.size; ++y) {
        for (int x = 0; x < ink.size; ++x) {
            if (sheet.fromTop(x0 + x, y0 + y).r > 0) {
                ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y), ink.bottom = std::max(ink.bottom, y);
            }
        }
    }
    return ink;
}

TEST(TextureAssets, FontSheetKeepsEveryGlyphInsideItsCellAndMenusDark) {
    const BmpFile& sheet = load("Font.bmp");
    ASSERT_EQ(sheet.width(), sheet.height());
    // Plain grey: the glyphs take their colour from the text's.
    for (int y = 0; y < sheet.height(); ++y) {
        for (int x = 0; x < sheet.width(); ++x) {
            const RgbPixel p = sheet.fromTop(x, y);
            ASSERT_TRUE(p.r == p.g && p.g == p.b) << x << "," << y;
        }
    }
    EXPECT_GE(inkOf(sheet, 0xE9).right, 0) << "Latin-1 e acute";
    EXPECT_GE(inkOf(sheet, 0xC7).right, 0) << "Latin-1 C cedilla";
    // Quads are 15 units wide but advance 10: ink wider than two thirds of a cell runs into
    // the next letter, and ink on a cell's border bleeds into its neighbour when filtered.
    for (int code = 33; code < 256; ++code) {
        const Ink ink = inkOf(sheet, code);
        if (ink.right >= 0) {
            EXPECT_TRUE(ink.left > 0 && ink.top > 0 && ink.right < ink.size - 1 &&
                        ink.bottom < ink.size - 1)
                << code;
            EXPECT_LE(ink.right - ink.left + 1, ink.size * 2 / 3 + 2) << code;
        }
    }
    // The menus print an "X" over each check box, placed for a centred glyph.
    const Ink tick = inkOf(sheet, 'X');
    EXPECT_NEAR((tick.left + tick.right) / 2.0, tick.size / 2.0, tick.size / 12.0);
    EXPECT_NEAR((tick.top + tick.bottom) / 2.0, tick.size / 2.0, tick.size / 10.0);

    // White glyphs are added onto the menu background: readable only over a dark night. The
    // areas are in the 800 x 600 text space stretched over the whole picture.
    const BmpFile& back = load("fond_menu.bmp");
    struct Area {
        float x0, y0, x1, y1;
    };
    for (const Area& a : {Area{30, 70, 790, 445}, Area{0, 0, 120, 15}, Area{0, 580, 800, 595}}) {
        double sum = 0.0;
        float light = 0.0f;
        int count = 0;
        for (int y = int(a.y0 / 600 * back.height()); y < int(a.y1 / 600 * back.height()); ++y) {
            for (int x = int(a.x0 / 800 * back.width()); x < int(a.x1 / 800 * back.width()); ++x) {
                sum += luminance(back.fromTop(x, y));
                light = std::max(light, luminance(back.fromTop(x, y)));
                ++count;
            }
        }
        EXPECT_LT(sum / count, 0.12) << a.x0 << "," << a.y0;
        EXPECT_LT(light, 0.5f) << a.x0 << "," << a.y0;
    }
}

}  // namespace

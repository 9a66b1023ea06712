// InterfaceTextures: the generated menu art obeys what the game's loaders and blending need.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/BmpFile.h"

namespace {

const std::string kTextures = "ressources/textures/";

// A 24-bit BMP as the generator writes it, pixels top row first.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;

    const uint8_t* at(int x, int y) const { return &rgb[(size_t(y) * width + x) * 3]; }
    bool isKey(int x, int y) const {
        return at(x, y)[0] == 0 && at(x, y)[1] == 0 && at(x, y)[2] == 0;
    }
    float luminance(int x, int y) const {
        const uint8_t* p = at(x, y);
        return (0.2126f * p[0] + 0.7152f * p[1] + 0.0722f * p[2]) / 255.0f;
    }
};

// Reads the file and checks the one layout every loader of the game accepts the same way:
// uncompressed 24-bit, bottom-up rows.
Picture readBmp(const std::string& path) {
    std::string why;
    const std::optional<testsupport::BmpFile> file = testsupport::BmpFile::read(path, &why);
    Picture p;
    EXPECT_TRUE(file) << path << ": " << why;
    if (!file) {
        return p;
    }
    EXPECT_EQ(file->bitsPerPixel(), 24) << path;
    EXPECT_EQ(file->compression(), 0u) << path << " must be uncompressed";
    EXPECT_TRUE(file->bottomUp()) << path << " must be stored bottom-up";
    p.width = file->width();
    p.height = file->height();
    p.rgb.reserve(size_t(p.width) * p.height * 3);
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const testsupport::RgbPixel px = file->fromTop(x, y);
            p.rgb.insert(p.rgb.end(), {px.r, px.g, px.b});
        }
    }
    return p;
}

bool isPowerOfTwo(int v) { return v > 0 && (v & (v - 1)) == 0; }

bool hasColour(const Picture& p, uint8_t r, uint8_t g, uint8_t b) {
    for (size_t i = 0; i < p.rgb.size(); i += 3) {
        if (p.rgb[i] == r && p.rgb[i + 1] == g && p.rgb[i + 2] == b) {
            return true;
        }
    }
    return false;
}

struct Widget {
    const char* file;
    int screenWidth, screenHeight;  // size the menus draw it at
};

const std::vector<Widget>& widgets() {
    static const std::vector<Widget> all{
        {"ihm/bouton1", 128, 64},  {"ihm/bouton2", 128, 64},  {"ihm/resume1", 256, 64},
        {"ihm/resume2", 256, 64},  {"ihm/options1", 256, 64}, {"ihm/options2", 256, 64},
        {"ihm/quitter1", 256, 64}, {"ihm/quitter2", 256, 64}, {"ihm/retour1", 64, 32},
        {"ihm/retour2", 64, 32},   {"ihm/optvid1", 512, 64},  {"ihm/optvid2", 512, 64},
        {"ihm/optaud1", 512, 64},  {"ihm/optaud2", 512, 64},  {"ihm/optjeu1", 512, 64},
        {"ihm/optjeu2", 512, 64},  {"ihm/fleched", 16, 16},   {"ihm/flecheg", 16, 16},
        {"ihm/check", 16, 16},     {"mouse", 32, 32},
    };
    return all;
}

TEST(InterfaceTextures, EveryPictureIsAPlain24BitBottomUpBmpWithContent) {
    std::vector<std::string> files{"firstMenu", "lastMenu", "fond_menu", "Font"};
    for (const Widget& w : widgets()) {
        files.push_back(w.file);
    }
    for (const std::string& name : files) {
        SCOPED_TRACE(name);
        const Picture p = readBmp(kTextures + name + ".bmp");
        ASSERT_GT(p.width, 0);
        // A generator that failed half-way would leave a flat picture.
        float lo = 1.0f, hi = 0.0f;
        for (int y = 0; y < p.height; ++y) {
            for (int x = 0; x < p.width; ++x) {
                lo = std::min(lo, p.luminance(x, y));
                hi = std::max(hi, p.luminance(x, y));
            }
        }
        EXPECT_GT(hi - lo, 0.3f);
    }
}

TEST(InterfaceTextures, WidgetsKeepTheirOnScreenProportions) {
    for (const Widget& w : widgets()) {
        SCOPED_TRACE(w.file);
        const Picture p = readBmp(kTextures + std::string(w.file) + ".bmp");
        ASSERT_GT(p.width, 0);
        // Stretched pictures distort their captions; smaller ones would be blurred up.
        EXPECT_EQ(p.width * w.screenHeight, p.height * w.screenWidth);
        EXPECT_GE(p.width, w.screenWidth);
    }
}

TEST(InterfaceTextures, PointerIsUploadableAsIsWithItsTipOnTheHotSpot) {
    const Picture p = readBmp(kTextures + "mouse.bmp");
    ASSERT_GT(p.width, 0);
    // Loaded without mipmaps, so the sides must already be powers of two.
    EXPECT_TRUE(isPowerOfTwo(p.width) && isPowerOfTwo(p.height));
    EXPECT_EQ(p.width, p.height);
    // Drawn with its top-left corner on the pointer: the tip is that corner.
    EXPECT_FALSE(p.isKey(0, 0));
    EXPECT_TRUE(p.isKey(p.width - 1, 0));
    EXPECT_TRUE(p.isKey(0, p.height - 1));
    EXPECT_TRUE(p.isKey(p.width - 1, p.height - 1));
}

// Keyed pictures turn exact black into transparency: the key must surround the widget and
// never appear inside it, and the widget's rim must be dark so the filtered edge against the
// key does not show a light-and-black fringe.
TEST(InterfaceTextures, KeyedPicturesAreKeyedOnlyOutsideTheirDarkOutline) {
    for (const Widget& w : widgets()) {
        SCOPED_TRACE(w.file);
        const Picture p = readBmp(kTextures + std::string(w.file) + ".bmp");
        ASSERT_GT(p.width, 0);
        // The pointer's tip fills its top-left corner; every other corner is see-through.
        const bool pointer = std::string(w.file) == "mouse";
        EXPECT_TRUE((pointer || p.isKey(0, 0)) && p.isKey(p.width - 1, 0) &&
                    p.isKey(0, p.height - 1) && p.isKey(p.width - 1, p.height - 1));
        // Flood the key from the border: every black pixel must be reached.
        std::vector<uint8_t> outside(size_t(p.width) * p.height, 0);
        std::vector<std::pair<int, int>> todo;
        for (int x = 0; x < p.width; ++x) {
            todo.push_back({x, 0});
            todo.push_back({x, p.height - 1});
        }
        for (int y = 0; y < p.height; ++y) {
            todo.push_back({0, y});
            todo.push_back({p.width - 1, y});
        }
        while (!todo.empty()) {
            const auto [x, y] = todo.back();
            todo.pop_back();
            if (x < 0 || y < 0 || x >= p.width || y >= p.height || !p.isKey(x, y) ||
                outside[size_t(y) * p.width + x]) {
                continue;
            }
            outside[size_t(y) * p.width + x] = 1;
            todo.insert(todo.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
        }
        int holes = 0, opaque = 0, brightRim = 0;
        for (int y = 0; y < p.height; ++y) {
            for (int x = 0; x < p.width; ++x) {
                if (p.isKey(x, y)) {
                    holes += outside[size_t(y) * p.width + x] ? 0 : 1;
                    continue;
                }
                ++opaque;
                const bool touchesKey =
                    (x > 0 && p.isKey(x - 1, y)) || (x + 1 < p.width && p.isKey(x + 1, y)) ||
                    (y > 0 && p.isKey(x, y - 1)) || (y + 1 < p.height && p.isKey(x, y + 1));
                brightRim += touchesKey && p.luminance(x, y) > 0.3f ? 1 : 0;
            }
        }
        EXPECT_EQ(holes, 0) << "pure black inside the widget would be see-through";
        EXPECT_GT(opaque, p.width * p.height / 5);
        EXPECT_EQ(brightRim, 0);
    }
}

// Widgets are drawn with the alpha test: a picture without its key colour would show as a
// solid rectangle. The checks above cover the listed widgets; this keeps the list complete.
TEST(InterfaceTextures, EveryWidgetPictureCarriesItsKeyColour) {
    int seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kTextures + "ihm")) {
        const std::string name = "ihm/" + entry.path().stem().string();
        SCOPED_TRACE(name);
        ++seen;
        EXPECT_TRUE(std::any_of(widgets().begin(), widgets().end(),
                                [&](const Widget& w) { return name == w.file; }));
        EXPECT_TRUE(hasColour(readBmp(entry.path().string()), 0, 0, 0));
    }
    EXPECT_EQ(seen, int(widgets().size()) - 1);  // all but the pointer live in ihm/
}

TEST(InterfaceTextures, HighlightedButtonsStandOutFromTheirNormalPictures) {
    for (const char* name :
         {"bouton", "resume", "options", "quitter", "retour", "optvid", "optaud", "optjeu"}) {
        SCOPED_TRACE(name);
        const Picture hover = readBmp(kTextures + "ihm/" + name + "1.bmp");
        const Picture normal = readBmp(kTextures + "ihm/" + name + "2.bmp");
        ASSERT_EQ(hover.width, normal.width);
        ASSERT_EQ(hover.height, normal.height);
        double difference = 0.0, hoverLight = 0.0, normalLight = 0.0;
        int count = 0, shapeChanges = 0;
        for (int y = 0; y < hover.height; ++y) {
            for (int x = 0; x < hover.width; ++x) {
                shapeChanges += hover.isKey(x, y) != normal.isKey(x, y) ? 1 : 0;
                if (normal.isKey(x, y)) {
                    continue;
                }
                for (int c = 0; c < 3; ++c) {
                    difference += std::abs(hover.at(x, y)[c] - normal.at(x, y)[c]) / 255.0;
                }
                hoverLight += hover.luminance(x, y);
                normalLight += normal.luminance(x, y);
                ++count;
            }
        }
        ASSERT_GT(count, 0);
        EXPECT_GT(difference / (3.0 * count), 0.15);
        EXPECT_GT(hoverLight / count, normalLight / count + 0.15);
        // Same silhouette, so the button does not jump when the mouse enters it.
        EXPECT_EQ(shapeChanges, 0);
    }
}

// The glyph of code ch sits in column (ch - 32) % 16 and row (ch - 32) / 16 from the top.
struct Cell {
    int x0, y0, size;
};

Cell cellOf(const Picture& sheet, int code) {
    const int size = sheet.width / 16;
    return Cell{(code - 32) % 16 * size, (code - 32) / 16 * size, size};
}

struct Ink {
    int left = 1 << 20, right = -1, top = 1 << 20, bottom = -1;
    int brightest = 0;
    bool any() const { return right >= 0; }
};

Ink inkOf(const Picture& sheet, const Cell& c) {
    Ink ink;
    for (int y = 0; y < c.size; ++y) {
        for (int x = 0; x < c.size; ++x) {
            const int v = sheet.at(c.x0 + x, c.y0 + y)[0];
            if (v > 0) {
                ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y), ink.bottom = std::max(ink.bottom, y);
                ink.brightest = std::max(ink.brightest, v);
            }
        }
    }
    return ink;
}

TEST(InterfaceTextures, FontSheetHoldsEveryGlyphInItsOwnCell) {
    const Picture sheet = readBmp(kTextures + "Font.bmp");
    ASSERT_GT(sheet.width, 0);
    ASSERT_EQ(sheet.width, sheet.height);
    ASSERT_EQ(sheet.width % 16, 0);
    // Plain grey: nothing can match the game font's magenta key or the menus' grey key.
    for (size_t i = 0; i < sheet.rgb.size(); i += 3) {
        ASSERT_TRUE(sheet.rgb[i] == sheet.rgb[i + 1] && sheet.rgb[i] == sheet.rgb[i + 2]);
    }
    EXPECT_FALSE(hasColour(sheet, 192, 192, 192));

    EXPECT_GE(inkOf(sheet, cellOf(sheet, 'A')).brightest, 240);
    EXPECT_FALSE(inkOf(sheet, cellOf(sheet, ' ')).any());
    EXPECT_TRUE(inkOf(sheet, cellOf(sheet, 0xE9)).any()) << "Latin-1 e acute";
    EXPECT_TRUE(inkOf(sheet, cellOf(sheet, 0xC7)).any()) << "Latin-1 C cedilla";
    // The bottom row of cells is never used: codes past 255 would land there.
    for (int y = sheet.height - sheet.height / 16; y < sheet.height; ++y) {
        for (int x = 0; x < sheet.width; ++x) {
            ASSERT_EQ(sheet.at(x, y)[0], 0) << x << "," << y;
        }
    }
    // Quads are 15 units wide but advance 10: ink wider than two thirds of a cell would run
    // into the next letter, and ink on a cell's border would bleed into the neighbouring
    // glyph under linear filtering.
    for (int code = 33; code < 256; ++code) {
        SCOPED_TRACE(code);
        const Cell c = cellOf(sheet, code);
        const Ink ink = inkOf(sheet, c);
        if (!ink.any()) {
            continue;
        }
        EXPECT_GT(ink.left, 0);
        EXPECT_GT(ink.top, 0);
        EXPECT_LT(ink.right, c.size - 1);
        EXPECT_LT(ink.bottom, c.size - 1);
        EXPECT_LE(ink.right - ink.left + 1, c.size * 2 / 3 + 2);
    }
    // The menus print an "X" over each 16 x 16 check box, lined up for a centred glyph.
    const Cell x = cellOf(sheet, 'X');
    const Ink tick = inkOf(sheet, x);
    EXPECT_NEAR((tick.left + tick.right) / 2.0, x.size / 2.0, x.size / 12.0);
    EXPECT_NEAR((tick.top + tick.bottom) / 2.0, x.size / 2.0, x.size / 10.0);
    EXPECT_GT(tick.right - tick.left, x.size / 3);
}

// Mean and brightest luminance of fond_menu under a rectangle of the 800 x 600 text space,
// which is stretched over the whole picture.
std::pair<float, float> backgroundLight(const Picture& p, float x0, float y0, float x1, float y1) {
    const int px0 = int(x0 / 800.0f * p.width), px1 = int(x1 / 800.0f * p.width);
    const int py0 = int(y0 / 600.0f * p.height), py1 = int(y1 / 600.0f * p.height);
    double sum = 0.0;
    float brightest = 0.0f;
    for (int y = py0; y < py1; ++y) {
        for (int x = px0; x < px1; ++x) {
            sum += p.luminance(x, y);
            brightest = std::max(brightest, p.luminance(x, y));
        }
    }
    return {float(sum / (double(px1 - px0) * (py1 - py0))), brightest};
}

TEST(InterfaceTextures, MenuBackgroundStaysDarkUnderTheMenuTexts) {
    const Picture p = readBmp(kTextures + "fond_menu.bmp");
    ASSERT_GT(p.width, 0);
    EXPECT_FALSE(hasColour(p, 192, 192, 192));
    // White glyphs are added onto the picture: they stay readable only over a dark night.
    struct Area {
        const char* what;
        float x0, y0, x1, y1;
    };
    for (const Area& a :
         {Area{"option screens", 30, 70, 790, 445}, Area{"main menu title", 0, 0, 120, 15},
          Area{"credits line", 0, 580, 800, 595}}) {
        SCOPED_TRACE(a.what);
        const auto [mean, brightest] = backgroundLight(p, a.x0, a.y0, a.x1, a.y1);
        EXPECT_LT(mean, 0.12f);
        EXPECT_LT(brightest, 0.5f);
    }
}

TEST(InterfaceTextures, FullScreenPicturesHaveAtLeastScreenResolution) {
    for (const char* name : {"firstMenu", "lastMenu", "fond_menu"}) {
        SCOPED_TRACE(name);
        const Picture p = readBmp(kTextures + name + ".bmp");
        // Stretched over the 1024 x 768 screen: anything smaller would be blurred up.
        EXPECT_GE(p.width, 1024);
        EXPECT_GE(p.height, 768);
    }
}

}  // namespace

// InterfaceTextures: the menu art (pictures, widgets, pointer and bitmap font), painted with
// the DejaVu fonts.
#include <cmath>
#include <cstdint>
#include <vector>

#include "render/AssetNames.h"
#include "tools/assetgen/Generators.h"
#include "tools/assetgen/InterfacePictures.h"
#include "tools/assetgen/Painter.h"

namespace assetgen {

namespace {

const char* const kFontDir = "/usr/share/fonts/truetype/dejavu/";

// Grid of the bitmap font: 16 x 16 cells, codes 32..255 from the top-left, the bottom row
// unused.
constexpr int kSheetSize = 512;
constexpr int kCell = kSheetSize / 16;

// The game shows a 15 x 15 unit cell every 10 units, so each glyph keeps to the middle two
// thirds of its cell, with an empty pixel all round so linear filtering never reaches into a
// neighbour.
constexpr float kGlyphEm = 26.0f;
constexpr float kGlyphStretch = 1.4f;
constexpr float kBaseline = 24.0f;

bool hasGlyph(int code) { return code >= 33 && code != 127 && (code < 128 || code > 160); }

}  // namespace

bool writeAvoidingKey(const Canvas& canvas, const std::string& path, int avoidR, int avoidG,
                      int avoidB) {
    std::vector<uint8_t> bytes = canvas.bytes();
    for (size_t i = 0; i + 2 < bytes.size(); i += 3) {
        if (bytes[i] == avoidR && bytes[i + 1] == avoidG && bytes[i + 2] == avoidB) {
            // Every channel moves, so greys stay grey.
            for (int c = 0; c < 3; ++c) {
                bytes[i + c] = uint8_t(bytes[i + c] < 255 ? bytes[i + c] + 1 : 254);
            }
        }
    }
    return writeBmp24(path, canvas.width(), canvas.height(), bytes);
}

bool writeFontSheet(const std::string& path, TextRaster& mono) {
    mono.setSize(kGlyphEm, kGlyphStretch);
    Canvas sheet(kSheetSize, kSheetSize);
    for (int code = 32; code < 256; ++code) {
        if (!hasGlyph(code)) {
            continue;
        }
        // Codes 160..255 are Latin-1, which is the first block of Unicode.
        const int column = (code - 32) % 16, row = (code - 32) / 16;
        Mask cell(kCell - 2, kCell - 2);
        const float advance = mono.measure(std::u32string(1, char32_t(code)));
        mono.drawGlyph(cell, char32_t(code), (kCell - advance) * 0.5f - 1.0f, kBaseline - 1.0f);
        for (int y = 0; y < cell.height; ++y) {
            for (int x = 0; x < cell.width; ++x) {
                const float v = cell.at(x, y);
                sheet.set(column * kCell + 1 + x, row * kCell + 1 + y, Rgb{v, v, v});
            }
        }
    }
    // Grey edge pixels must not hit the menus' grey key (192,192,192) nor, being grey, can
    // they hit the game's magenta key.
    return writeAvoidingKey(sheet, path, 192, 192, 192);
}

bool writeCursor(const std::string& path) {
    // Drawn 32 x 32 with its top-left corner on the pointer, texel for pixel: the tip is the
    // top-left pixel.
    Canvas canvas = keyedCanvas(32, 32);
    Painter p(canvas, 1.0f);
    const std::vector<Point> arrow{{-0.6f, -0.6f}, {-0.6f, 23.5f}, {5.8f, 18.2f}, {10.2f, 27.6f},
                                   {15.0f, 25.4f}, {10.8f, 16.4f}, {18.0f, 16.4f}};
    p.polygonHard(arrow, rgb(22, 14, 44));
    p.polygonHard(insetPolygon(arrow, 1.5f), rgb(255, 190, 60));
    p.polygonHard(insetPolygon(arrow, 3.0f), rgb(255, 236, 150));
    p.polygon({{2.0f, 4.5f}, {2.0f, 12.0f}, {7.0f, 9.5f}}, rgb(255, 255, 240), 0.8f);
    finishKeyed(canvas);
    return canvas.writeBmp(path);
}

bool generateInterfaceTextures(const std::string& root) {
    TextRaster bold, mono;
    if (!bold.open(std::string(kFontDir) + "DejaVuSans-Bold.ttf") ||
        !mono.open(std::string(kFontDir) + "DejaVuSansMono-Bold.ttf")) {
        return false;
    }
    const std::string textures = root + "/textures/";
    bool ok = writeMenuPictures(textures, bold);
    ok = writeWidgets(textures + assetnames::inTextures(assetnames::kWidgetFolder), bold) && ok;
    ok = writeCursor(textures + assetnames::inTextures(assetnames::kCursor)) && ok;
    ok = writeFontSheet(textures + assetnames::inTextures(assetnames::kFont), mono) && ok;
    return ok;
}

}  // namespace assetgen

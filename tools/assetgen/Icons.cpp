// Icons: the game's icon, the mascot otter waving from a night-sky badge, at every size.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "render/AssetNames.h"
#include "tools/assetgen/CartoonOtter.h"
#include "tools/assetgen/Generators.h"
#include "tools/assetgen/NightScenery.h"
#include "tools/modelviewer/PngWriter.h"

namespace assetgen {

namespace {

// Layout: a 256-unit square, painted at kPaintScale pixels per unit and filtered down.
constexpr float kLayout = 256.0f;
constexpr int kPaintScale = 4;
constexpr float kBadgeInset = 8.0f, kBadgeRadius = 46.0f, kBadgeRim = 7.0f;
const Rgb kRim = rgb(22, 14, 44);

// Sizes of the hicolor theme's apps folders, and of the window icon the game shows.
constexpr int kThemeSizes[] = {16, 32, 48, 64, 128, 256};
constexpr int kWindowIconSize = 64;

// How much of a pixel (centre x, y in units) a rounded square inset from the layout's edges
// covers, from its distance to the edge over one pixel's width.
float roundedSquareCoverage(float x, float y, float pixel, float inset, float radius) {
    const float half = kLayout * 0.5f - inset;
    const float qx = std::fabs(x - kLayout * 0.5f) - (half - radius);
    const float qy = std::fabs(y - kLayout * 0.5f) - (half - radius);
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    const float distance = outside + std::min(std::max(qx, qy), 0.0f) - radius;
    return std::clamp(0.5f - distance / pixel, 0.0f, 1.0f);
}

void paintBadge(Painter& p) {
    SkyLook sky{rgb(10, 10, 40), rgb(92, 52, 128), kLayout, 90, 1.0f, 0.0f, 41};
    paintSky(p, sky);
    paintMoon(p, 60.0f, 58.0f, 20.0f);
    // The otter stands below the badge, so only its head, shoulders and waving arm show,
    // large enough to read at 16 pixels.
    OtterPose otter;
    otter.x = 126.0f, otter.y = 318.0f, otter.height = 300.0f;
    otter.leftArm = 20.0f, otter.rightArm = 140.0f, otter.lean = 3.0f, otter.mouthOpen = true;
    paintOtter(p, otter);
}

// The painted badge as premultiplied colour and coverage, filtered down to size x size.
struct IconPixels {
    int size = 0;
    std::vector<float> rgba;  // straight (not premultiplied) colour and alpha, 0..1
};

IconPixels filtered(const Canvas& painted, const Canvas& coverage, int size) {
    const Canvas colour = resampleArea(painted, size, size);
    const Canvas alpha = resampleArea(coverage, size, size);
    IconPixels icon;
    icon.size = size;
    icon.rgba.resize(size_t(size) * size * 4);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float a = alpha.get(x, y).r;
            const Rgb c = colour.get(x, y);
            float* out = &icon.rgba[(size_t(y) * size + x) * 4];
            const float keep = a > 0.0f ? 1.0f / a : 0.0f;
            out[0] = std::min(1.0f, c.r * keep);
            out[1] = std::min(1.0f, c.g * keep);
            out[2] = std::min(1.0f, c.b * keep);
            out[3] = a;
        }
    }
    return icon;
}

uint8_t quantised(float v) { return uint8_t(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); }

bool writeThemePng(const std::string& path, const IconPixels& icon) {
    std::vector<uint8_t> bytes(icon.rgba.size());
    std::transform(icon.rgba.begin(), icon.rgba.end(), bytes.begin(), quantised);
    return writePngRgba(path.c_str(), icon.size, icon.size, bytes);
}

// The window icon for the game to read with its own BMP decoder: pure black is transparent,
// so painted pixels are kept off it and edge pixels are solid over the rim colour.
bool writeKeyedBmp(const std::string& path, const IconPixels& icon) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < icon.rgba.size(); i += 4) {
        const float a = icon.rgba[i + 3];
        uint8_t rgbBytes[3] = {0, 0, 0};
        if (a >= 0.35f) {
            const Rgb c = mix(kRim, Rgb{icon.rgba[i], icon.rgba[i + 1], icon.rgba[i + 2]}, a);
            rgbBytes[0] = std::max<uint8_t>(1, quantised(c.r));
            rgbBytes[1] = quantised(c.g);
            rgbBytes[2] = quantised(c.b);
        }
        bytes.insert(bytes.end(), rgbBytes, rgbBytes + 3);
    }
    return writeBmp24(path, icon.size, icon.size, bytes);
}

}  // namespace

bool generateIcons(const std::string& root, const std::string& themeRoot) {
    const int pixels = int(kLayout) * kPaintScale;
    Canvas painted(pixels, pixels);
    Painter painter(painted, float(kPaintScale));
    paintBadge(painter);
    // A dark rim keeps the badge apart from light panels; the colour is premultiplied by the
    // coverage so that filtering never bleeds the sky past the badge's edge.
    Canvas coverage(pixels, pixels);
    const float pixel = 1.0f / kPaintScale;
    for (int y = 0; y < pixels; ++y) {
        for (int x = 0; x < pixels; ++x) {
            const float ux = (x + 0.5f) * pixel, uy = (y + 0.5f) * pixel;
            const float outer = roundedSquareCoverage(ux, uy, pixel, kBadgeInset, kBadgeRadius);
            const float inner = roundedSquareCoverage(ux, uy, pixel, kBadgeInset + kBadgeRim,
                                                      kBadgeRadius - kBadgeRim);
            painted.set(x, y, scaled(mix(kRim, painted.get(x, y), inner), outer));
            coverage.set(x, y, Rgb{outer, outer, outer});
        }
    }
    bool ok = writeKeyedBmp(root + "/" + assetnames::inFolder(assetnames::kWindowIcon),
                            filtered(painted, coverage, kWindowIconSize));
    if (!themeRoot.empty()) {
        for (int size : kThemeSizes) {
            const std::string path = themeRoot + "/" + std::to_string(size) + "x" +
                                     std::to_string(size) + "/apps/zorblat.png";
            if (!writeThemePng(path, filtered(painted, coverage, size))) {
                std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
                ok = false;
            }
        }
    }
    return ok;
}

}  // namespace assetgen

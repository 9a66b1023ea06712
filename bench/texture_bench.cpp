// texture_bench: decode and upload time of every BMP under ./ressources/textures.
//   texture_bench [quality 0..3] [filtering 0..3]   (defaults: 0 and 3, the heaviest settings)
#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "render/BmpImage.h"
#include "render/Texture.h"

namespace {

namespace fs = std::filesystem;

// One of the game's texture load parameter sets.
struct LoadSet {
    const char* name;
    bool mipmaps;
    bool worldFilters;  // filters from the filtering setting, else linear / linear
    bool worldQuality;  // reduced by the quality setting, else full size
    GLint wrap;
    bool useAlpha;
    uint8_t key[3];
    uint8_t keyAlpha;
    uint8_t otherAlpha;
};

const LoadSet kWorld{"world", true, true, true, GL_CLAMP, false, {0, 0, 255}, 0, 1};
const LoadSet kWorldRepeat{"world, repeating", true, true, true, GL_REPEAT, false,
                           {255, 0, 255},      0,    1};
const LoadSet kLightMap{"light map", false, false, true, GL_CLAMP, false, {0, 0, 255}, 0, 1};
const LoadSet kToon{"toon ramps", false, false, false, GL_CLAMP, false, {255, 0, 0}, 0, 1};
const LoadSet kOpaqueMip{"interface, opaque", true, false, false, GL_CLAMP, false,
                         {0, 0, 255},         0,    1};
const LoadSet kOpaque{"interface, opaque", false, false, false, GL_CLAMP, false, {0, 0, 255}, 0, 1};
const LoadSet kTiled{"interface, tiled", true, false, false, GL_REPEAT, false,
                     {192, 192, 192},    0,    1};
const LoadSet kGameFont{"game font", true, false, false, GL_REPEAT, false, {255, 0, 255}, 0, 1};
const LoadSet kKeyedBlackMip{"keyed black", true, false, false, GL_CLAMP, true, {0, 0, 0}, 0, 1};
const LoadSet kKeyedBlack{"keyed black", false, false, false, GL_CLAMP, true, {0, 0, 0}, 0, 1};
const LoadSet kRadar{"radar", false, false, false, GL_CLAMP, true, {0, 0, 0}, 0, 255};
const LoadSet kSweep{"sweep", false, false, false, GL_CLAMP, false, {255, 0, 0}, 0, 200};
const LoadSet kCrosshair{"crosshair", false, false, false, GL_CLAMP, true, {0, 0, 255}, 0, 1};
const LoadSet kFire{"fire", true, false, false, GL_CLAMP, true, {255, 0, 0}, 0, 200};

// The set the game uses for a file, by its path under ressources/textures; files the game
// does not know are timed as world textures.
const LoadSet& setFor(const std::string& relative) {
    const std::string file = fs::path(relative).filename().string();
    struct Entry {
        const char* name;
        const LoadSet* set;
    };
    static const Entry byPath[] = {
        {"sol.bmp", &kWorldRepeat},     {"arme.bmp", &kWorldRepeat}, {"lightmap2.bmp", &kLightMap},
        {"toon.bmp", &kToon},           {"toon_glow.bmp", &kToon},   {"firstMenu.bmp", &kOpaqueMip},
        {"lastMenu.bmp", &kOpaqueMip},  {"VRK.bmp", &kOpaqueMip},    {"particle.bmp", &kOpaque},
        {"blood.bmp", &kOpaque},        {"fond_menu.bmp", &kTiled},  {"Font.bmp", &kGameFont},
        {"HUD/point.bmp", &kRadar},     {"HUD/radar.bmp", &kRadar},  {"HUD/balayeur.bmp", &kSweep},
        {"crosshair.bmp", &kCrosshair}, {"fire.bmp", &kFire},
    };
    for (const Entry& e : byPath) {
        if (relative == e.name) {
            return *e.set;
        }
    }
    if (file == "mouse.bmp") {
        return kKeyedBlack;
    }
    if (relative.rfind("ihm/", 0) == 0) {
        return kKeyedBlackMip;
    }
    return kWorld;
}

void worldFilters(int filtering, GLint& mag, GLint& min) {
    switch (filtering) {
        case 1:
            mag = min = GL_LINEAR;
            return;
        case 2:
            mag = GL_LINEAR;
            min = GL_LINEAR_MIPMAP_NEAREST;
            return;
        case 3:
            mag = GL_LINEAR;
            min = GL_LINEAR_MIPMAP_LINEAR;
            return;
        default:
            mag = min = GL_NEAREST;
            return;
    }
}

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path root = "./ressources/textures";
    std::error_code ec;
    if (!fs::is_directory(root, ec)) {
        std::printf(
            "texture_bench: no %s here (run it from the build directory); nothing to "
            "measure\n",
            root.c_str());
        return 0;
    }
    if (std::getenv("DISPLAY") == nullptr) {
        std::printf("texture_bench: needs an X display (DISPLAY is not set); nothing measured\n");
        return 0;
    }
    const int quality = argc > 1 ? std::clamp(std::atoi(argv[1]), 0, 3) : 0;
    const int filtering = argc > 2 ? std::atoi(argv[2]) : 3;

    std::vector<std::string> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root, ec)) {
        if (entry.is_regular_file() && entry.path().extension() == ".bmp") {
            files.push_back(fs::relative(entry.path(), root).generic_string());
        }
    }
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::printf("texture_bench: no BMP files under %s\n", root.c_str());
        return 0;
    }

    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(256, 256);
    glutCreateWindow("texture_bench");

    std::printf("quality %d, filtering %d, %zu files\n", quality, filtering, files.size());
    std::printf("%-28s %11s %-20s %10s %10s\n", "file", "size", "set", "decode ms", "load ms");
    double totalDecode = 0.0, totalLoad = 0.0;
    for (const std::string& relative : files) {
        const std::string path = (root / relative).string();
        const LoadSet& set = setFor(relative);

        auto start = std::chrono::steady_clock::now();
        const std::unique_ptr<BmpImage> image = loadBmpImage(path.c_str());
        const double decodeMs = msSince(start);

        GLint mag = GL_LINEAR, min = GL_LINEAR;
        if (set.worldFilters) {
            worldFilters(filtering, mag, min);
        }
        Texture texture;
        start = std::chrono::steady_clock::now();
        const bool ok = texture.load(path.c_str(), set.mipmaps, mag, min, set.wrap, set.wrap,
                                     set.worldQuality ? quality : 0, set.useAlpha, set.key[0],
                                     set.key[1], set.key[2], set.keyAlpha, set.otherAlpha);
        glFinish();
        const double loadMs = msSince(start);

        char size[32] = "?";
        if (image != nullptr) {
            std::snprintf(size, sizeof size, "%dx%d", image->sizeX, image->sizeY);
        }
        std::printf("%-28s %11s %-20s %10.2f %10.2f%s\n", relative.c_str(), size, set.name,
                    decodeMs, loadMs, ok ? "" : "  FAILED");
        totalDecode += decodeMs;
        totalLoad += loadMs;
    }
    std::printf("%-28s %11s %-20s %10.2f %10.2f\n", "total", "", "", totalDecode, totalLoad);
    return 0;
}

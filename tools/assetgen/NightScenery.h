// NightScenery: the night city park behind the menu pictures (sky, moon, skyline, park).
#pragma once

#include <cstdint>

#include "tools/assetgen/Painter.h"

namespace assetgen {

struct SkyLook {
    Rgb top, horizon;
    float horizonY = 500.0f;  // where the gradient ends (layout units)
    int stars = 150;
    float starBrightness = 1.0f;  // 1 = full white at the brightest
    float cloudStrength = 0.05f;  // faint drifting veils
    uint32_t seed = 1;
};

struct SkylineLook {
    float baseY = 520.0f;  // ground line the buildings stand on
    float minHeight = 50.0f, maxHeight = 150.0f;
    Rgb silhouette;
    float windowLight = 1.0f;       // 0 = dark windows, 1 = warm lit windows
    float windowsAbove = 10000.0f;  // no lit window below this y
    uint32_t seed = 1;
};

// Fills the whole picture with the sky and its stars.
void paintSky(Painter& painter, const SkyLook& look);
void paintMoon(Painter& painter, float cx, float cy, float radius);
void paintSkyline(Painter& painter, const SkylineLook& look);
// The tower the otters besiege in the game, with its red warning light.
void paintTower(Painter& painter, float cx, float baseY, float width, float height,
                const Rgb& silhouette);
// Grass from groundY down to the bottom, with a winding path.
void paintPark(Painter& painter, float groundY, uint32_t seed);
// light below 1 sinks the tree towards the night (for backgrounds that must stay calm).
void paintTree(Painter& painter, float x, float groundY, float height, uint32_t seed,
               float light = 1.0f);
void paintLamp(Painter& painter, float x, float groundY, float height);

}  // namespace assetgen

// SkyPainter: paints the six sky-box faces from view directions, so the cube has no seams.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/assetgen/Canvas.h"

namespace assetgen {

// The faces in the order the sky box draws them, with the texture orientation it uses.
enum class SkyFace { Back, Front, Bottom, Top, Left, Right };

struct Direction {
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

class SkyPainter {
public:
    // Lays out the night: stars, the moon and the city on the horizon (deterministic).
    SkyPainter();

    // Paints one face, size x size pixels.
    Canvas paint(SkyFace face, int size) const;

    // Unnormalised direction (a point on the unit cube) seen through texture coordinate (s, t)
    // of a face; t = 0 is the bottom row of the picture.
    static Direction faceDirection(SkyFace face, float s, float t);
    // Texture coordinate at which the face shows direction d; false when d points away from it.
    static bool project(SkyFace face, const Direction& d, float& s, float& t);

private:
    struct Star {
        Direction dir;
        float brightness;  // 0..1
        Rgb tint;
    };
    struct Tower {
        float az0, az1;  // azimuth span, radians, within [0, 2 pi)
        float height;    // roof elevation, radians
        int roof;        // 0 flat, 1 stepped, 2 spire, 3 pointed
        uint32_t seed;
    };
    struct Layer {
        std::vector<Tower> towers;
        Rgb body, rim;
        float windowChance;
        float windowDim;
    };

    Rgb background(const Direction& d) const;
    // Colour of the moon or a building seen along d (unit length), if any.
    bool foreground(const Direction& d, Rgb& colour) const;
    bool moon(const Direction& d, Rgb& colour) const;
    static bool building(const Layer& layer, float az, float el, Rgb& colour);
    void drawStars(Canvas& canvas, SkyFace face) const;

    std::vector<Star> stars_;
    Layer far_, near_;
    Direction moonDir_, moonU_, moonV_;
    Direction galaxyNormal_;
};

}  // namespace assetgen

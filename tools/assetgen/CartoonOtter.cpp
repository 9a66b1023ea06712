// CartoonOtter: brown fur, cream belly and muzzle, a dark outline around the silhouette.
#include "tools/assetgen/CartoonOtter.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

constexpr float kPi = 3.14159265f;

const Rgb kFur = rgb(136, 84, 46);
const Rgb kFurDark = rgb(98, 58, 32);
const Rgb kFurLight = rgb(176, 118, 70);
const Rgb kCream = rgb(246, 224, 182);
const Rgb kOutline = rgb(40, 22, 16);
const Rgb kEye = rgb(30, 18, 18);
const Rgb kNose = rgb(52, 30, 26);

// Places the parts of one otter: offsets are fractions of its height, y upwards negative,
// turned with the whole body around the feet.
class OtterLayout {
public:
    OtterLayout(Painter& painter, const OtterPose& pose)
        : painter_(painter),
          pose_(pose),
          cosLean_(std::cos(pose.lean * kPi / 180.0f)),
          sinLean_(std::sin(pose.lean * kPi / 180.0f)),
          outline_(std::max(1.5f, pose.height * 0.018f)) {}

    Point at(float ox, float oy) const {
        const float x = ox * pose_.height, y = oy * pose_.height;
        return Point{pose_.x + x * cosLean_ - y * sinLean_, pose_.y + x * sinLean_ + y * cosLean_};
    }
    float size(float fraction) const { return fraction * pose_.height; }

    void blob(float ox, float oy, float rx, float ry, const Rgb& c, float angle = 0.0f,
              float grow = 0.0f, float opacity = 1.0f) {
        const Point p = at(ox, oy);
        painter_.ellipse(p.x, p.y, size(rx) + grow, size(ry) + grow, c, angle + pose_.lean,
                         opacity);
    }
    void outlinedBlob(float ox, float oy, float rx, float ry, const Rgb& c, bool outlinePass,
                      float angle = 0.0f) {
        if (outlinePass) {
            blob(ox, oy, rx, ry, kOutline, angle, outline_);
        } else {
            blob(ox, oy, rx, ry, c, angle);
        }
    }
    void stroke(float ox0, float oy0, float ox1, float oy1, float width, const Rgb& c,
                float opacity = 1.0f) {
        const Point a = at(ox0, oy0), b = at(ox1, oy1);
        painter_.line(a.x, a.y, b.x, b.y, size(width), c, opacity);
    }

    // Polyline along a circle arc, angles in degrees (clockwise on screen, 0 = right).
    void arc(float ox, float oy, float r, float a0, float a1, float width, const Rgb& c,
             float opacity = 1.0f) {
        const int steps = 10;
        for (int i = 0; i < steps; ++i) {
            const float t0 = (a0 + (a1 - a0) * i / steps) * kPi / 180.0f;
            const float t1 = (a0 + (a1 - a0) * (i + 1) / steps) * kPi / 180.0f;
            stroke(ox + r * std::cos(t0), oy + r * std::sin(t0), ox + r * std::cos(t1),
                   oy + r * std::sin(t1), width, c, opacity);
        }
    }

    // An arm from the shoulder, angle degrees away from hanging down, side -1 left, +1 right.
    // A raised arm waves: a few motion strokes beside its paw.
    void arm(float side, float angle) {
        const float a = angle * kPi / 180.0f;
        const float length = 0.25f, radius = 0.05f;
        const float sx = side * 0.16f, sy = -0.57f;
        const float dx = side * std::sin(a), dy = std::cos(a);
        const float tilt = -side * angle;
        for (int pass = 0; pass < 2; ++pass) {
            outlinedBlob(sx + dx * length * 0.5f, sy + dy * length * 0.5f, radius,
                         length * 0.5f + radius * 0.6f, kFur, pass == 0, tilt);
        }
        const float pawX = sx + dx * length, pawY = sy + dy * length;
        for (int pass = 0; pass < 2; ++pass) {
            outlinedBlob(pawX, pawY, 0.048f, 0.042f, kFurDark, pass == 0, tilt);
        }
        if (angle > 90.0f) {
            const float facing = side > 0.0f ? -60.0f : -120.0f;
            for (float r : {0.09f, 0.13f}) {
                arc(pawX, pawY, r, facing - 30.0f, facing + 30.0f, 0.012f, rgb(255, 236, 170),
                    0.9f);
            }
        }
    }

    float outline() const { return outline_; }

private:
    Painter& painter_;
    const OtterPose& pose_;
    float cosLean_, sinLean_;
    float outline_;
};

void paintSilhouette(OtterLayout& o, float tailSide, bool outlinePass) {
    // Tail first: it lies behind the body on the ground, thick at the root, tapering and
    // curling up at the tip.
    o.outlinedBlob(tailSide * 0.24f, -0.07f, 0.15f, 0.07f, kFurDark, outlinePass, tailSide * -8.0f);
    o.outlinedBlob(tailSide * 0.39f, -0.1f, 0.08f, 0.05f, kFurDark, outlinePass, tailSide * -30.0f);
    o.outlinedBlob(tailSide * 0.46f, -0.17f, 0.035f, 0.075f, kFurDark, outlinePass,
                   tailSide * 20.0f);
    o.outlinedBlob(-0.11f, -0.03f, 0.1f, 0.045f, kFurDark, outlinePass);
    o.outlinedBlob(0.11f, -0.03f, 0.1f, 0.045f, kFurDark, outlinePass);
    o.outlinedBlob(0.0f, -0.26f, 0.25f, 0.25f, kFur, outlinePass);
    o.outlinedBlob(0.0f, -0.46f, 0.19f, 0.22f, kFur, outlinePass);
    o.outlinedBlob(-0.17f, -0.87f, 0.042f, 0.042f, kFur, outlinePass);
    o.outlinedBlob(0.17f, -0.87f, 0.042f, 0.042f, kFur, outlinePass);
    o.outlinedBlob(0.0f, -0.77f, 0.225f, 0.17f, kFur, outlinePass);
}

void paintFace(OtterLayout& o, bool mouthOpen) {
    o.blob(-0.17f, -0.868f, 0.022f, 0.022f, kFurDark);
    o.blob(0.17f, -0.868f, 0.022f, 0.022f, kFurDark);
    o.blob(-0.06f, -0.85f, 0.09f, 0.04f, kFurLight, -15.0f, 0.0f, 0.55f);
    // Muzzle: two puffy cheeks over a cream chin.
    o.blob(0.0f, -0.695f, 0.12f, 0.075f, kCream);
    o.blob(-0.058f, -0.712f, 0.075f, 0.058f, kCream);
    o.blob(0.058f, -0.712f, 0.075f, 0.058f, kCream);
    o.blob(-0.135f, -0.705f, 0.036f, 0.02f, rgb(236, 130, 130), 0.0f, 0.0f, 0.45f);
    o.blob(0.135f, -0.705f, 0.036f, 0.02f, rgb(236, 130, 130), 0.0f, 0.0f, 0.45f);
    for (float side : {-1.0f, 1.0f}) {
        o.blob(side * 0.08f, -0.8f, 0.031f, 0.038f, kEye);
        o.blob(side * 0.08f - 0.01f, -0.812f, 0.012f, 0.012f, rgb(255, 255, 255));
        for (int k = 0; k < 3; ++k) {
            const float y = -0.715f + k * 0.018f;
            o.stroke(side * 0.1f, y, side * 0.215f, y - 0.02f + k * 0.02f, 0.005f,
                     rgb(235, 220, 196), 0.85f);
        }
    }
    o.blob(0.0f, -0.748f, 0.043f, 0.028f, kNose);
    o.blob(-0.012f, -0.756f, 0.013f, 0.008f, rgb(150, 120, 110));
    o.stroke(0.0f, -0.725f, 0.0f, -0.708f, 0.007f, kNose);
    if (mouthOpen) {
        o.blob(0.0f, -0.69f, 0.04f, 0.026f, rgb(120, 30, 40));
        o.blob(0.0f, -0.68f, 0.022f, 0.012f, rgb(236, 120, 130));
    } else {
        // Two little smile arcs meeting under the nose.
        o.arc(-0.02f, -0.708f, 0.02f, 0.0f, 170.0f, 0.007f, kNose);
        o.arc(0.02f, -0.708f, 0.02f, 10.0f, 180.0f, 0.007f, kNose);
    }
}

}  // namespace

void paintOtter(Painter& painter, const OtterPose& pose) {
    OtterLayout o(painter, pose);
    const float tailSide = pose.tailOnLeft ? -1.0f : 1.0f;
    // The whole silhouette gets one outline: every part grown by the outline width first,
    // then every part in its own colour, so parts merge without inner lines.
    paintSilhouette(o, tailSide, true);
    paintSilhouette(o, tailSide, false);
    o.blob(0.0f, -0.31f, 0.165f, 0.2f, kCream);
    o.blob(0.0f, -0.47f, 0.12f, 0.1f, kCream);
    // Arms lie over the body, so they carry their own outline.
    o.arm(-1.0f, pose.leftArm);
    o.arm(1.0f, pose.rightArm);
    paintFace(o, pose.mouthOpen);
}

}  // namespace assetgen

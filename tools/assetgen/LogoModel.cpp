// LogoModel: the 3D title "ZORBLAT" of the main menu in extruded block letters, and its skin.
#include <cmath>

#include "render/AssetNames.h"
#include "tools/assetgen/Atlas.h"
#include "tools/assetgen/ModelParts.h"
#include "tools/assetgen/Shapes.h"

namespace assetgen {
namespace {

// Skin layout (256 x 256): the letters' fronts, their sides, their backs.
const AtlasCell kFrontCell{0, 0, 256, 160};
const AtlasCell kSideCell{0, 160, 128, 256};
const AtlasCell kBackCell{128, 160, 256, 256};

// Block letters 12 high with 3-unit strokes, drawn in a 10 x 12 box (L is 8 wide). Each is a
// set of convex pieces meeting edge to edge, never at a T, so the extrusion is watertight.
using Piece = std::vector<Vec2>;
using Glyph = std::vector<Piece>;

Piece rect(float x0, float y0, float x1, float y1) {
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

// Corner pieces of a stroke cell with the outer corner cut off.
Piece cutBottomRight(float x0, float y0, float x1, float y1) {
    return {{x0, y0}, {x1 - 1.5f, y0}, {x1, y0 + 1.5f}, {x1, y1}, {x0, y1}};
}
Piece cutTopRight(float x0, float y0, float x1, float y1) {
    return {{x0, y0}, {x1, y0}, {x1, y1 - 1.5f}, {x1 - 1.5f, y1}, {x0, y1}};
}
Piece cutBottomLeft(float x0, float y0, float x1, float y1) {
    return {{x0, y0 + 1.5f}, {x0 + 1.5f, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}
Piece cutTopLeft(float x0, float y0, float x1, float y1) {
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0 + 1.5f, y1}, {x0, y1 - 1.5f}};
}

Glyph letterZ() {
    return {rect(0, 0, 3.6f, 3),
            rect(3.6f, 0, 10, 3),
            rect(0, 9, 6.4f, 12),
            rect(6.4f, 9, 10, 12),
            {{0, 3}, {3.6f, 3}, {10, 9}, {6.4f, 9}}};
}

Glyph letterO() {
    return {cutBottomLeft(0, 0, 3, 3), rect(3, 0, 7, 3),         cutBottomRight(7, 0, 10, 3),
            rect(0, 3, 3, 9),          rect(7, 3, 10, 9),        cutTopLeft(0, 9, 3, 12),
            rect(3, 9, 7, 12),         cutTopRight(7, 9, 10, 12)};
}

Glyph letterR() {
    return {rect(0, 0, 3, 4.5f),
            rect(0, 4.5f, 3, 7),
            rect(0, 7, 3, 9),
            rect(0, 9, 3, 12),
            rect(3, 4.5f, 4, 7),
            rect(4, 4.5f, 7, 7),
            rect(3, 9, 7, 12),
            cutBottomRight(7, 4.5f, 10, 7),
            rect(7, 7, 10, 9),
            cutTopRight(7, 9, 10, 12),
            {{7, 0}, {10, 0}, {7, 4.5f}, {4, 4.5f}}};
}

Glyph letterB() {
    return {rect(0, 0, 3, 3),
            rect(0, 3, 3, 5),
            rect(0, 5, 3, 7.4f),
            rect(0, 7.4f, 3, 9.2f),
            rect(0, 9.2f, 3, 12),
            rect(3, 0, 7, 3),
            rect(3, 5, 7, 7.4f),
            rect(3, 9.2f, 7, 12),
            cutBottomRight(7, 0, 10, 3),
            rect(7, 3, 10, 5),
            rect(7, 5, 10, 7.4f),
            rect(7, 7.4f, 10, 9.2f),
            cutTopRight(7, 9.2f, 10, 12)};
}

Glyph letterL() { return {rect(0, 3, 3, 12), rect(0, 0, 3, 3), rect(3, 0, 8, 3)}; }

Glyph letterA() {
    return {rect(0, 0, 3, 4),        rect(0, 4, 3, 6.5f),       rect(0, 6.5f, 3, 9),
            cutTopLeft(0, 9, 3, 12), rect(7, 0, 10, 4),         rect(7, 4, 10, 6.5f),
            rect(7, 6.5f, 10, 9),    cutTopRight(7, 9, 10, 12), rect(3, 4, 7, 6.5f),
            rect(3, 9, 7, 12)};
}

Glyph letterT() {
    return {rect(0, 9, 3.5f, 12), rect(3.5f, 9, 6.5f, 12), rect(6.5f, 9, 10, 12),
            rect(3.5f, 0, 6.5f, 9)};
}

constexpr float kWidth = 78.8f;  // from the left of Z to the right of T
constexpr float kHeight = 14.0f;
constexpr float kDepth = 4.0f;

Mesh buildLogo(const Canvas& skin) {
    struct Letter {
        Glyph glyph;
        float x, width, tilt, lift;
    };
    // A little bounce: each letter tilts and rises a touch, like a cartoon title.
    const Letter letters[] = {
        {letterZ(), 0.0f, 10.0f, -0.07f, 0.3f},  {letterO(), 11.8f, 10.0f, 0.05f, 1.0f},
        {letterR(), 23.6f, 10.0f, -0.03f, 0.4f}, {letterB(), 35.4f, 10.0f, 0.05f, 1.0f},
        {letterL(), 47.2f, 8.0f, -0.05f, 0.4f},  {letterA(), 57.0f, 10.0f, 0.03f, 1.0f},
        {letterT(), 68.8f, 10.0f, -0.07f, 0.4f},
    };
    const UvRect front = kFrontCell.uv(skin), side = kSideCell.uv(skin);
    const UvRect back = kBackCell.uv(skin);
    Mesh mesh;
    for (const Letter& letter : letters) {
        // Tilt about the letter's centre; the skin uses logo-wide coordinates so the colour
        // gradient runs evenly across all letters.
        const Vec3 centre{letter.width * 0.5f, 6.0f, 0.0f};
        const Transform place = Transform::translation(Vec3{letter.x, letter.lift, 0.0f} + centre) *
                                Transform::rotationZ(letter.tilt) *
                                Transform::translation(centre * -1.0f);
        auto skinMap = [&, place](const Vec3& p, const Vec3& n) {
            const Vec3 q = place.apply(p);
            const float s = q.x / kWidth, t = q.y / kHeight;
            if (n.z > 0.5f) {
                return Vec2{front.u(s), front.v(t)};
            }
            const UvRect& r = n.z < -0.5f ? back : side;
            return Vec2{r.u(s), r.v(t)};
        };
        shapes::addExtrusion(mesh, letter.glyph, -kDepth * 0.5f, kDepth * 0.5f, skinMap, place);
    }
    return mesh;
}

Canvas paintLogoSkin() {
    Canvas skin(256, 256, rgb(200, 80, 20));
    paintCell(skin, kFrontCell, [](float s, float t) {
        // Sunny yellow at the top melting into orange, with a glossy band across the top.
        Rgb c = mix(rgb(255, 120, 20), rgb(255, 226, 60), smoothstep(0.1f, 0.85f, t));
        const float gloss = smoothstep(0.72f, 0.76f, t) * (1.0f - smoothstep(0.8f, 0.84f, t));
        c = mix(c, rgb(255, 250, 210), 0.8f * gloss);
        return scaled(c, 0.97f + 0.03f * valueNoise(s * 32, t * 8, 32, 51));
    });
    paintCell(skin, kSideCell,
              [](float, float t) { return mix(rgb(190, 60, 24), rgb(232, 120, 32), t); });
    paintCell(skin, kBackCell,
              [](float, float t) { return mix(rgb(120, 40, 24), rgb(170, 70, 30), t); });
    return skin;
}

}  // namespace

bool writeLogoModel(const std::string& root) {
    const Canvas skin = paintLogoSkin();
    bool ok = skin.writeBmp(root + "/" + assetnames::inFolder(assetnames::kTitleSkin));
    ok = buildLogo(skin).writeObj(root + "/" + assetnames::inFolder(assetnames::kTitleModel),
                                  "VRK: the title ZORBLAT in block letters") &&
         ok;
    return ok;
}

}  // namespace assetgen

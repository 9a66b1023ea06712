// OtterModel: the upright cartoon otter (full and low detail) and its fur skin.
#include <algorithm>
#include <cmath>

#include "render/AssetNames.h"
#include "tools/assetgen/Atlas.h"
#include "tools/assetgen/ModelParts.h"
#include "tools/assetgen/Shapes.h"

namespace assetgen {
namespace {

// Skin layout (512 x 512); both meshes use the same cells.
const AtlasCell kBodyCell{0, 0, 256, 256};
const AtlasCell kHeadCell{256, 0, 512, 256};
const AtlasCell kTailCell{0, 256, 256, 384};
const AtlasCell kArmCell{256, 256, 384, 384};
const AtlasCell kFootCell{384, 256, 512, 384};
const AtlasCell kSnoutCell{0, 384, 128, 512};
const AtlasCell kNoseCell{128, 384, 192, 448};
const AtlasCell kEyeCell{192, 384, 256, 448};
const AtlasCell kEarCell{128, 448, 192, 512};
const AtlasCell kChinCell{192, 448, 256, 512};

const Rgb kBrown = rgb(134, 84, 46);
const Rgb kDarkBrown = rgb(88, 54, 32);
const Rgb kCream = rgb(242, 218, 172);
const Rgb kPink = rgb(238, 148, 150);
const Rgb kNoseBlack = rgb(44, 30, 28);
const Rgb kEyeBlack = rgb(22, 18, 24);

// Grid sizes per kind of part: large (body, head), medium (limbs, tail, snout), small.
struct Detail {
    int largeU, largeV, mediumU, mediumV, smallU, smallV;
};
const Detail kFull{22, 16, 12, 10, 10, 7};
const Detail kLow{9, 6, 6, 4, 5, 3};

// Remaps an even parameter so rows gather at both ends, where the tubes round off.
float easeEnds(float v) { return 0.5f - 0.5f * std::cos(kPi * v); }

// Radius of a tube of the given length whose ends are rounded over `cap` units.
float roundedEnds(float t, float length, float radius, float cap) {
    const float d = std::min(t, 1.0f - t) * length;
    if (d >= cap) {
        return radius;
    }
    const float k = 1.0f - d / cap;
    return radius * std::sqrt(std::max(0.0f, 1.0f - k * k));
}

Vec3 bezier(const Vec3& a, const Vec3& b, const Vec3& c, float t) {
    return lerp(lerp(a, b, t), lerp(b, c, t), t);
}

void addBody(Mesh& mesh, const Canvas& skin, const Detail& d) {
    // A pear: wide hips low down, narrowing to the neck hidden inside the head.
    shapes::addClosedSurface(
        mesh,
        [](float u, float v) {
            const Vec3 s = shapes::sphereDirection(u, v);
            const float y = 16.5f + s.y * 14.5f;
            const float h = (y - 2.0f) / 29.0f;
            const float taper = 1.06f - 0.5f * std::pow(std::max(h, 0.0f), 2.0f);
            const float belly = 0.8f * std::sin(kPi * v) * std::max(0.0f, s.z);
            return Vec3{s.x * 8.8f * taper, y, s.z * 7.6f * taper + belly - 0.6f};
        },
        d.largeU, d.largeV, kBodyCell.uv(skin));
}

void addHead(Mesh& mesh, const Canvas& skin, const Detail& d, bool whiskers) {
    // A broad, flat otter head with the ears low on its sides.
    shapes::addEllipsoid(mesh, Vec3{0.0f, 32.4f, 0.8f}, Vec3{8.6f, 6.9f, 7.4f}, d.largeU, d.largeV,
                         kHeadCell.uv(skin));
    // Puffy whisker pads, a small chin under them and the nose on top.
    for (float side : {-1.0f, 1.0f}) {
        shapes::addEllipsoid(mesh, Vec3{side * 2.2f, 30.0f, 7.0f}, Vec3{2.9f, 2.4f, 2.9f},
                             d.mediumU, d.mediumV, kSnoutCell.uv(skin));
    }
    shapes::addEllipsoid(mesh, Vec3{0.0f, 28.0f, 6.5f}, Vec3{2.8f, 1.7f, 2.5f}, d.smallU, d.smallV,
                         kChinCell.uv(skin));
    shapes::addEllipsoid(mesh, Vec3{0.0f, 31.9f, 9.2f}, Vec3{2.2f, 1.4f, 1.4f}, d.smallU, d.smallV,
                         kNoseCell.uv(skin));
    for (float side : {-1.0f, 1.0f}) {
        shapes::addEllipsoid(mesh, Vec3{side * 3.6f, 34.6f, 6.3f}, Vec3{1.6f, 1.8f, 1.4f}, d.smallU,
                             d.smallV, kEyeCell.uv(skin));
        const Transform ear = Transform::translation(Vec3{side * 7.4f, 35.6f, -1.8f}) *
                              Transform::rotationZ(-side * 0.7f);
        shapes::addEllipsoid(mesh, Vec3{}, Vec3{1.7f, 1.6f, 1.0f}, d.smallU, d.smallV,
                             kEarCell.uv(skin), ear);
        if (!whiskers) {
            continue;
        }
        // Whiskers: hair-thin tubes, which the outline pass turns into crisp black strokes.
        for (int k = 0; k < 3; ++k) {
            const Vec3 from{side * 3.6f, 30.4f - 0.8f * k, 8.6f};
            const Vec3 to = from + Vec3{side * 5.5f, 1.2f - 1.2f * k, -1.5f};
            auto centre = [=](float v) { return lerp(from, to, v); };
            auto radius = [](float v) { return roundedEnds(v, 6.0f, 0.09f, 0.09f); };
            shapes::addTube(mesh, centre, radius, Vec3{0, 1, 0}, 4, 3, kNoseCell.uv(skin));
        }
    }
}

void addLimbs(Mesh& mesh, const Canvas& skin, const Detail& d) {
    for (float side : {-1.0f, 1.0f}) {
        // Arms hang from the shoulders and fold so the paws meet on the chest.
        const Vec3 shoulder{side * 7.0f, 24.8f, 1.0f};
        const Vec3 elbow{side * 8.4f, 19.0f, 5.0f};
        const Vec3 paw{side * 2.5f, 19.0f, 8.4f};
        auto armCentre = [=](float v) { return bezier(shoulder, elbow, paw, easeEnds(v)); };
        auto armRadius = [](float v) {
            const float t = easeEnds(v);
            const float r = 1.9f - 0.4f * t + 0.6f * smoothstep(0.7f, 0.95f, t);
            return roundedEnds(t, 14.0f, r, 2.0f);
        };
        shapes::addTube(mesh, armCentre, armRadius, Vec3{side, 0.0f, 0.0f}, d.mediumU, d.mediumV,
                        kArmCell.uv(skin));
        // Round haunches carry the body down onto flat webbed feet.
        shapes::addEllipsoid(mesh, Vec3{side * 4.7f, 5.4f, 0.6f}, Vec3{3.6f, 4.4f, 4.0f}, d.mediumU,
                             d.mediumV, kArmCell.uv(skin));
        shapes::addEllipsoid(mesh, Vec3{side * 4.9f, 1.4f, 3.6f}, Vec3{2.9f, 1.4f, 4.4f}, d.mediumU,
                             d.mediumV, kFootCell.uv(skin));
    }
    // A thick tail that reaches the ground behind, like a third foot.
    const Vec3 root{0.0f, 7.5f, -4.5f}, bend{0.0f, 0.8f, -10.0f}, tip{0.0f, 1.6f, -17.0f};
    auto tailCentre = [=](float v) { return bezier(root, bend, tip, easeEnds(v)); };
    auto tailRadius = [](float v) {
        const float t = easeEnds(v);
        return roundedEnds(t, 16.0f, 3.8f - 2.6f * t, 1.6f);
    };
    shapes::addTube(mesh, tailCentre, tailRadius, Vec3{0.0f, 1.0f, 0.0f}, d.mediumU, d.mediumV + 4,
                    kTailCell.uv(skin));
}

Mesh buildOtter(const Canvas& skin, const Detail& d, bool whiskers) {
    Mesh mesh;
    addBody(mesh, skin, d);
    addHead(mesh, skin, d, whiskers);
    addLimbs(mesh, skin, d);
    return mesh;
}

// Fur: streaks along t, a few percent of brightness, tiling around the seam.
Rgb fur(const Rgb& base, float s, float t, uint32_t seed) {
    const float n = valueNoise(s * 48.0f, t * 10.0f, 48, seed);
    const float m = valueNoise(s * 12.0f, t * 4.0f, 12, seed + 7);
    return scaled(base, 0.88f + 0.14f * n + 0.08f * m);
}

Canvas paintOtterSkin() {
    Canvas skin(512, 512, kBrown);
    paintCell(skin, kBodyCell, [](float s, float t) {
        // Cream belly and chest on the front (s = 0.5), widening towards the throat.
        const float width = 0.12f + 0.07f * t;
        const float belly = ellipseMask(s, t, 0.5f, 0.62f, width, 0.55f, 0.15f);
        return fur(mix(kBrown, kCream, belly), s, t, 11);
    });
    paintCell(skin, kHeadCell, [](float s, float t) {
        // Pale cheeks and chin around the snout.
        const float face = std::max(ellipseMask(s, t, 0.5f, 0.3f, 0.2f, 0.24f, 0.25f),
                                    ellipseMask(s, t, 0.5f, 0.0f, 0.5f, 0.22f, 0.3f));
        const Rgb c = mix(kBrown, kCream, face);
        return fur(c, s, t, 12);
    });
    paintCell(skin, kSnoutCell, [](float s, float t) {
        // Whisker dots in rows on the front of each pad.
        Rgb c = kCream;
        for (float row : {0.5f, 0.6f, 0.7f}) {
            for (float col : {0.45f, 0.52f, 0.59f}) {
                c = mix(c, kDarkBrown, ellipseMask(s, t, col, row, 0.012f, 0.022f, 0.3f));
            }
        }
        return scaled(c, 0.96f + 0.04f * valueNoise(s * 16, t * 16, 16, 3));
    });
    paintCell(skin, kChinCell, [](float s, float t) {
        // A little open smile with a pink tongue on the front of the chin.
        const float mouth = ellipseMask(s, t, 0.5f, 0.62f, 0.08f, 0.12f, 0.2f);
        const float tongue = ellipseMask(s, t, 0.5f, 0.56f, 0.05f, 0.07f, 0.3f);
        return mix(mix(kCream, kNoseBlack, mouth), kPink, tongue);
    });
    paintCell(skin, kNoseCell, [](float s, float t) {
        return mix(kNoseBlack, rgb(150, 130, 130),
                   ellipseMask(s, t, 0.47f, 0.72f, 0.06f, 0.08f, 0.4f));
    });
    paintCell(skin, kEyeCell, [](float s, float t) {
        const float glint = std::max(ellipseMask(s, t, 0.45f, 0.66f, 0.05f, 0.09f, 0.3f),
                                     ellipseMask(s, t, 0.53f, 0.56f, 0.02f, 0.04f, 0.4f));
        return mix(kEyeBlack, rgb(250, 250, 246), glint);
    });
    paintCell(skin, kEarCell, [](float s, float t) {
        return mix(fur(kBrown, s, t, 13), kPink, ellipseMask(s, t, 0.5f, 0.5f, 0.13f, 0.3f, 0.3f));
    });
    paintCell(skin, kArmCell, [](float s, float t) {
        return fur(mix(kBrown, kDarkBrown, smoothstep(0.8f, 0.9f, t)), s, t, 14);
    });
    paintCell(skin, kFootCell, [](float s, float t) {
        // Toes: three darker grooves across the front.
        float toes = 0.0f;
        for (float g : {0.44f, 0.5f, 0.56f}) {
            toes = std::max(toes, ellipseMask(s, t, g, 0.55f, 0.006f, 0.12f, 0.5f));
        }
        return fur(mix(kDarkBrown, scaled(kDarkBrown, 0.6f), toes), s, t, 15);
    });
    paintCell(skin, kTailCell, [](float s, float t) {
        return fur(mix(kBrown, kDarkBrown, smoothstep(0.6f, 0.95f, t)), s, t, 16);
    });
    return skin;
}

}  // namespace

bool writeOtterModels(const std::string& root) {
    const Canvas skin = paintOtterSkin();
    bool ok = skin.writeBmp(root + "/" + assetnames::inFolder(assetnames::kOtterSkin));
    ok = buildOtter(skin, kFull, true)
             .writeObj(root + "/" + assetnames::inFolder(assetnames::kOtterModel),
                       "loutre: upright otter") &&
         ok;
    ok = buildOtter(skin, kLow, false)
             .writeObj(root + "/" + assetnames::inFolder(assetnames::kLowOtterModel),
                       "loutre_low: the otter in few triangles") &&
         ok;
    return ok;
}

}  // namespace assetgen

// WeaponModel: the player's cartoon blaster (barrel along +z, muzzle at (0, 7, 17)) and skin.
#include <algorithm>
#include <cmath>

#include "render/AssetNames.h"
#include "tools/assetgen/Atlas.h"
#include "tools/assetgen/ModelParts.h"
#include "tools/assetgen/Shapes.h"

namespace assetgen {
namespace {

// Skin layout (256 x 256).
const AtlasCell kBodyCell{0, 0, 128, 128};
const AtlasCell kTealCell{128, 0, 192, 64};
const AtlasCell kMetalCell{192, 0, 256, 64};
const AtlasCell kGripCell{128, 64, 192, 128};
const AtlasCell kCoilCell{192, 64, 256, 128};
const AtlasCell kMuzzleCell{0, 128, 64, 192};

const Rgb kOrange = rgb(255, 132, 28);
const Rgb kTeal = rgb(28, 186, 176);
const Rgb kMetal = rgb(172, 182, 194);
const Rgb kGrip = rgb(64, 52, 66);

// The muzzle's centre: where the game draws the flash, so it must stay exactly there once
// the model is recentred (z from -17 to 17, standing on y = 0).
constexpr float kAxisY = 7.0f;
constexpr float kMuzzleZ = 17.0f;

// Turns a part built around +Y into one along +Z (the barrel direction); its u = 0.5 side
// then faces up, towards the player's eye, and the seam faces down.
const Transform kAlongZ = Transform::rotationZ(kPi) * Transform::rotationX(kPi * 0.5f);

// Planar mapping of a flat part into one cell.
shapes::SkinMap planar(const UvRect& r, float size) {
    return [r, size](const Vec3& p, const Vec3&) {
        const float s = std::clamp(0.5f + p.x / size, 0.0f, 1.0f);
        const float t = std::clamp(0.5f + p.y / size, 0.0f, 1.0f);
        return Vec2{r.u(s), r.v(t)};
    };
}

// A flat side-view outline (z, y) given thickness across x.
void addSideShape(Mesh& mesh, const std::vector<Vec2>& outline, float halfWidth,
                  const UvRect& skin) {
    shapes::addExtrusion(mesh, {outline}, -halfWidth, halfWidth, planar(skin, 24.0f),
                         Transform::rotationY(-kPi * 0.5f));
}

// The gun is drawn in eye space with the eye 15 above its base and 2 behind its z = 0, so a
// point (x, y, z) shows only above the line y = 13 - z (the bottom of a 90 degree view). The
// rear is kept under that line and the bulk sits forward, far enough from the eye to stay
// modest on screen; the grip and stock exist for the silhouette but are never seen in play.
float bodyRadius(float t) {
    // A teardrop: fat two thirds of the way forward, a slim tail where the eye is close.
    // sin(pi) rounds to a hair below zero: clamped, or the tip's power would be NaN.
    return 3.2f * std::pow(std::max(0.0f, std::sin(kPi * std::pow(t, 1.45f))), 0.8f);
}

Mesh buildWeapon(const Canvas& skin) {
    Mesh mesh;
    const UvRect body = kBodyCell.uv(skin), teal = kTealCell.uv(skin);
    const UvRect metal = kMetalCell.uv(skin), grip = kGripCell.uv(skin);
    const UvRect glass = kCoilCell.uv(skin);
    // Chunky housing rising from a slim low tail to the barrel; flattened a little across.
    shapes::addTube(
        mesh,
        [](float t) {
            return Vec3{0.0f, 4.4f + 2.6f * t, 2.0f + 10.5f * t};
        },
        bodyRadius, Vec3{0.0f, 1.0f, 0.0f}, 20, 24, body,
        Transform::scaling(Vec3{0.8f, 1.0f, 1.0f}));
    // Barrel, three glowing energy coils and the flared muzzle ring.
    const Transform onAxis = Transform::translation(Vec3{0.0f, kAxisY, 0.0f}) * kAlongZ;
    shapes::addCylinder(mesh, Vec3{0.0f, 9.0f, 0.0f}, 6.0f, 1.9f, 1.9f, 16, metal, metal, onAxis);
    for (float z : {11.0f, 12.4f, 13.8f}) {
        shapes::addCylinder(mesh, Vec3{0.0f, z, 0.0f}, 1.0f, 2.6f, 2.6f, 16, glass, glass, onAxis);
    }
    shapes::addCylinder(mesh, Vec3{0.0f, 14.9f, 0.0f}, kMuzzleZ - 14.9f, 2.4f, 3.4f, 16, teal,
                        kMuzzleCell.uv(skin), onAxis);
    // Front sight on the muzzle ring and rear sight on the housing: what the eye lines up.
    addSideShape(mesh, {{15.2f, 9.4f}, {16.6f, 9.4f}, {16.2f, 11.6f}, {15.6f, 11.6f}}, 0.5f, teal);
    addSideShape(mesh, {{8.0f, 8.7f}, {9.8f, 9.0f}, {9.5f, 10.2f}, {8.4f, 10.2f}}, 0.35f, teal);
    // Grip slanting back, trigger and guard.
    addSideShape(mesh, {{1.5f, 0.0f}, {5.0f, 0.0f}, {7.5f, 4.4f}, {4.0f, 4.4f}}, 1.5f, grip);
    addSideShape(mesh, {{6.6f, 2.6f}, {7.4f, 2.6f}, {7.8f, 4.6f}, {6.8f, 4.6f}}, 0.45f, metal);
    addSideShape(mesh, {{4.6f, 1.4f}, {9.6f, 1.4f}, {9.6f, 2.2f}, {4.9f, 2.2f}}, 0.6f, grip);
    addSideShape(mesh, {{8.8f, 1.4f}, {9.6f, 1.4f}, {9.6f, 4.6f}, {8.8f, 4.6f}}, 0.6f, grip);
    // Slim skeleton stock; its butt plate at z = -17 balances the muzzle, so the loader's
    // recentring (on the middle of the z extent) leaves the muzzle at z = 17.
    addSideShape(mesh, {{-16.0f, 4.0f}, {3.0f, 4.6f}, {3.0f, 5.8f}, {-16.0f, 5.4f}}, 0.9f, teal);
    addSideShape(mesh, {{-15.0f, 0.6f}, {-13.6f, 0.6f}, {2.4f, 3.8f}, {2.4f, 4.8f}}, 0.8f, teal);
    addSideShape(mesh, {{-17.0f, 0.6f}, {-15.0f, 0.6f}, {-15.0f, 5.8f}, {-17.0f, 5.8f}}, 1.3f,
                 grip);
    return mesh;
}

Canvas paintWeaponSkin() {
    Canvas skin(256, 256, kGrip);
    paintCell(skin, kBodyCell, [](float s, float t) {
        // Orange plastic with a white racing stripe along the top (u = 0.5 faces up).
        const float stripe = std::fabs(s - 0.5f) < 0.025f ? 1.0f : 0.0f;
        const float panel = std::fabs(t - 0.55f) < 0.012f ? 0.8f : 1.0f;
        const Rgb c = mix(kOrange, rgb(255, 246, 232), stripe);
        return scaled(c, panel * (0.95f + 0.05f * valueNoise(s * 8, t * 8, 8, 41)));
    });
    paintCell(skin, kTealCell, [](float s, float t) {
        return scaled(kTeal, 0.92f + 0.08f * valueNoise(s * 8, t * 8, 8, 42));
    });
    paintCell(skin, kMetalCell, [](float s, float t) {
        // Brushed metal: fine streaks along the barrel.
        return scaled(kMetal, 0.88f + 0.12f * valueNoise(s * 64, t * 4, 64, 43));
    });
    paintCell(skin, kGripCell, [](float s, float t) {
        const bool ridge = std::fmod(t * 10.0f, 1.0f) < 0.25f;
        return scaled(kGrip, ridge ? 0.75f : 1.0f + 0.0f * s);
    });
    paintCell(skin, kCoilCell, [](float s, float t) {
        // Bright green glass bands, so the glow pass picks them out.
        const float shine = smoothstep(0.6f, 0.9f, 1.0f - std::fabs(s - 0.5f) * 2.0f);
        return mix(rgb(110, 250, 90), rgb(220, 255, 190), shine * (0.6f + 0.4f * t));
    });
    paintCell(skin, kMuzzleCell, [](float s, float t) {
        // The muzzle's face: a dark bore inside a teal rim.
        const float bore = ellipseMask(s, t, 0.5f, 0.5f, 0.3f, 0.3f, 0.1f);
        return mix(kTeal, rgb(34, 30, 40), bore);
    });
    return skin;
}

}  // namespace

bool writeWeaponModel(const std::string& root) {
    const Canvas skin = paintWeaponSkin();
    bool ok = skin.writeBmp(root + "/" + assetnames::inFolder(assetnames::kWeaponSkin));
    ok = buildWeapon(skin).writeObj(root + "/" + assetnames::inFolder(assetnames::kWeaponModel),
                                    "arme: blaster, barrel along +z, muzzle at (0, 7, 17)") &&
         ok;
    return ok;
}

}  // namespace assetgen

// WeaponModel: the player's cartoon blaster (barrel along +z, muzzle at (0, 7, 17)) and skin.
#include <algorithm>
#include <cmath>

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

Mesh buildWeapon(const Canvas& skin) {
    Mesh mesh;
    const UvRect body = kBodyCell.uv(skin), teal = kTealCell.uv(skin);
    const UvRect metal = kMetalCell.uv(skin), grip = kGripCell.uv(skin);
    // Bulbous housing from the very back to under the coils.
    shapes::addEllipsoid(mesh, Vec3{0.0f, 0.0f, 0.0f}, Vec3{4.4f, 13.5f, 4.2f}, 20, 14, body,
                         Transform::translation(Vec3{0.0f, 8.2f, -3.5f}) * kAlongZ);
    // Barrel, three glowing energy coils and the flared muzzle ring. Everything in front of
    // the player's eye stays low: the eye is 15 units above the grip, just over the gun.
    const UvRect glass = kCoilCell.uv(skin);
    shapes::addCylinder(mesh, Vec3{0.0f, 6.0f, 0.0f}, 9.5f, 2.1f, 2.1f, 16, metal, metal,
                        Transform::translation(Vec3{0.0f, kAxisY, 0.0f}) * kAlongZ);
    for (float z : {8.0f, 10.4f, 12.8f}) {
        shapes::addCylinder(mesh, Vec3{0.0f, z, 0.0f}, 1.3f, 3.0f, 3.0f, 16, glass, teal,
                            Transform::translation(Vec3{0.0f, kAxisY, 0.0f}) * kAlongZ);
    }
    shapes::addCylinder(mesh, Vec3{0.0f, 14.6f, 0.0f}, kMuzzleZ - 14.6f, 2.8f, 3.6f, 16, teal,
                        kMuzzleCell.uv(skin),
                        Transform::translation(Vec3{0.0f, kAxisY, 0.0f}) * kAlongZ);
    // Front sight on the muzzle ring.
    addSideShape(mesh, {{14.8f, 10.0f}, {16.6f, 10.0f}, {16.2f, 12.0f}, {15.4f, 12.0f}}, 0.6f,
                 teal);
    // Grip slanting back, trigger and guard, a fin under the barrel.
    addSideShape(mesh, {{-11.5f, 0.0f}, {-6.5f, 0.0f}, {-3.8f, 7.0f}, {-8.8f, 7.0f}}, 1.9f, grip);
    addSideShape(mesh, {{-2.6f, 3.2f}, {-1.6f, 3.2f}, {-1.2f, 6.0f}, {-2.4f, 6.0f}}, 0.5f, metal);
    addSideShape(mesh, {{-6.2f, 1.6f}, {1.2f, 1.6f}, {1.2f, 2.6f}, {-5.8f, 2.6f}}, 0.7f, grip);
    addSideShape(mesh, {{0.2f, 1.6f}, {1.2f, 1.6f}, {1.2f, 5.6f}, {0.2f, 5.6f}}, 0.7f, grip);
    addSideShape(mesh, {{4.0f, 4.4f}, {11.0f, 4.4f}, {10.0f, 2.6f}, {5.5f, 2.6f}}, 0.8f, teal);
    // Side fins at the back for the toy look.
    for (float side : {-1.0f, 1.0f}) {
        shapes::addBox(mesh, Vec3{side > 0 ? 3.6f : -6.6f, 7.2f, -14.0f},
                       Vec3{side > 0 ? 6.6f : -3.6f, 8.6f, -7.0f}, {teal, teal, teal});
    }
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
    bool ok = skin.writeBmp(root + "/textures/arme.bmp");
    ok = buildWeapon(skin).writeObj(root + "/models/arme.obj",
                                    "arme: blaster, barrel along +z, muzzle at (0, 7, 17)") &&
         ok;
    return ok;
}

}  // namespace assetgen

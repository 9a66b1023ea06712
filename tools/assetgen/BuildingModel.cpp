// BuildingModel: the stepped brick tower in the middle of the arena and its window skin.
#include <algorithm>
#include <cmath>

#include "render/AssetNames.h"
#include "tools/assetgen/Atlas.h"
#include "tools/assetgen/ModelParts.h"
#include "tools/assetgen/Shapes.h"

namespace assetgen {
namespace {

// Skin layout (512 x 512). The wall cell holds one full window grid that every tower section
// shows a centred part of, so windows line up and are never cut at a corner.
const AtlasCell kWallCell{0, 0, 160, 512, 2.0f};
const AtlasCell kCornerCell{160, 0, 208, 512, 2.0f};
const AtlasCell kLobbyCell{208, 0, 512, 110};
const AtlasCell kRoofCell{208, 110, 336, 238};
const AtlasCell kStoneCell{336, 110, 400, 174};
const AtlasCell kDarkStoneCell{400, 110, 464, 174};
const AtlasCell kMetalCell{336, 174, 400, 238};
const AtlasCell kTankCell{400, 174, 464, 238};
const AtlasCell kLampCell{464, 110, 512, 158};
const AtlasCell kTarCell{464, 158, 512, 206};

// The wall grid in world units: bays 25 wide, floors 28 high, 6 bays by 16 floors.
constexpr float kBay = 25.0f;
constexpr float kFloor = 28.0f;
constexpr float kWallWidth = 150.0f;
constexpr float kWallHeight = 448.0f;

const Rgb kBrick = rgb(160, 70, 56);
const Rgb kTrim = rgb(238, 222, 188);
const Rgb kStone = rgb(214, 202, 178);
const Rgb kDarkStone = rgb(128, 116, 110);

// A square footprint with its corners cut at 45 degrees: half width h, straight sides 2 f
// long. Keeping the corners in means a player held at a fixed distance from the centre never
// walks into a corner.
std::vector<Vec2> octagon(float h, float f) {
    return {{h, -f}, {h, f}, {f, h}, {-f, h}, {-h, f}, {-h, -f}, {-f, -h}, {f, -h}};
}

UvRect subRect(const UvRect& r, float s0, float s1, float t0, float t1) {
    UvRect out = r;
    out.x0 = r.x0 + s0 * (r.x1 - r.x0);
    out.x1 = r.x0 + s1 * (r.x1 - r.x0);
    out.y1 = r.y1 - t0 * (r.y1 - r.y0);
    out.y0 = r.y1 - t1 * (r.y1 - r.y0);
    return out;
}

// One tower section: windows on the straight sides, a column of small windows on the cut
// corners. floorOffset picks which floors of the wall grid this section shows.
void addSection(Mesh& mesh, const Canvas& skin, float half, float straight, float y0, float y1,
                float floorOffset) {
    const UvRect wall = kWallCell.uv(skin), corner = kCornerCell.uv(skin);
    const float s0 = 0.5f - straight / kWallWidth, s1 = 0.5f + straight / kWallWidth;
    const float t0 = floorOffset / kWallHeight, t1 = (floorOffset + y1 - y0) / kWallHeight;
    shapes::addPrism(
        mesh, octagon(half, straight), y0, y1,
        [&](int side) {
            return side % 2 == 0 ? subRect(wall, s0, s1, t0, t1) : subRect(corner, 0, 1, t0, t1);
        },
        kRoofCell.uv(skin));
}

// A plain slab (plinth, cornice, roof edge) in one material.
void addSlab(Mesh& mesh, const Canvas& skin, float half, float y0, float y1,
             const AtlasCell& sides) {
    const UvRect side = sides.uv(skin);
    shapes::addPrism(
        mesh, octagon(half, half * 0.6f), y0, y1, [&](int) { return side; }, kRoofCell.uv(skin));
}

void addRoofDetails(Mesh& mesh, const Canvas& skin, float roof) {
    const UvRect metal = kMetalCell.uv(skin), tank = kTankCell.uv(skin);
    const UvRect tar = kTarCell.uv(skin), lamp = kLampCell.uv(skin);
    // Water tank on four legs.
    for (float x : {-38.0f, -14.0f}) {
        for (float z : {4.0f, 28.0f}) {
            shapes::addBox(mesh, Vec3{x - 1.5f, roof - 1.0f, z - 1.5f},
                           Vec3{x + 1.5f, roof + 14.0f, z + 1.5f}, {metal, metal, metal});
        }
    }
    shapes::addCylinder(mesh, Vec3{-26.0f, roof + 12.0f, 16.0f}, 26.0f, 16.0f, 16.0f, 16, tank,
                        tar);
    shapes::addCylinder(mesh, Vec3{-26.0f, roof + 37.0f, 16.0f}, 10.0f, 18.0f, 1.5f, 16, tar, tar);
    // Air conditioning boxes and a lift machine room.
    shapes::addBox(mesh, Vec3{8.0f, roof - 1.0f, -40.0f}, Vec3{40.0f, roof + 12.0f, -18.0f},
                   {metal, tar, tar});
    shapes::addBox(mesh, Vec3{-44.0f, roof - 1.0f, -44.0f}, Vec3{-12.0f, roof + 22.0f, -14.0f},
                   {kStoneCell.uv(skin), tar, tar});
    // Antenna mast with a warning lamp on top.
    shapes::addCylinder(mesh, Vec3{24.0f, roof - 1.0f, 24.0f}, 84.0f, 3.0f, 1.2f, 8, metal, metal);
    shapes::addEllipsoid(mesh, Vec3{24.0f, roof + 86.0f, 24.0f}, Vec3{4.0f, 4.0f, 4.0f}, 10, 6,
                         lamp);
}

Mesh buildBuilding(const Canvas& skin) {
    Mesh mesh;
    // Sections overlap by a unit or two so no two faces share a plane.
    addSlab(mesh, skin, 150.0f, 0.0f, 12.0f, kDarkStoneCell);
    shapes::addPrism(
        mesh, octagon(140.0f, 84.0f), 11.0f, 72.0f,
        [&](int side) {
            const UvRect lobby = kLobbyCell.uv(skin);
            return side % 2 == 0 ? lobby : subRect(lobby, 0.25f, 0.75f, 0.0f, 1.0f);
        },
        kRoofCell.uv(skin));
    addSlab(mesh, skin, 146.0f, 70.0f, 78.0f, kStoneCell);
    addSection(mesh, skin, 125.0f, 75.0f, 77.0f, 525.0f, 0.0f);
    addSlab(mesh, skin, 132.0f, 523.0f, 531.0f, kStoneCell);
    addSection(mesh, skin, 90.0f, 50.0f, 530.0f, 765.0f, 5.0f * kFloor);
    addSlab(mesh, skin, 97.0f, 763.0f, 771.0f, kStoneCell);
    addSection(mesh, skin, 60.0f, 25.0f, 770.0f, 866.0f, 11.0f * kFloor);
    addSlab(mesh, skin, 64.0f, 864.0f, 873.0f, kStoneCell);
    // Machinery on the ledges of the setbacks.
    const UvRect metal = kMetalCell.uv(skin), tar = kTarCell.uv(skin);
    shapes::addBox(mesh, Vec3{98.0f, 530.0f, -20.0f}, Vec3{118.0f, 542.0f, 20.0f},
                   {metal, tar, tar});
    shapes::addBox(mesh, Vec3{-20.0f, 530.0f, -118.0f}, Vec3{20.0f, 540.0f, -100.0f},
                   {metal, tar, tar});
    shapes::addBox(mesh, Vec3{-86.0f, 770.0f, -12.0f}, Vec3{-70.0f, 780.0f, 12.0f},
                   {metal, tar, tar});
    addRoofDetails(mesh, skin, 873.0f);
    return mesh;
}

// Deterministic per-window choice in [0, 1).
float windowHash(int bay, int floor, uint32_t seed) {
    uint32_t h = uint32_t(bay) * 73856093u ^ uint32_t(floor) * 19349663u ^ seed * 83492791u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return float((h ^ (h >> 16)) & 0xffff) / 65536.0f;
}

// Lit windows are bright and saturated: the glow pass makes them shine at night.
Rgb windowColour(float choice, float fy) {
    if (choice < 0.5f) {
        return mix(rgb(255, 232, 92), rgb(255, 204, 40), fy);
    }
    if (choice < 0.66f) {
        return mix(rgb(255, 178, 64), rgb(250, 140, 40), fy);
    }
    // Dark window with a pale reflection streak.
    return fy > 0.55f && fy < 0.7f ? rgb(96, 116, 150) : rgb(44, 54, 86);
}

Rgb wallPaint(float s, float t) {
    const float x = s * kWallWidth, y = t * kWallHeight;
    const int bay = int(std::floor(x / kBay)), floor = int(std::floor(y / kFloor));
    const float fx = x / kBay - bay, fy = y / kFloor - floor;
    const float grain = 0.92f + 0.08f * valueNoise(s * 40.0f, t * 120.0f, 40, 21);
    Rgb c = scaled(kBrick, grain);
    if (fy < 0.1f) {
        c = scaled(kTrim, 0.9f);  // floor band
    }
    const bool frame = fx > 0.2f && fx < 0.8f && fy > 0.24f && fy < 0.84f;
    const bool pane = fx > 0.25f && fx < 0.75f && fy > 0.3f && fy < 0.8f;
    if (frame) {
        c = kTrim;
    }
    if (pane) {
        c = windowColour(windowHash(bay, floor, 5), (fy - 0.3f) / 0.5f);
        if (std::fabs(fx - 0.5f) < 0.025f) {
            c = kTrim;  // mullion
        }
    }
    return c;
}

Rgb cornerPaint(float s, float t) {
    const float y = t * kWallHeight;
    const int floor = int(std::floor(y / kFloor));
    const float fy = y / kFloor - floor;
    Rgb c = scaled(kStone, 0.9f + 0.1f * valueNoise(s * 8.0f, t * 64.0f, 8, 22));
    if (std::fabs(s - 0.5f) < 0.16f && fy > 0.3f && fy < 0.78f) {
        c = windowColour(windowHash(floor, 99, 6), (fy - 0.3f) / 0.48f);
    }
    if (s < 0.06f || s > 0.94f) {
        c = scaled(kStone, 0.8f);  // pilaster edges
    }
    return c;
}

Rgb lobbyPaint(float s, float t) {
    const float x = s * 168.0f, y = t * 61.0f;
    if (y < 5.0f) {
        return kDarkStone;
    }
    if (y > 53.0f) {
        return kStone;
    }
    if (y > 42.0f) {
        // Striped awning over the shop windows.
        return int(std::floor(x / 10.0f)) % 2 == 0 ? rgb(214, 48, 52) : rgb(246, 238, 226);
    }
    const float pier = std::fmod(x, 28.0f);
    if (pier < 4.0f) {
        return kStone;
    }
    if (x > 72.0f && x < 96.0f && y < 36.0f) {
        // Double door with a lit fanlight.
        if (std::fabs(x - 84.0f) < 0.8f || x < 73.5f || x > 94.5f) {
            return kDarkStone;
        }
        return y > 30.0f ? rgb(255, 226, 120) : rgb(96, 62, 44);
    }
    return mix(rgb(255, 236, 150), rgb(255, 200, 90), (y - 5.0f) / 37.0f);
}

Canvas paintBuildingSkin() {
    Canvas skin(512, 512, kDarkStone);
    paintCell(skin, kWallCell, wallPaint);
    paintCell(skin, kCornerCell, cornerPaint);
    paintCell(skin, kLobbyCell, lobbyPaint);
    paintCell(skin, kRoofCell, [](float s, float t) {
        const float gravel = valueNoise(s * 64.0f, t * 64.0f, 64, 31);
        const float edge = std::min({s, t, 1.0f - s, 1.0f - t});
        return edge < 0.03f ? kStone : scaled(rgb(150, 146, 140), 0.85f + 0.2f * gravel);
    });
    paintCell(skin, kStoneCell, [](float s, float t) {
        const float line = std::fabs(t - 0.5f) < 0.05f ? 0.85f : 1.0f;
        return scaled(kStone, line * (0.94f + 0.06f * valueNoise(s * 16, t * 4, 16, 32)));
    });
    paintCell(skin, kDarkStoneCell, [](float s, float t) {
        return scaled(kDarkStone, 0.9f + 0.1f * valueNoise(s * 16, t * 4, 16, 33));
    });
    paintCell(skin, kMetalCell, [](float s, float t) {
        const float ribs = 0.9f + 0.1f * std::cos(s * 40.0f);
        return scaled(rgb(170, 178, 186), ribs * (0.95f + 0.05f * t));
    });
    paintCell(skin, kTankCell, [](float s, float t) {
        const bool hoop = std::fabs(std::fmod(t * 4.0f, 1.0f) - 0.5f) < 0.05f;
        const float plank = 0.9f + 0.1f * std::cos(s * 150.0f);
        return hoop ? rgb(70, 66, 70) : scaled(rgb(168, 112, 66), plank);
    });
    paintCell(skin, kLampCell, [](float, float) { return rgb(255, 60, 40); });
    paintCell(skin, kTarCell, [](float s, float t) {
        return scaled(rgb(86, 82, 88), 0.9f + 0.1f * valueNoise(s * 8, t * 8, 8, 34));
    });
    return skin;
}

}  // namespace

bool writeBuildingModel(const std::string& root) {
    const Canvas skin = paintBuildingSkin();
    bool ok = skin.writeBmp(root + "/" + assetnames::inFolder(assetnames::kBuildingSkin));
    ok = buildBuilding(skin).writeObj(root + "/" + assetnames::inFolder(assetnames::kBuildingModel),
                                      "immeuble: stepped tower, 300 wide") &&
         ok;
    return ok;
}

}  // namespace assetgen

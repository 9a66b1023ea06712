// ModelAssets: the generated OBJ models and skins keep the format, shape and size the game needs.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <numeric>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/BmpFile.h"

namespace {

struct Point {
    double x = 0, y = 0, z = 0;
};
Point operator-(const Point& a, const Point& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Point cross(const Point& a, const Point& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double dot(const Point& a, const Point& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double length(const Point& a) { return std::sqrt(dot(a, a)); }

// One corner of a face: 0-based position, texture-coordinate and normal indices.
struct Corner {
    int position = -1, texCoord = -1, normal = -1;
};

// An OBJ file read strictly: anything outside the subset the game's reader handles is a
// format error, reported with its line number.
struct ObjMesh {
    std::vector<Point> positions, normals;
    std::vector<std::pair<double, double>> texCoords;
    std::vector<std::array<Corner, 3>> faces;
    std::vector<std::string> errors;
    bool opened = false;

    // Position indices welded by exact coordinates (as the text gives them).
    std::vector<int> weldedPositions() const {
        std::map<std::tuple<double, double, double>, int> ids;
        std::vector<int> out;
        for (const Point& p : positions) {
            out.push_back(
                ids.emplace(std::make_tuple(p.x, p.y, p.z), int(ids.size())).first->second);
        }
        return out;
    }
    Point corner(size_t face, int k) const { return positions[faces[face][k].position]; }
    Point faceNormal(size_t face) const {
        return cross(corner(face, 1) - corner(face, 0), corner(face, 2) - corner(face, 0));
    }
};

bool parseCorner(const std::string& text, Corner& c) {
    int p, t, n;
    char tail;
    if (std::sscanf(text.c_str(), "%d/%d/%d%c", &p, &t, &n, &tail) != 3) {
        return false;
    }
    c = Corner{p - 1, t - 1, n - 1};
    return true;
}

ObjMesh readObj(const std::string& path) {
    ObjMesh mesh;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return mesh;
    }
    mesh.opened = true;
    std::string line;
    int number = 0;
    bool seenFace = false;
    auto fail = [&](const std::string& why) {
        mesh.errors.push_back("line " + std::to_string(number) + ": " + why);
    };
    while (std::getline(in, line)) {
        ++number;
        // The reader takes the rest of a line in 99-character pieces.
        if (line.size() > 98) {
            fail("longer than 98 characters");
        }
        if (!line.empty() && line.back() == '\r') {
            fail("CR line end");
        }
        std::istringstream words(line);
        std::string kind;
        words >> kind;
        if (kind.empty() || kind[0] == '#') {
            continue;
        }
        if (kind == "f") {
            seenFace = true;
            std::array<Corner, 3> face;
            std::string extra;
            bool ok = true;
            for (Corner& c : face) {
                std::string text;
                ok = ok && (words >> text) && parseCorner(text, c);
            }
            if (!ok || (words >> extra)) {
                fail("not a triangle with three p/t/n corners");
                continue;
            }
            mesh.faces.push_back(face);
            continue;
        }
        if (seenFace && (kind == "v" || kind == "vt" || kind == "vn")) {
            fail(kind + " after the first face");
        }
        double a, b, c;
        if (kind == "v" && (words >> a >> b >> c)) {
            mesh.positions.push_back({a, b, c});
        } else if (kind == "vn" && (words >> a >> b >> c)) {
            mesh.normals.push_back({a, b, c});
        } else if (kind == "vt" && (words >> a >> b)) {
            mesh.texCoords.push_back({a, b});
        } else {
            fail("unexpected line '" + line + "'");
        }
    }
    for (size_t f = 0; f < mesh.faces.size(); ++f) {
        for (const Corner& c : mesh.faces[f]) {
            if (c.position < 0 || c.position >= int(mesh.positions.size()) || c.texCoord < 0 ||
                c.texCoord >= int(mesh.texCoords.size()) || c.normal < 0 ||
                c.normal >= int(mesh.normals.size())) {
                mesh.errors.push_back("face " + std::to_string(f) + " index out of range");
            }
        }
    }
    return mesh;
}

// The box of the model once the game has recentred it: standing on y = 0, centred on Y.
struct Extent {
    Point low, high;
    Point offset;
    double width() const { return high.x - low.x; }
    double height() const { return high.y - low.y; }
    double depth() const { return high.z - low.z; }
};

Extent extentOf(const ObjMesh& mesh) {
    Extent e;
    e.low = {1e30, 1e30, 1e30};
    e.high = {-1e30, -1e30, -1e30};
    for (size_t f = 0; f < mesh.faces.size(); ++f) {
        for (int k = 0; k < 3; ++k) {
            const Point p = mesh.corner(f, k);
            e.low = {std::min(e.low.x, p.x), std::min(e.low.y, p.y), std::min(e.low.z, p.z)};
            e.high = {std::max(e.high.x, p.x), std::max(e.high.y, p.y), std::max(e.high.z, p.z)};
        }
    }
    e.offset = {-(e.low.x + e.high.x) / 2, -e.low.y, -(e.low.z + e.high.z) / 2};
    return e;
}

Point recentred(const Extent& e, const Point& p) {
    return {p.x + e.offset.x, p.y + e.offset.y, p.z + e.offset.z};
}

const char* const kModels[] = {"loutre", "loutre_low", "immeuble", "arme", "VRK"};

std::string modelPath(const std::string& name) { return "ressources/models/" + name + ".obj"; }

class EveryModel : public ::testing::TestWithParam<const char*> {};

TEST_P(EveryModel, IsReadableClosedAndFacesOutwards) {
    const ObjMesh mesh = readObj(modelPath(GetParam()));
    ASSERT_TRUE(mesh.opened) << modelPath(GetParam()) << " was not generated";
    ASSERT_FALSE(mesh.faces.empty());
    // Vertex data before any face (the reader picks the face pattern from what it has seen),
    // triangles with position/texture/normal on every corner, all indices in range.
    for (const std::string& error : mesh.errors) {
        ADD_FAILURE() << error;
    }
    // Skins are clamped: coordinates outside [0, 1] would smear the atlas border.
    for (const auto& [u, v] : mesh.texCoords) {
        EXPECT_TRUE(u >= 0.0 && u <= 1.0 && v >= 0.0 && v <= 1.0) << u << ", " << v;
    }
    // The outline is drawn from back faces: a hole or a flipped triangle shows as a gap or a
    // stray line. Closed parts may overlap; each edge must be matched by one running back.
    const std::vector<int> weld = mesh.weldedPositions();
    std::map<std::pair<int, int>, int> directed;
    for (const auto& face : mesh.faces) {
        for (int k = 0; k < 3; ++k) {
            const int a = weld[face[k].position], b = weld[face[(k + 1) % 3].position];
            EXPECT_NE(a, b) << "degenerate triangle";
            ++directed[{a, b}];
        }
    }
    int unmatched = 0;
    for (const auto& [edge, count] : directed) {
        auto back = directed.find({edge.second, edge.first});
        unmatched += back == directed.end() || back->second != count ? 1 : 0;
    }
    EXPECT_EQ(unmatched, 0) << "open or inconsistently wound edges";
    // Each connected part encloses a positive volume when its triangles are counter-clockwise
    // seen from outside: a part turned inside out with its normals passes the checks above.
    std::vector<int> parent(weld.size());
    std::iota(parent.begin(), parent.end(), 0);
    auto root = [&](int i) {
        while (parent[i] != i) {
            i = parent[i] = parent[parent[i]];
        }
        return i;
    };
    for (const auto& face : mesh.faces) {
        for (int k = 1; k < 3; ++k) {
            parent[root(weld[face[k].position])] = root(weld[face[0].position]);
        }
    }
    std::map<int, double> volume;
    for (size_t f = 0; f < mesh.faces.size(); ++f) {
        const Point a = mesh.corner(f, 0), b = mesh.corner(f, 1), c = mesh.corner(f, 2);
        volume[root(weld[mesh.faces[f][0].position])] += dot(a, cross(b, c)) / 6.0;
    }
    for (const auto& [part, v] : volume) {
        EXPECT_GT(v, 0.0) << "a part is wound inside out";
    }
    // The toon ramp is indexed by N.L as stored: normals must be unit length and on the
    // outer side of every face they shade, smooth or hard.
    for (const Point& n : mesh.normals) {
        EXPECT_NEAR(length(n), 1.0, 2e-3);
    }
    int inward = 0;
    for (size_t f = 0; f < mesh.faces.size(); ++f) {
        for (const Corner& c : mesh.faces[f]) {
            inward += dot(mesh.normals[c.normal], mesh.faceNormal(f)) > 0.0 ? 0 : 1;
        }
    }
    EXPECT_EQ(inward, 0);
}

INSTANTIATE_TEST_SUITE_P(ModelAssets, EveryModel, ::testing::ValuesIn(kModels),
                         [](const auto& info) { return std::string(info.param); });

TEST(ModelAssets, OttersStandAboutFortyTallFacingPlusZ) {
    const ObjMesh full = readObj(modelPath("loutre"));
    const ObjMesh low = readObj(modelPath("loutre_low"));
    ASSERT_FALSE(full.faces.empty());
    ASSERT_FALSE(low.faces.empty());

    const Extent e = extentOf(full), el = extentOf(low);
    EXPECT_GE(e.height(), 38.0);
    EXPECT_LE(e.height(), 44.0);
    // Scaled 0.9, the otter must stay well under the player's eye at 50 and be narrow
    // enough to reach the building before its radius counts.
    EXPECT_LT(e.width(), 25.0);
    EXPECT_LT(e.depth(), 34.0);
    // The low model is a stand-in for the same otter: same size within a few percent.
    EXPECT_NEAR(el.height(), e.height(), 0.05 * e.height());
    EXPECT_NEAR(el.width(), e.width(), 0.05 * e.width());
    EXPECT_NEAR(el.depth(), e.depth(), 0.05 * e.depth());

    for (const ObjMesh* mesh : {&full, &low}) {
        const Extent x = extentOf(*mesh);
        // The snout is the frontmost point, high up; the tail is the hindmost, low down.
        Point front{0, 0, -1e30}, back{0, 0, 1e30};
        for (const Point& p : mesh->positions) {
            front = p.z > front.z ? p : front;
            back = p.z < back.z ? p : back;
        }
        EXPECT_GT(recentred(x, front).y, 0.6 * x.height());
        EXPECT_LT(recentred(x, back).y, 0.25 * x.height());
    }
}

TEST(ModelAssets, BuildingIsATallTowerAroundTheOrigin) {
    const ObjMesh mesh = readObj(modelPath("immeuble"));
    ASSERT_FALSE(mesh.faces.empty());
    const Extent e = extentOf(mesh);
    EXPECT_GT(e.height(), 2.0 * e.width());
    // The player is held R + 30 from the centre (R the half width): no corner of the
    // building may reach out that far, or he would stand inside it.
    const double reach = e.width() / 2 + 30.0;
    for (const Point& p : mesh.positions) {
        const Point q = recentred(e, p);
        EXPECT_LT(std::hypot(q.x, q.z), reach) << q.x << ", " << q.y << ", " << q.z;
    }
}

TEST(ModelAssets, WeaponPointsItsMuzzleWhereTheFlashIsDrawn) {
    const ObjMesh mesh = readObj(modelPath("arme"));
    ASSERT_FALSE(mesh.faces.empty());
    const Extent e = extentOf(mesh);
    // The flash quad is drawn at (0, 7, 17) in model space: the muzzle's centre.
    double nearest = 1e30;
    for (const Point& p : mesh.positions) {
        const Point q = recentred(e, p);
        nearest = std::min(nearest, length(q - Point{0, 7, 17}));
    }
    EXPECT_LT(nearest, 0.05);
    EXPECT_NEAR(e.high.z + e.offset.z, 17.0, 0.05);
    // The eye sits 15 above the grip: the gun stays below it.
    EXPECT_LT(e.height(), 14.0);
}

TEST(ModelAssets, TitleIsAWideFlatLogoFacingTheViewer) {
    // The intro shows it face on along z: a logo lying in another plane shows its edge.
    const Extent e = extentOf(readObj(modelPath("VRK")));
    EXPECT_GT(e.width(), 3.0 * e.height());
    EXPECT_LT(e.depth(), e.height());
}

// Texture coordinates must land on the part of the skin painted for them: the otter's belly
// (facing +z at mid height) samples the cream belly, its back the brown fur. A v axis turned
// upside down, or an atlas cell misplaced, samples another part of the picture.
TEST(ModelAssets, OtterSkinCoordinatesPutTheCreamBellyInFront) {
    const auto skin = testsupport::BmpFile::read("ressources/textures/loutre.bmp");
    ASSERT_TRUE(skin);
    for (const char* name : {"loutre", "loutre_low"}) {
        const ObjMesh mesh = readObj(modelPath(name));
        const Extent e = extentOf(mesh);
        double light[2] = {0, 0};
        int count[2] = {0, 0};
        for (const auto& face : mesh.faces) {
            for (const Corner& c : face) {
                const Point p = recentred(e, mesh.positions[c.position]);
                const Point& n = mesh.normals[c.normal];
                if (p.y < 0.3 * e.height() || p.y > 0.5 * e.height() || std::fabs(n.z) < 0.9) {
                    continue;
                }
                const auto [u, v] = mesh.texCoords[c.texCoord];
                const testsupport::RgbPixel px =
                    skin->fromBottom(std::clamp(int(u * skin->width()), 0, skin->width() - 1),
                                     std::clamp(int(v * skin->height()), 0, skin->height() - 1));
                const int side = n.z > 0 ? 0 : 1;
                light[side] += (px.r + px.g + px.b) / 3.0;
                ++count[side];
            }
        }
        ASSERT_GT(count[0], 0) << name;
        ASSERT_GT(count[1], 0) << name;
        EXPECT_GT(light[0] / count[0], light[1] / count[1] + 40.0) << name;
    }
}

}  // namespace

// OtterHerd: long seeded games keep the herd's rules; arrivals, clocks and odd cases; the picture.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "entities/Building.h"
#include "entities/Otter.h"
#include "entities/OtterHerd.h"
#include "render/Clock.h"
#include "render/GlExtensions.h"
#include "render/Model.h"
#include "render/Texture.h"
#include "render/TextureSets.h"
#include "render/ToonRendererFactory.h"
#include "tests/support/FakeAudioBackend.h"
#include "tests/support/GlContext.h"
#include "tools/modelviewer/PngWriter.h"

namespace {

FakeAudioBackend* installedAudio = nullptr;  // null when the manager plays on another layer

float horizontalDistance(const Vector3& a, const Vector3& b) {
    return std::hypot(a.x() - b.x(), a.z() - b.z());
}

int explosions() {
    int n = 0;
    for (const FakeAudioBackend::Effect& e : installedAudio->effects) {
        n += e.path.find("boom") != std::string::npos ? 1 : 0;
    }
    return n;
}

class OtterHerdTest : public gltest::GlTest {
protected:
    static void SetUpTestSuite() { installedAudio = FakeAudioBackend::forInstance(); }

    void SetUp() override {
        GlTest::SetUp();
        now_ = 1000;
        gameclock::setSource([this] { return now_; });
        Otter::resetGruntClock();
        srand(1234);
        otterModel_.load("./ressources/models/loutre.obj");
        buildingModel_.load("./ressources/models/immeuble.obj");
        ASSERT_GT(otterModel_.vertexCount(), 0u);
        ASSERT_GT(buildingModel_.vertexCount(), 0u);
    }

    void TearDown() override {
        gameclock::setSource({});
        GlTest::TearDown();
    }

    // A herd as a new game builds it at difficulty d; models optional, drawing optional.
    std::unique_ptr<OtterHerd> makeHerd(int count, int d, float radius, bool withModels,
                                        ToonRenderer* renderer = nullptr) {
        auto herd = std::make_unique<OtterHerd>();
        auto building = std::make_unique<Building>();
        building->setModel(withModels ? &buildingModel_ : nullptr);
        building->setRenderer(renderer);
        building->setLight(&light_);
        building->setLife(50 - d);
        herd->setBuilding(std::move(building));
        auto otters = std::make_unique<Otter[]>(count);
        for (int i = 0; i < count; ++i) {
            otters[i].setModel(withModels ? &otterModel_ : nullptr);
            otters[i].setRenderer(renderer);
            otters[i].setLight(&light_);
            otters[i].setLife(d / 5 + 1);
            otters[i].setSpeed(static_cast<float>((d / 10 + 1.0) * 0.03));
        }
        herd->setSpawnRadius(radius);
        herd->setOtters(std::move(otters), count);
        return herd;
    }

    static void setCamera(double y, double z, double lookAtY, double upZ) {
        glMatrixMode(GL_PROJECTION);
        gluPerspective(60.0, 4.0 / 3.0, 10.0, 20000.0);
        glMatrixMode(GL_MODELVIEW);
        gluLookAt(0, y, z, 0, lookAtY, 0, 0, upZ == 0.0 ? 1.0 : 0.0, upZ);
    }

    int now_ = 0;
    Vector3 light_{500.0f, 200.0f, 0.0f};
    Model otterModel_;
    Model buildingModel_;
};

struct Before {
    bool alive;
    int life;
    float scale, speed, y, waddleRate;
};

// How many of the 9 x 9 pixels around (x, y) differ from the clear colour (51, 77, 102).
int drawnAround(const std::vector<uint8_t>& rgb, int x, int y) {
    int drawn = 0;
    for (int row = y - 4; row <= y + 4; ++row) {
        for (int col = x - 4; col <= x + 4; ++col) {
            const uint8_t* p = &rgb[(size_t(row) * 1024 + size_t(col)) * 3];
            drawn += std::abs(p[0] - 51) + std::abs(p[1] - 77) + std::abs(p[2] - 102) > 12;
        }
    }
    return drawn;
}

TEST_F(OtterHerdTest, LongSeededGameKeepsTheHerdsRules) {
    constexpr int d = 11;
    constexpr int n = d + 10;
    const auto herd = makeHerd(n, d, 1500.0f, true);
    setCamera(5000, 0, 0, -1);  // straight down from high up: the whole ring is in view
    Building& building = herd->building();
    Before before[n];
    int respawns = 0, giants = 0, arrivalFrames = 0, flips = 0;

    for (int frame = 0; frame < 1200; ++frame) {
        now_ += 100;
        // The player shoots one otter dead now and then, knocking it back.
        Otter& shot = herd->otter((frame / 7) % n);
        if (frame % 7 == 0 && shot.isAlive()) {
            shot.setLife(0);
            shot.knockBack(Vector3(1.0f, 0.0f, 0.0f), 0.5f);
        }
        for (int i = 0; i < n; ++i) {
            const Otter& o = herd->otter(i);
            before[i] = {o.isAlive(), o.life(),         o.scale(),
                         o.speed(),   o.position().y(), o.waddleRate()};
        }
        const int lifeBefore = building.life();
        const int explosionsBefore = installedAudio ? explosions() : 0;
        herd->updateAndDraw(d);

        int lifeLost = 0, arrivals = 0;
        for (int i = 0; i < n; ++i) {
            const Otter& o = herd->otter(i);
            ASSERT_TRUE(std::isfinite(o.position().length() + o.heading().length() + o.facing()))
                << "otter " << i << " frame " << frame;
            EXPECT_TRUE(o.visible());
            EXPECT_LE(std::fabs(o.waddleAngle()), o.waddleLimit());
            flips += (o.waddleRate() > 0) != (before[i].waddleRate > 0) ? 1 : 0;
            if (before[i].alive && !o.isAlive()) {
                lifeLost += before[i].life;
                ++arrivals;
            } else if (!before[i].alive && o.isAlive()) {
                ++respawns;
                EXPECT_EQ(o.position().y(), o.target().y());
                const float r = horizontalDistance(o.position(), o.target());
                EXPECT_TRUE(r >= 1299.9f && r <= 1700.1f) << r;
                // Otters after this one in the array have moved since it was placed.
                for (int j = 0; j < i; ++j) {
                    const Otter& other = herd->otter(j);
                    EXPECT_GT((other.position() - o.position()).length(),
                              2.0 * other.effectiveScale());
                }
                EXPECT_FLOAT_EQ(o.speed(), before[i].speed + 0.005f);
                EXPECT_EQ(o.giant(), respawns % 16 == 0) << "respawn " << respawns;
                giants += o.giant() ? 1 : 0;
                EXPECT_EQ(o.life(), o.giant() ? 14 : 3);
                // A giant keeps its own scale for when it comes back ordinary.
                EXPECT_FLOAT_EQ(o.scale(), o.giant() ? before[i].scale
                                                     : std::min(before[i].scale + 0.1f, 1.5f));
            } else if (!o.isAlive()) {
                EXPECT_LT(o.position().y(), before[i].y) << "a dead otter sinks";
            }
        }
        EXPECT_EQ(building.life(), std::max(lifeBefore - lifeLost, 0));
        EXPECT_EQ(herd->wasBuildingHit(), arrivals > 0);
        if (installedAudio) {
            EXPECT_EQ(explosions() - explosionsBefore, arrivals);
        }
        arrivalFrames += arrivals > 0 ? 1 : 0;
    }
    EXPECT_GE(respawns, 48);
    EXPECT_GE(giants, 3);
    EXPECT_GE(arrivalFrames, 10);
    EXPECT_EQ(building.life(), 0);
    EXPECT_GT(flips, 100);
}

TEST_F(OtterHerdTest, ArrivalsShareOneFrameAndMenuTimeIsSwallowed) {
    const auto herd = makeHerd(3, 11, 1500.0f, true);
    herd->building().setLife(2);
    herd->otter(0).setPosition(Vector3(10.0f, 0.0f, 0.0f));
    herd->otter(1).setPosition(Vector3(0.0f, 0.0f, -10.0f));
    const int explosionsBefore = installedAudio ? explosions() : 0;
    herd->updateAndDraw(11);  // the clock stands still: nobody moves
    EXPECT_EQ(herd->building().life(), 0);
    EXPECT_FALSE(herd->otter(0).isAlive() || herd->otter(1).isAlive());
    EXPECT_TRUE(herd->otter(2).isAlive() && herd->wasBuildingHit());
    EXPECT_EQ(herd->effectCount(), 2) << "one splash each";
    if (installedAudio) {
        EXPECT_EQ(explosions() - explosionsBefore, 2);
    }

    const Vector3 walking = herd->otter(2).position();
    now_ += 60000;  // a minute in the menus
    herd->restartClocks();
    now_ += 20;
    herd->updateAndDraw(11);
    EXPECT_FALSE(herd->wasBuildingHit()) << "dead otters do not arrive twice";
    EXPECT_NEAR((herd->otter(2).position() - walking).length(), 20 * herd->otter(2).speed(), 1e-3);
}

TEST_F(OtterHerdTest, OddHerdsStillWork) {
    // A fresh otter's first step is as long as the time since it was made.
    now_ = 100000;
    Otter fresh;
    now_ += 20;
    fresh.update();
    EXPECT_FLOAT_EQ(fresh.frameMs(), 20.0f);

    // No models at all: the otter must still be able to reach the building.
    const auto bare = makeHerd(1, 11, 0.0f, false);
    Otter& walker = bare->otter(0);
    walker.setPosition(Vector3(0.0f, 0.0f, 100.0f));
    for (int frame = 0; frame < 100 && !bare->wasBuildingHit(); ++frame) {
        now_ += 100;
        bare->updateAndDraw(11);
    }
    EXPECT_TRUE(bare->wasBuildingHit());

    // An otter standing on its own target keeps facing where it faced.
    const auto herd = makeHerd(2, 11, 0.0f, false);
    herd->building().setPosition(Vector3(100000.0f, 0.0f, 0.0f));
    Otter& still = herd->otter(1);
    still.setPosition(Vector3(0.0f, 0.0f, 50.0f));
    still.draw(false);
    const float facing = still.facing();
    still.setPosition(still.target());
    // Another otter as big as the ring leaves no room anywhere: the respawn must give up
    // looking for space rather than loop for ever.
    still.setScale(1000.0f);
    herd->otter(0).setLife(0);
    herd->otter(0).setPosition(Vector3(0.0f, -1.0f, 0.0f));
    now_ += 16;
    herd->updateAndDraw(11);
    EXPECT_EQ(still.facing(), facing);
    EXPECT_TRUE(herd->otter(0).isAlive());
    EXPECT_LE(horizontalDistance(herd->otter(0).position(), herd->otter(0).target()), 200.1f);
}

TEST_F(OtterHerdTest, DistantDetailDrawsOnlyOttersFarFromTheEyeWithTheLighterModel) {
    Model low;
    low.load("./ressources/models/loutre_low.obj");
    ToonRenderer drawsNothing;
    const auto herd = makeHerd(3, 11, 1500.0f, true, &drawsNothing);
    // Eye at (0, 60, 1150): one otter near, one far straight ahead, and one only 250 ahead but
    // off to the side, so its distance (about 320) is more than its depth.
    const Vector3 spots[3] = {{0, 0, 1000}, {0, 0, 500}, {190, 0, 900}};
    const auto drawn = [&](float distance, Model* distant) {
        herd->setDistantDetail(distance);
        herd->setDistantModel(distant);
        for (int i = 0; i < 3; ++i) {
            herd->otter(i).setPosition(spots[i]);
        }
        now_ += 1;
        herd->updateAndDraw(11);
        std::string which;
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(herd->otter(i).visible()) << i;
            which += herd->otter(i).drawnModel() == &otterModel_ ? 'F' : 'L';
        }
        return which;
    };
    setCamera(60, 1150, 40, 0);
    EXPECT_EQ(drawn(0.0f, &low), "FFF") << "off by default";
    EXPECT_EQ(drawn(300.0f, &low), "FLL");
    EXPECT_EQ(drawn(300.0f, nullptr), "FFF") << "no lighter model to draw";
    Model empty;  // as a missing file leaves it
    EXPECT_EQ(drawn(300.0f, &empty), "FFF") << "far otters must not vanish";
    EXPECT_EQ(drawn(700.0f, &low), "FFF");
    EXPECT_EQ(herd->otter(1).model(), &otterModel_) << "the walking keeps the own model";
}

TEST_F(OtterHerdTest, PictureShowsTheOttersInFrontAndLeavesTheStateAsFound) {
    ASSERT_TRUE(loadMultitexture());
    loadVertexProgram();
    const std::unique_ptr<ToonRenderer> renderer = createToonRenderer();
    Texture ramp;
    ASSERT_TRUE(texturesets::loadToonRamp(ramp, "./ressources/textures/toon.bmp"));
    renderer->setToonTexture(ramp.id());
    otterModel_.setTexture(std::make_unique<Texture>());
    texturesets::loadWorld(*otterModel_.texture(), "./ressources/textures/loutre.bmp", 3, 1);
    buildingModel_.setTexture(std::make_unique<Texture>());
    texturesets::loadWorld(*buildingModel_.texture(), "./ressources/textures/immeuble.bmp", 3, 1);

    // Two otters in front of the player, one behind him and a giant further off.
    const auto herd = makeHerd(4, 11, 1500.0f, true, renderer.get());
    const Vector3 spots[4] = {{-120, 0, 900}, {120, 0, 900}, {0, 0, 1400}, {-350, 0, 500}};
    for (int i = 0; i < 4; ++i) {
        herd->otter(i).setPosition(spots[i]);
    }
    herd->otter(3).setGiant(true);
    glClearColor(0.2f, 0.3f, 0.4f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    setCamera(60, 1150, 40, 0);  // the player a little way out, looking at the building
    const std::vector<float> modelview = gltest::matrix(GL_MODELVIEW_MATRIX);
    herd->updateAndDraw(11);

    EXPECT_TRUE(herd->otter(0).visible() && herd->otter(1).visible() && herd->otter(3).visible());
    EXPECT_FALSE(herd->otter(2).visible()) << "behind the camera";
    EXPECT_TRUE(gltest::isEnabled(GL_DEPTH_TEST) && gltest::isEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(gltest::getInteger(GL_DEPTH_FUNC), GL_LEQUAL);
    EXPECT_FALSE(gltest::isEnabled(GL_BLEND) || gltest::isEnabled(GL_CULL_FACE) ||
                 gltest::isEnabled(GL_POLYGON_OFFSET_FILL));
    GLint modes[2];
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_TRUE(modes[0] == GL_FILL && modes[1] == GL_FILL);
    EXPECT_EQ(gltest::matrix(GL_MODELVIEW_MATRIX), modelview);

    // Where each otter's middle and the building land on the screen, something is drawn.
    GLdouble mv[16], proj[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    glGetIntegerv(GL_VIEWPORT, viewport);
    const std::vector<uint8_t> rgb = gltest::readRgb(0, 0, 1024, 768);
    const auto drawnAt = [&](const Vector3& p, float height) {
        GLdouble x, y, z;
        gluProject(p.x(), p.y() + height, p.z(), mv, proj, viewport, &x, &y, &z);
        return drawnAround(rgb, int(x), int(y));
    };
    const float middle = otterModel_.boundingBox().halfHeight;
    EXPECT_GT(drawnAt(spots[0], middle * herd->otter(0).scale()), 40);
    EXPECT_GT(drawnAt(spots[1], middle * herd->otter(1).scale()), 40);
    EXPECT_GT(drawnAt(spots[3], middle * 2.5f), 40) << "the giant";
    EXPECT_GT(drawnAt(Vector3(), 300.0f), 40) << "the building";
    EXPECT_EQ(drawnAround(rgb, 40, 720), 0) << "empty sky stays empty";

    std::vector<uint8_t> topRowFirst(rgb.size());
    for (size_t row = 0; row < 768; ++row) {
        std::copy_n(&rgb[(767 - row) * 1024 * 3], 1024 * 3, &topRowFirst[row * 1024 * 3]);
    }
    std::filesystem::create_directories("pictures");
    EXPECT_TRUE(writePng("pictures/herd.png", 1024, 768, topRowFirst));
}

}  // namespace

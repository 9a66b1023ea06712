// Otters against otters: those that overlap part and walk in; those walking into each other bump.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "entities/Building.h"
#include "entities/Otter.h"
#include "entities/OtterHerd.h"
#include "game/CollisionSet.h"
#include "render/Clock.h"
#include "render/Model.h"
#include "tests/support/FakeAudioBackend.h"
#include "tests/support/GlContext.h"

namespace {

constexpr int kDifficulty = 11;

// A herd as a new game builds it, with its otters far out (they neither meet the pair under
// test in time nor reach the building), and the collision pass the game runs before it.
class OtterCollisionTest : public gltest::GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        ASSERT_NE(FakeAudioBackend::forInstance(), nullptr);
        gameclock::setFixed(now);
        srand(11);
        otterModel.load("./ressources/models/loutre.obj");
        buildingModel.load("./ressources/models/immeuble.obj");
        ASSERT_GT(otterModel.radius(), 0.0f);
        newGame();
    }
    void TearDown() override {
        gameclock::setSource({});
        GlTest::TearDown();
    }
    void newGame() {
        herd = std::make_unique<OtterHerd>();
        auto building = std::make_unique<Building>();
        building->setModel(&buildingModel);
        building->setLife(50 - kDifficulty);
        herd->setBuilding(std::move(building));
        constexpr int n = kDifficulty + 10;
        auto otters = std::make_unique<Otter[]>(n);
        for (int i = 0; i < n; ++i) {
            otters[i].setModel(&otterModel);
            otters[i].setLife(kDifficulty / 5 + 1);
            otters[i].setSpeed(0.06f);
        }
        herd->setSpawnRadius(1500.0f);
        herd->setOtters(std::move(otters), n);
        for (int i = 2; i < n; ++i) {
            herd->otter(i).setPosition(Vector3(0.0f, 0.0f, -4000.0f - 100.0f * i));
        }
        collisions = std::make_unique<CollisionSet>(herd->otters(), nullptr, nullptr, n, 0, 0);
    }
    // One drawn frame's moving half: collisions, then the herd's own step.
    void frame() {
        now += 16;
        gameclock::setFixed(now);
        collisions->resolve();
        herd->updateAndDraw(kDifficulty);
    }

    int now = 100000;
    Model otterModel;
    Model buildingModel;
    std::unique_ptr<OtterHerd> herd;
    std::unique_ptr<CollisionSet> collisions;
};

// As a new game leaves them (not yet walking): on one spot, touching across the way in, and
// touching along it. Each pair parts in one pass and both otters reach the building.
TEST_F(OtterCollisionTest, OttersPlacedTogetherPartAndBothReachTheBuilding) {
    const float r = buildingModel.radius();
    const float reach = otterModel.radius() * herd->otter(0).effectiveScale() * 2.0f;
    const Vector3 start(r + 400.0f, 0.0f, 0.0f);
    for (const Vector3 offset :
         {Vector3(), Vector3(0.0f, 0.0f, reach - 1.0f), Vector3(reach - 1.0f, 0.0f, 0.0f)}) {
        newGame();
        Otter& a = herd->otter(0);
        Otter& b = herd->otter(1);
        a.setPosition(start);
        b.setPosition(start + offset);
        collisions->resolve();
        EXPECT_GE((b.position() - a.position()).length(), reach);
        for (int i = 0; i < 500 && (a.isAlive() || b.isAlive()); ++i) {
            frame();
        }
        EXPECT_FALSE(a.isAlive() || b.isAlive())
            << "offset (" << offset.x() << ", " << offset.z() << ")";
        EXPECT_EQ(herd->building().life(), 50 - kDifficulty - 2 * 3);
    }
}

// Two otters walking into each other, either of them first in the herd, turn back.
TEST_F(OtterCollisionTest, OttersMeetingHeadOnBothTurnBack) {
    const float reach = otterModel.radius() * herd->otter(0).effectiveScale() * 2.0f;
    for (const bool firstWalksNorth : {true, false}) {
        Otter& north = herd->otter(firstWalksNorth ? 0 : 1);
        Otter& south = herd->otter(firstWalksNorth ? 1 : 0);
        south.setPosition(Vector3(1000.0f, 0.0f, 0.0f));
        north.setPosition(Vector3(1000.0f, 0.0f, -reach + 1.0f));
        north.setHeading(Vector3(0.0f, 0.0f, 1.0f));
        south.setHeading(Vector3(0.0f, 0.0f, -1.0f));
        north.setSteeringWeight(1.0f);
        south.setSteeringWeight(1.0f);
        collisions->resolve();
        EXPECT_FLOAT_EQ(north.heading().z(), -1.0f);
        EXPECT_FLOAT_EQ(south.heading().z(), 1.0f);
        EXPECT_EQ(north.steeringWeight(), 0.0f);
        EXPECT_EQ(south.steeringWeight(), 0.0f);
    }
}

}  // namespace

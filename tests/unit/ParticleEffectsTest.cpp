// Particle effects: emission recipes, life spans, list upkeep and recycling under sustained fire.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "entities/EffectList.h"
#include "entities/Particle.h"
#include "entities/ParticleForce.h"
#include "entities/ParticleSystem.h"

namespace {

constexpr float kFrameMs = 16.0f;

bool finite(const Vector3& v) {
    return std::isfinite(v.x()) && std::isfinite(v.y()) && std::isfinite(v.z());
}

class ParticleEffectsTest : public ::testing::Test {
protected:
    void SetUp() override { std::srand(1234); }
    const ParticleSystem& newest() const { return *live.back(); }

    std::vector<std::unique_ptr<ParticleSystem>> live;
    EffectList effects{live};
};

TEST_F(ParticleEffectsTest, EachKindLivesItsLongestLifetimeThenLeavesAtTheNextUpdate) {
    const Vector3 p(5.0f, 0.0f, -7.0f);
    struct Kind {
        std::function<void()> add;
        int count;
        float longestLife;
    } kinds[] = {
        {[&] { effects.addKillBurst(p, nullptr); }, 30, 3.0f},
        {[&] { effects.addArrivalSplash(p, nullptr); }, 40, 3.9125f},
        {[&] { effects.addTracer(p, Vector3(), true, nullptr); }, 100, 0.5f},
        {[&] { effects.addBloodSpray(p, Vector3(0, 0, 1), nullptr); }, 30, 2.0f},
    };
    for (const Kind& kind : kinds) {
        kind.add();
        ASSERT_EQ(live.size(), 1u);
        EXPECT_EQ(newest().count(), kind.count);
        float seconds = 0.0f;
        while (!newest().finished() && seconds < 10.0f) {
            effects.update(kFrameMs);
            seconds += kFrameMs * 0.001f;
            for (int i = 0; i < kind.count; ++i) {
                ASSERT_TRUE(finite(newest().particle(i).position)) << kind.count << " " << i;
            }
        }
        EXPECT_GE(seconds, kind.longestLife);
        EXPECT_LT(seconds, kind.longestLife + 0.017f);
        // Finished in this update: still listed, nothing alive to draw, gone after the next.
        ASSERT_EQ(live.size(), 1u);
        for (int i = 0; i < kind.count; ++i) {
            EXPECT_FALSE(newest().particle(i).alive());
        }
        effects.update(kFrameMs);
        EXPECT_TRUE(live.empty());
    }
}

TEST_F(ParticleEffectsTest, RandomDrawsPerEffectAreFixedSoReplaysMatch) {
    const int drawsPerEffect[] = {30 * 4, 40 * 2, 0, 30 * 4};
    for (int kind = 0; kind < 4; ++kind) {
        std::srand(99);
        const Vector3 p(1.0f, 2.0f, 3.0f);
        if (kind == 0)
            effects.addKillBurst(p, nullptr);
        if (kind == 1)
            effects.addArrivalSplash(p, nullptr);
        if (kind == 2)
            effects.addTracer(p, Vector3(), false, nullptr);
        if (kind == 3)
            effects.addBloodSpray(p, Vector3(1, 0, 0), nullptr);
        const int next = std::rand();
        std::srand(99);
        for (int i = 0; i < drawsPerEffect[kind]; ++i)
            std::rand();
        EXPECT_EQ(std::rand(), next) << "effect kind " << kind;
    }
}

TEST_F(ParticleEffectsTest, KillBurstSpeedBandsAndItsOneFastRiser) {
    effects.addKillBurst(Vector3(4.0f, 5.0f, 6.0f), nullptr);
    float fastBand = 0.0f;
    for (int i = 0; i < 30; ++i) {
        const Particle& q = newest().particle(i);
        EXPECT_EQ(q.position.x(), 4.0f);
        EXPECT_GE(q.direction.y(), 0.0f);
        EXPECT_NEAR(q.direction.length(), 1.0, 1e-5);
        EXPECT_EQ(q.startColour[1], 1.0f);
        EXPECT_EQ(q.lifetime, 3.0f);
        if (i >= 25) {
            EXPECT_LE(q.speed, 300.0f);
            fastBand = std::max(fastBand, q.speed);
        } else if (i != 1) {
            EXPECT_LE(q.speed, 100.0f) << i;
        }
    }
    EXPECT_GT(fastBand, 100.0f);
    // Particle 1 replays its draws (speed, then z, y, x): vertical weighted 10, horizontal 0.5.
    std::srand(1234);
    for (int i = 0; i < 5; ++i)
        std::rand();
    const double z = std::cos(double(std::rand())), y = std::cos(double(std::rand())),
                 x = std::cos(double(std::rand()));
    const double n = std::sqrt(x * x + y * y + z * z);
    const double wx = 0.5 * x / n, wy = 10.0 * std::fabs(y) / n, wz = 0.5 * z / n;
    const double m = std::sqrt(wx * wx + wy * wy + wz * wz);
    const Particle& riser = newest().particle(1);
    EXPECT_EQ(riser.speed, 600.0f);
    EXPECT_NEAR(riser.direction.x(), wx / m, 1e-5);
    EXPECT_NEAR(riser.direction.y(), wy / m, 1e-5);
    EXPECT_NEAR(riser.direction.z(), wz / m, 1e-5);
}

TEST_F(ParticleEffectsTest, ArrivalSplashRisesFromARingThenArcsOutwardAndFalls) {
    const Vector3 origin(100.0f, 0.0f, 50.0f);
    effects.addArrivalSplash(origin, nullptr);
    const ParticleSystem& splash = newest();
    EXPECT_EQ(splash.particle(0).speed, 200.0f);
    EXPECT_FLOAT_EQ(splash.particle(0).lifetime, 0.5f);
    EXPECT_FLOAT_EQ(splash.particle(39).speed, 492.5f);
    EXPECT_FLOAT_EQ(splash.particle(39).lifetime, 3.9125f);
    std::vector<Vector3> start;
    for (int i = 0; i < 40; ++i) {
        start.push_back(splash.particle(i).position - origin);
        EXPECT_LE(start.back().length(), 3.0 * std::sqrt(2.0) + 1e-5);
        EXPECT_EQ(start.back().y(), 0.0f);
    }
    for (int frame = 0; frame * kFrameMs < 3500.0f; ++frame)
        effects.update(kFrameMs);
    double fallingSum = 0.0;
    for (int i = 36; i < 40; ++i) {
        const Particle& q = splash.particle(i);
        ASSERT_TRUE(q.alive());
        const Vector3 moved = q.position - origin;
        // Outward: the horizontal travel points the way the particle's ring offset did.
        EXPECT_GT(moved.x() * start[i].x() + moved.z() * start[i].z(), 0.0f) << i;
        fallingSum += q.direction.y();
    }
    EXPECT_LT(fallingSum, 0.0);
}

TEST_F(ParticleEffectsTest, TracerStaysOnItsLineAndIsRedOnAMissGreenOnAHit) {
    const Vector3 start(0.0f, 10.0f, 0.0f), end(300.0f, 10.0f, -400.0f);  // 500 long
    effects.addTracer(start, end, true, nullptr);
    effects.addTracer(start, end, false, nullptr);
    effects.addTracer(end, end, false, nullptr);  // a zero-length shot must not make NaNs
    for (int frame = 0; frame < 15; ++frame)
        effects.update(kFrameMs);  // 0.24 s
    for (int i = 0; i < 100; ++i) {
        const Particle& miss = live[0]->particle(i);
        const Particle& hit = live[1]->particle(i);
        EXPECT_EQ(miss.startColour[0], 1.0f);
        EXPECT_EQ(miss.startColour[1], 0.0f);
        EXPECT_EQ(hit.startColour[0], 0.0f);
        EXPECT_EQ(hit.startColour[1], 1.0f);
        EXPECT_LT(hit.colour[3], 1.0f);
        // Emitted at i/100 of the way, then 24 units further along the line, never sideways.
        const Vector3 along = miss.position - start;
        EXPECT_NEAR(along.length(), 5.0 * i + 24.0, 0.01);
        EXPECT_NEAR(along.y(), 0.0f, 1e-4);
        EXPECT_NEAR(along.x() * 4.0f + along.z() * 3.0f, 0.0f, 0.05f);
        EXPECT_TRUE(finite(live[2]->particle(i).position));
        EXPECT_EQ(live[2]->particle(i).position.x(), end.x());
    }
}

TEST_F(ParticleEffectsTest, UpdateDropsAdjacentFinishedSystemsAndUpdatesTheRestOnce) {
    effects.addKillBurst(Vector3(), nullptr);
    effects.addTracer(Vector3(), Vector3(0, 0, 100), false, nullptr);
    effects.addTracer(Vector3(), Vector3(0, 0, 100), true, nullptr);
    effects.addKillBurst(Vector3(), nullptr);
    const ParticleSystem* first = live[0].get();
    const ParticleSystem* last = live[3].get();
    effects.update(600.0f);  // both tracers die in this update
    ASSERT_EQ(live.size(), 4u);
    EXPECT_TRUE(live[1]->finished() && live[2]->finished());
    effects.update(kFrameMs);
    ASSERT_EQ(live.size(), 2u);
    EXPECT_EQ(live[0].get(), first);
    EXPECT_EQ(live[1].get(), last);
    for (const auto& system : live) {
        EXPECT_FLOAT_EQ(system->particle(0).age, 0.6f + 0.016f);
    }
    // A recycled tracer comes back as a fresh kill burst: gravity again, white until updated.
    EXPECT_EQ(effects.spareCount(), 2);
    effects.addKillBurst(Vector3(), nullptr);
    EXPECT_EQ(effects.spareCount(), 1);
    EXPECT_FALSE(newest().finished());
    EXPECT_EQ(newest().count(), 30);
    EXPECT_EQ(newest().force()->vector().y(), -0.89f);
    EXPECT_EQ(newest().particle(0).colour[0], 1.0f);
    EXPECT_EQ(newest().particle(0).age, 0.0f);
}

TEST_F(ParticleEffectsTest, SustainedFireKeepsTheListBoundedAndStopsAllocating) {
    // 20 shots a second for a minute, every one a hit and a kill (the weapon allows ~14).
    size_t most = 0, systemsAfterWarmUp = 0;
    float sinceShot = 0.0f;
    for (int frame = 0; frame * kFrameMs < 60000.0f; ++frame) {
        for (sinceShot += kFrameMs; sinceShot >= 50.0f; sinceShot -= 50.0f) {
            const Vector3 at(float(frame % 100), 0.0f, 200.0f);
            effects.addTracer(Vector3(), at, false, nullptr);
            effects.addBloodSpray(at, Vector3(0, 0, 1), nullptr);
            effects.addKillBurst(at, nullptr);
        }
        effects.update(kFrameMs);
        most = std::max(most, live.size());
        if (frame * kFrameMs == 10000.0f)
            systemsAfterWarmUp = live.size() + effects.spareCount();
    }
    // Each shot's effects live 0.5 + 2 + 3 s, plus the update that removes them.
    EXPECT_LE(most, 20u * 6u);
    EXPECT_GE(most, 100u);
    EXPECT_EQ(live.size() + effects.spareCount(), systemsAfterWarmUp);
    effects.clear();
    EXPECT_TRUE(live.empty());
}

}  // namespace

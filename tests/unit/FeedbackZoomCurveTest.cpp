// FeedbackZoomEffect::LevelCurve: the fall, the turn at 0.45, the climb back and the blend weight.
#include <gtest/gtest.h>

#include <algorithm>

#include "render/FeedbackZoomEffect.h"

namespace {

using Curve = FeedbackZoomEffect::LevelCurve;

Curve curveAt(float level, float direction) {
    Curve c;
    c.level = level;
    c.direction = direction;
    return c;
}

TEST(FeedbackZoomCurveTest, IdleStaysIdleAndClimbingPastOneEndsTheEffect) {
    for (float dt : {0.0f, 0.016f, 0.1f, 5.0f}) {
        Curve c;
        c.update(dt);
        EXPECT_EQ(c.level, 1.0f);
        EXPECT_FALSE(c.active());
    }
    Curve c = curveAt(0.99f, 1.0f);
    c.update(1.0f);
    EXPECT_EQ(c.level, 1.0f);
    EXPECT_FALSE(c.active());
}

TEST(FeedbackZoomCurveTest, FallsFastAfterATriggerAndClimbsSlowlyFromTheBottom) {
    Curve c;
    c.trigger();
    EXPECT_NEAR(c.level, 0.999f, 1e-6f);
    EXPECT_EQ(c.direction, -1.0f);
    EXPECT_TRUE(c.active());
    c.update(0.1f);  // 0.999 - (1 + 0.1998) x 0.1
    EXPECT_NEAR(c.level, 0.87902f, 1e-5f);

    Curve fading = curveAt(0.45f, 1.0f);
    fading.update(0.1f);  // 0.45 + (0.45 - 0.4)^2 x 0.1
    EXPECT_NEAR(fading.level, 0.45025f, 1e-6f);
    EXPECT_EQ(fading.direction, 1.0f);
}

TEST(FeedbackZoomCurveTest, BelowTheBottomItTurnsRoundAtThatFramesFallingRate) {
    Curve c = curveAt(0.44f, -1.0f);
    c.update(0.1f);  // rate 0.44 x 0.2 + 1 = 1.088, applied upwards from 0.45
    EXPECT_EQ(c.direction, 1.0f);
    EXPECT_NEAR(c.level, 0.45f + 0.1088f, 1e-5f);

    // A long falling frame may overshoot far below 0.45; the next update still turns round.
    Curve deep;
    deep.trigger();
    deep.update(0.5f);
    EXPECT_NEAR(deep.level, 0.999f - 1.1998f * 0.5f, 1e-5f);
    EXPECT_EQ(deep.direction, -1.0f);
    deep.update(0.0f);
    EXPECT_NEAR(deep.level, 0.45f, 1e-6f);
    EXPECT_EQ(deep.direction, 1.0f);
}

TEST(FeedbackZoomCurveTest, ATriggerWhileFadingRestartsTheGrowthAndResetStopsIt) {
    Curve c = curveAt(0.7f, 1.0f);
    c.trigger();
    EXPECT_NEAR(c.level, 0.699f, 1e-6f);
    EXPECT_EQ(c.direction, -1.0f);
    c.update(0.1f);
    EXPECT_LT(c.level, 0.699f);

    c.reset();
    EXPECT_EQ(c.level, 1.0f);
    EXPECT_EQ(c.direction, 1.0f);
    EXPECT_FALSE(c.active());
}

TEST(FeedbackZoomCurveTest, AWholeEffectAtSixtyFramesASecondComesBackToIdle) {
    Curve c;
    c.trigger();
    float lowest = 1.0f;
    int frames = 0;
    while (c.active() && frames < 60 * 60) {
        c.update(1.0f / 60.0f);
        lowest = std::min(lowest, c.level);
        ASSERT_LE(c.level, 1.0f);
        ++frames;
    }
    EXPECT_FALSE(c.active());
    // One frame's fall below the turning point at most.
    EXPECT_GT(lowest, 0.45f - 1.1f / 60.0f);
    EXPECT_LT(lowest, 0.46f);
    // The climb is slow at first: many seconds, but not forever.
    EXPECT_GT(frames, 60 * 5);
    EXPECT_LT(frames, 60 * 30);
}

TEST(FeedbackZoomCurveTest, BlendWeightAndFieldOfViewStopAtZeroPointFiftyFive) {
    struct Case {
        float level, weight, fov;
    };
    for (const Case k : {Case{0.4f, 0.55f, 99.0f}, Case{0.55f, 0.55f, 99.0f},
                         Case{0.87902f, 0.87902f, 110.0f - 17.5804f}, Case{1.0f, 1.0f, 90.0f}}) {
        const Curve c = curveAt(k.level, -1.0f);
        EXPECT_NEAR(c.newFrameWeight(), k.weight, 1e-6f) << k.level;
        EXPECT_NEAR(c.fieldOfView(), k.fov, 1e-4f) << k.level;
    }
}

}  // namespace

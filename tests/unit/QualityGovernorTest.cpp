// The automatic drawing quality: a fast machine keeps the full picture, a slow one steps down
// to what it can draw, and neither swings back and forth.
#include <gtest/gtest.h>

#include "game/QualityGovernor.h"

namespace {

// Feeds frames of the given cost; returns how many times the step changed.
int feed(QualityGovernor& governor, int frames, double ms) {
    int changes = 0;
    for (int i = 0; i < frames; ++i) {
        changes += governor.addFrame(ms);
    }
    return changes;
}

// A frame whose cost is part fixed (vertices, the swap) and part per pixel of the scene.
double modelFrameMs(const QualityGovernor& governor, double fixedMs, double fullPixelsMs) {
    const double s = governor.current().sceneScale;
    const double detail = governor.current().distantOttersLowDetail ? 0.8 : 1.0;
    return fixedMs * detail + fullPixelsMs * s * s;
}

TEST(QualityGovernorTest, AMachineWithinBudgetNeverSeesAChangeWhateverItsSpikes) {
    QualityGovernor governor;
    for (double ms : {1.0, 8.0, 12.0}) {
        EXPECT_EQ(feed(governor, 2000, ms), 0) << ms << " ms frames";
    }
    // One frame in a window may be very slow (a shader compiled by the driver).
    for (int window = 0; window < 50; ++window) {
        EXPECT_FALSE(governor.addFrame(400.0));
        feed(governor, QualityGovernor::kWindowFrames - 1, 10.0);
    }
    EXPECT_EQ(governor.step(), 0);
    EXPECT_EQ(governor.current().sceneScale, 1.0f);
    EXPECT_FALSE(governor.current().distantOttersLowDetail);
}

TEST(QualityGovernorTest, SlowFramesStepDownOneAtATimeToTheLastStepAndQuickOnesComeBack) {
    QualityGovernor governor;
    int previous = 0;
    // Ten frames a second: a window closes within a second, one step each.
    for (int second = 0; second < 2 * qualitysteps::kCount; ++second) {
        feed(governor, 10, 100.0);
        EXPECT_LE(governor.step() - previous, 2);
        previous = governor.step();
    }
    EXPECT_EQ(governor.step(), qualitysteps::kCount - 1);
    EXPECT_LT(governor.current().sceneScale, 0.6f);
    EXPECT_EQ(feed(governor, 500, 100.0), 0) << "never below the last step";

    EXPECT_EQ(feed(governor, 2000, 2.0), qualitysteps::kCount - 1);
    EXPECT_EQ(governor.step(), 0);

    feed(governor, 200, 100.0);
    governor.reset();
    EXPECT_EQ(governor.step(), 0);
}

TEST(QualityGovernorTest, SettlesOnTheFinestStepThatKeepsTheBudgetAndStaysThere) {
    // From a machine that needs only the distant otters' detail to one that needs the
    // smallest scene.
    for (double pixelsMs : {6.0, 12.0, 18.0, 25.0}) {
        QualityGovernor governor;
        int changes = 0;
        for (int frame = 0; frame < 3000; ++frame) {
            changes += governor.addFrame(modelFrameMs(governor, 8.0, pixelsMs));
        }
        const double settledMs = modelFrameMs(governor, 8.0, pixelsMs);
        EXPECT_LE(settledMs, QualityGovernor::kBudgetMs * QualityGovernor::kSlowShare)
            << pixelsMs << " ms of pixels";
        EXPECT_EQ(changes, governor.step()) << pixelsMs << " ms of pixels: it went back and forth";
        if (governor.step() > 0) {
            QualityGovernor finer;
            // The step above would not have kept the budget.
            for (int i = 0; i < governor.step() - 1; ++i) {
                feed(finer, QualityGovernor::kFewestWindowFrames, 1000.0);
            }
            EXPECT_GT(modelFrameMs(finer, 8.0, pixelsMs),
                      QualityGovernor::kBudgetMs * QualityGovernor::kSlowShare)
                << pixelsMs << " ms of pixels";
        }
    }
}

}  // namespace

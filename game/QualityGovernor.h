// QualityGovernor: lowers the game's drawing quality when frames miss their budget, and raises it
// back.
#pragma once

#include <array>

// The steps, from the full picture down. A machine that keeps its frames within budget at step
// 0 never leaves it, so it never sees a change. Each step down first trades the detail of the
// otters far away (hard to tell apart), then the resolution of the 3D scene (the texts, the
// radar and the crosshair stay sharp).
struct QualityStep {
    float sceneScale;
    bool distantOttersLowDetail;
};

namespace qualitysteps {
// Stretching a reduced scene over the picture is itself a full-screen pass, as dear on a
// software rasteriser as about a third of the full scene: a scene only a little smaller would
// cost more than it saves, so the first reduced step is already well below full size.
constexpr std::array<QualityStep, 5> kSteps = {{
    {1.0f, false},
    {1.0f, true},
    {0.7f, true},
    {0.6f, true},
    {0.5f, true},
}};
constexpr int kCount = static_cast<int>(kSteps.size());

// ZORBLAT_QUALITY_STEP=N (0 to kCount - 1) fixes the step for the whole run, so a test's
// pictures do not depend on the machine's speed, or a maintainer can look at one step. Returns
// the step, or -1 when the variable is unset or not such a number (said on stderr): automatic.
int fixedStepFromEnvironment();
}  // namespace qualitysteps

// Fed the time each frame took to draw (real milliseconds, from the start of drawing to the
// finished picture, before the swap); decides once per window of frames, from the window's
// median, so one slow frame (a shader compiled by the driver, a busy moment of the machine)
// moves nothing. A window is 30 frames, or fewer on a slow machine: enough frames to span a
// quarter of a second, so even at 10 frames a second a step is taken within a second.
class QualityGovernor {
public:
    // 60 frames a second.
    static constexpr double kBudgetMs = 1000.0 / 60.0;
    static constexpr int kWindowFrames = 30;
    static constexpr int kFewestWindowFrames = 5;
    static constexpr double kShortestWindowMs = 250.0;
    // Above this share of the budget the window counts as slow. A little under the budget: the
    // idle step, the sleep's wake-up and the swap itself also take their share of a frame.
    static constexpr double kSlowShare = 0.8;
    // A step up is taken only when the window, made dearer by the larger picture, would still
    // fit in this share of the budget: well under the slow share, so the governor does not
    // swing back and forth between two steps.
    static constexpr double kRoomyShare = 0.55;
    // What a step up is assumed to cost where the scene's scale stays the same (the near
    // otters' detail): a guess on the safe side.
    static constexpr double kDetailCost = 1.5;

    // Records one frame; returns true when the step changed with it.
    bool addFrame(double drawMs);
    int step() const { return step_; }
    const QualityStep& current() const { return qualitysteps::kSteps[step_]; }
    // Back to the full picture, the window emptied (a fixed-quality run, a test).
    void reset();

private:
    // The median of the window; reorders it.
    double windowMedian();
    // How many times dearer a frame of step `from - 1` is than one of step `from`.
    static double costOfStepUp(int from);

    std::array<double, kWindowFrames> window_{};
    int filled_ = 0;
    double filledMs_ = 0.0;
    int step_ = 0;
};

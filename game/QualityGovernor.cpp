// QualityGovernor: one decision per window of frames, from its median.
#include "game/QualityGovernor.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int qualitysteps::fixedStepFromEnvironment() {
    const char* value = std::getenv("ZORBLAT_QUALITY_STEP");
    if (value == nullptr) {
        return -1;
    }
    char* end = nullptr;
    const long step = std::strtol(value, &end, 10);
    if (end == value || *end != '\0' || step < 0 || step >= kCount) {
        std::fprintf(stderr, "zorblat: ZORBLAT_QUALITY_STEP=%s ignored (0..%d)\n", value,
                     kCount - 1);
        return -1;
    }
    return static_cast<int>(step);
}

void QualityGovernor::reset() {
    filled_ = 0;
    filledMs_ = 0.0;
    step_ = 0;
}

double QualityGovernor::windowMedian() {
    const auto end = window_.begin() + filled_;
    const auto middle = window_.begin() + filled_ / 2;
    std::nth_element(window_.begin(), middle, end);
    return *middle;
}

double QualityGovernor::costOfStepUp(int from) {
    const float smaller = qualitysteps::kSteps[from].sceneScale;
    const float larger = qualitysteps::kSteps[from - 1].sceneScale;
    if (larger == smaller) {
        return kDetailCost;
    }
    // As if every bit of the frame's cost grew with its pixels: more than it really does.
    const double ratio = static_cast<double>(larger) / smaller;
    return ratio * ratio;
}

bool QualityGovernor::addFrame(double drawMs) {
    window_[filled_++] = drawMs;
    filledMs_ += drawMs;
    const bool longEnough = filled_ >= kFewestWindowFrames && filledMs_ >= kShortestWindowMs;
    if (filled_ < kWindowFrames && !longEnough) {
        return false;
    }
    const double median = windowMedian();
    filled_ = 0;
    filledMs_ = 0.0;
    if (median > kBudgetMs * kSlowShare && step_ + 1 < qualitysteps::kCount) {
        ++step_;
        return true;
    }
    if (step_ > 0 && median * costOfStepUp(step_) < kBudgetMs * kRoomyShare) {
        --step_;
        return true;
    }
    return false;
}

// LookTuning: how far the mouse turns the player: the first sensitivities and the options line.
#pragma once

struct LookTuning {
    // Radians of yaw and of pitch per pixel of mouse motion, until the settings say otherwise.
    static constexpr float kHorizontalSensitivity = 0.0018f;
    static constexpr float kVerticalSensitivity = 0.0012f;
    // A pixel turns sensitivity x kLookScale x kLookPerPixel radians: the two cancel out (the
    // second is 1 / 70 as the game always wrote it).
    static constexpr float kLookScale = 70.0f;
    static constexpr float kLookPerPixel = 0.014285714f;

    // The options slider's line: step s sets the vertical sensitivity to
    // s x kVerticalStep + kVerticalAtZero and the horizontal to s x kHorizontalStep +
    // kHorizontalAtZero (always in the ratio 3 : 2); kStepsPerVertical (1 / kVerticalStep)
    // reads the step back from a vertical sensitivity.
    static constexpr double kVerticalStep = 0.0003;
    static constexpr double kVerticalAtZero = 0.0018;
    static constexpr double kHorizontalStep = 0.0002;
    static constexpr double kHorizontalAtZero = 0.0012;
    static constexpr double kStepsPerVertical = 3333.3333333333335;
};

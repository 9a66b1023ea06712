// FramePacer: when the next frame is due, so the loop sleeps between frames instead of spinning.
#pragma once

// Menus and the results screen need no more than 60 frames a second; play runs at the
// display's refresh rate (120 where it is unknown). Times are real milliseconds, passed in.
class FramePacer {
public:
    static constexpr double kMenuFramesPerSecond = 60.0;
    static constexpr double kUnknownDisplayRate = 120.0;

    // The display's refresh rate in hertz; zero or less when unknown.
    void setDisplayRate(double hz);
    double framesPerSecond(bool play) const;

    // Milliseconds until the next frame is due; zero when it is due now.
    double msUntilFrame(double nowMs) const;
    // A frame starts now. A frame that starts late is not made up for by quicker ones: one late
    // by a whole frame or more starts the pace again from itself.
    void startFrame(double nowMs, bool play);

private:
    double displayRate_ = kUnknownDisplayRate;
    double nextFrameMs_ = 0.0;
};

// FramePacer: the frame schedule.
#include "framework/FramePacer.h"

void FramePacer::setDisplayRate(double hz) { displayRate_ = hz > 0.0 ? hz : kUnknownDisplayRate; }

double FramePacer::framesPerSecond(bool play) const {
    return play ? displayRate_ : kMenuFramesPerSecond;
}

double FramePacer::msUntilFrame(double nowMs) const {
    return nextFrameMs_ > nowMs ? nextFrameMs_ - nowMs : 0.0;
}

void FramePacer::startFrame(double nowMs, bool play) {
    const double interval = 1000.0 / framesPerSecond(play);
    // A little late keeps the beat; a whole frame late starts it again from now.
    const double next = nextFrameMs_ + interval;
    nextFrameMs_ = next > nowMs ? next : nowMs + interval;
}

// FramePacer: menus at 60 frames a second, play at the display's rate, no catching up.
#include <gtest/gtest.h>

#include "framework/FramePacer.h"

namespace {

// Runs the loop as the idle step does, over one second of quick frames: the frames started and
// the number of idle calls that found a frame due.
int framesInASecond(FramePacer& pacer, bool play, double& now) {
    const double end = now + 1000.0;
    int frames = 0;
    while (now < end) {
        const double wait = pacer.msUntilFrame(now);
        if (wait > 0.0) {
            now += wait;  // the sleep until the frame is due
            continue;
        }
        pacer.startFrame(now, play);
        ++frames;
        now += 1.0;  // a frame that takes 1 ms
    }
    return frames;
}

TEST(FramePacer, MenusRunAt60AndPlayAtTheDisplaysRateOr120) {
    struct Case {
        double displayHz;
        bool play;
        int frames;
    };
    for (const Case c : {Case{0.0, false, 60}, Case{144.0, false, 60}, Case{0.0, true, 120},
                         Case{-5.0, true, 120}, Case{75.0, true, 75}, Case{144.0, true, 144}}) {
        FramePacer pacer;
        pacer.setDisplayRate(c.displayHz);
        double now = 5000.0;
        framesInASecond(pacer, c.play, now);  // settle on the pace
        const int frames = framesInASecond(pacer, c.play, now);
        EXPECT_NEAR(frames, c.frames, 1) << c.displayHz << " Hz, play " << c.play;
    }
}

TEST(FramePacer, ALateFrameIsNotMadeUpForByABurst) {
    FramePacer pacer;
    const double interval = 1000.0 / 60.0;
    pacer.startFrame(1000.0, false);
    EXPECT_NEAR(pacer.msUntilFrame(1000.0), interval, 1e-9);
    // A little late: the next frame keeps the beat.
    pacer.startFrame(1000.0 + interval + 5.0, false);
    EXPECT_NEAR(pacer.msUntilFrame(1000.0 + interval + 5.0), interval - 5.0, 1e-9);
    // Half a second late (a long frame, a stay hidden): a whole frame from this one, no burst.
    pacer.startFrame(1600.0, false);
    EXPECT_NEAR(pacer.msUntilFrame(1600.0), interval, 1e-9);
}

}  // namespace

// FrameStepProbe: an optional observer told each time a step of a game frame is finished.
#pragma once

// The update (reported by whoever drives the screen step by step, such as scripted play; the
// GLUT loop does not report it), then the steps of GameScreen::display in drawing order. The
// glow capture and composite are reported even when the glow is off, so an observer sees
// every drawing step once per frame.
enum class FrameStep {
    Update,
    GlowCapture,
    Ground,
    Solids,  // collisions, otters, building
    Sky,
    WeaponAndEffects,
    ArenaWall,
    Zoom,
    Texts,
    GlowComposite,
    Radar,  // the last drawing: the picture is complete, not yet swapped
    Count
};

const char* frameStepName(FrameStep step);

// Review tools and benchmarks watch the frame through this: time a step, or read the finished
// picture before the buffer swap. The game installs nothing, so a step costs one test of a
// null pointer.
namespace frameprobe {

using Probe = void (*)(FrameStep step, void* context);
// A null probe removes the observer.
void install(Probe probe, void* context);

namespace detail {
extern Probe probe;
extern void* context;
}  // namespace detail

inline void mark(FrameStep step) {
    if (detail::probe) {
        detail::probe(step, detail::context);
    }
}

}  // namespace frameprobe

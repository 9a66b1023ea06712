// DrawStepProbe: an optional observer told each time a step of the game frame is finished.
#pragma once

// The steps of GameScreen::display, in drawing order. The glow capture and composite are
// reported even when the glow is off, so an observer always sees every step once per frame.
enum class DrawStep {
    GlowCapture,
    Sky,
    Ground,
    Solids,  // collisions, otters, building
    WeaponAndEffects,
    ArenaWall,
    Zoom,
    Texts,
    GlowComposite,
    Radar,  // the last drawing: the picture is complete, not yet swapped
    Count
};

const char* drawStepName(DrawStep step);

// Review tools and benchmarks watch the frame through this: time a step, or read the finished
// picture before the buffer swap. The game installs nothing, so a step costs one test of a
// null pointer.
namespace drawprobe {

using Probe = void (*)(DrawStep step, void* context);
// A null probe removes the observer.
void install(Probe probe, void* context);

namespace detail {
extern Probe probe;
extern void* context;
}  // namespace detail

inline void mark(DrawStep step) {
    if (detail::probe) {
        detail::probe(step, detail::context);
    }
}

}  // namespace drawprobe

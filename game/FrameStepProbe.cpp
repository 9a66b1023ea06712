// FrameStepProbe: the installed observer and the step names.
#include "game/FrameStepProbe.h"

namespace frameprobe {
namespace detail {
Probe probe = nullptr;
void* context = nullptr;
}  // namespace detail

void install(Probe probe, void* context) {
    detail::probe = probe;
    detail::context = probe ? context : nullptr;
}

}  // namespace frameprobe

const char* frameStepName(FrameStep step) {
    switch (step) {
        case FrameStep::Update:
            return "update";
        case FrameStep::GlowCapture:
            return "glow capture";
        case FrameStep::Sky:
            return "sky";
        case FrameStep::Ground:
            return "ground";
        case FrameStep::Solids:
            return "otters and building";
        case FrameStep::WeaponAndEffects:
            return "weapon and effects";
        case FrameStep::ArenaWall:
            return "arena wall";
        case FrameStep::Zoom:
            return "zoom";
        case FrameStep::Texts:
            return "texts";
        case FrameStep::GlowComposite:
            return "glow composite";
        case FrameStep::Radar:
            return "radar";
        case FrameStep::Count:
            break;
    }
    return "?";
}

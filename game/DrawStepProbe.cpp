// DrawStepProbe: the installed observer and the step names.
#include "game/DrawStepProbe.h"

namespace drawprobe {
namespace detail {
Probe probe = nullptr;
void* context = nullptr;
}  // namespace detail

void install(Probe probe, void* context) {
    detail::probe = probe;
    detail::context = probe ? context : nullptr;
}

}  // namespace drawprobe

const char* drawStepName(DrawStep step) {
    switch (step) {
        case DrawStep::GlowCapture:
            return "glow capture";
        case DrawStep::Sky:
            return "sky";
        case DrawStep::Ground:
            return "ground";
        case DrawStep::Solids:
            return "otters and building";
        case DrawStep::WeaponAndEffects:
            return "weapon and effects";
        case DrawStep::ArenaWall:
            return "arena wall";
        case DrawStep::Zoom:
            return "zoom";
        case DrawStep::Texts:
            return "texts";
        case DrawStep::GlowComposite:
            return "glow composite";
        case DrawStep::Radar:
            return "radar";
        case DrawStep::Count:
            break;
    }
    return "?";
}

// OtterHerd effects: the kill bursts, arrival splashes, tracers and blood sprays of a game.
#include "entities/OtterHerd.h"

// The header's inline otter accessors need the complete Otter.
#include "entities/Otter.h"
#include "render/Texture.h"

void OtterHerd::addKillBurst(const Vector3& point) {
    effectList_.addKillBurst(point, particleTexture_.get());
}

void OtterHerd::addArrivalSplash(const Vector3& point) {
    effectList_.addArrivalSplash(point, bloodTexture_.get());
}

void OtterHerd::addTracer(const Vector3& start, const Vector3& end, bool miss) {
    effectList_.addTracer(start, end, miss, particleTexture_.get());
}

void OtterHerd::addBloodSpray(const Vector3& point, const Vector3& direction) {
    effectList_.addBloodSpray(point, direction, bloodTexture_.get());
}

void OtterHerd::updateEffects(float ms) { effectList_.update(ms); }

void OtterHerd::drawEffects() const { effectList_.draw(); }

void OtterHerd::clearEffects() { effectList_.clear(); }

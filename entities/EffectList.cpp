// EffectList: builds, updates, draws and recycles the herd's particle effects.
#include "entities/EffectList.h"

#include "entities/ArrivalSplashEmitter.h"
#include "entities/BloodSprayEmitter.h"
#include "entities/KillBurstEmitter.h"
#include "entities/ParticleForce.h"
#include "entities/ParticleSystem.h"
#include "entities/TracerEmitter.h"

#include <typeinfo>
#include <utility>

EffectList::EffectList(std::vector<std::unique_ptr<ParticleSystem>>& live) : live_(live) {
    // Both lists together never hold more than kMaxEffects systems: reserving that up front
    // means moving systems between them never reallocates during a frame.
    live_.reserve(kMaxEffects);
    spare_.reserve(kMaxEffects);
}

EffectList::~EffectList() = default;

bool EffectList::full() const { return live_.size() >= static_cast<size_t>(kMaxEffects); }

template <typename Emitter>
Emitter* EffectList::takeSpareEmitting() {
    // The newest spare of the same kind: its emitter is reused as it is, so an effect launched
    // in steady play allocates nothing.
    for (size_t i = spare_.size(); i-- > 0;) {
        ParticleEmitter* emitter = spare_[i]->emitter();
        if (emitter && typeid(*emitter) == typeid(Emitter)) {
            std::swap(spare_[i], spare_.back());
            return static_cast<Emitter*>(emitter);
        }
    }
    return nullptr;
}

void EffectList::launch(ParticleEmitter* emitter, const Vector3& origin, const Vector3& force,
                        const Texture* texture, int particles) {
    std::unique_ptr<ParticleSystem> system;
    if (spare_.empty()) {
        system = std::make_unique<ParticleSystem>();
        system->reserve(kLargestEffect);
    } else {
        system = std::move(spare_.back());
        spare_.pop_back();
    }
    system->setTexture(texture);
    if (system->emitter() != emitter) {
        system->setEmitter(emitter);
    }
    emitter->setOrigin(origin);
    // A recycled system may come from a tracer, whose pull is zero.
    system->force()->setVector(force);
    system->init(particles);
    live_.push_back(std::move(system));
}

void EffectList::addKillBurst(const Vector3& point, const Texture* texture) {
    if (!full()) {
        KillBurstEmitter* emitter = takeSpareEmitting<KillBurstEmitter>();
        launch(emitter ? emitter : new KillBurstEmitter(), point, ParticleForce::gravity(), texture,
               30);
    }
}

void EffectList::addArrivalSplash(const Vector3& point, const Texture* texture) {
    if (!full()) {
        ArrivalSplashEmitter* emitter = takeSpareEmitting<ArrivalSplashEmitter>();
        launch(emitter ? emitter : new ArrivalSplashEmitter(), point, ParticleForce::gravity(),
               texture, 40);
    }
}

void EffectList::addTracer(const Vector3& start, const Vector3& end, bool miss,
                           const Texture* texture) {
    // No pull: the line stays straight while it fades.
    if (!full()) {
        TracerEmitter* emitter = takeSpareEmitting<TracerEmitter>();
        if (emitter) {
            *emitter = TracerEmitter(start, end, miss);
        }
        launch(emitter ? emitter : new TracerEmitter(start, end, miss), start, Vector3(), texture,
               100);
    }
}

void EffectList::addBloodSpray(const Vector3& point, const Vector3& direction,
                               const Texture* texture) {
    if (!full()) {
        BloodSprayEmitter* emitter = takeSpareEmitting<BloodSprayEmitter>();
        if (emitter) {
            *emitter = BloodSprayEmitter(point, direction);
        }
        launch(emitter ? emitter : new BloodSprayEmitter(point, direction), point,
               ParticleForce::gravity(), texture, 30);
    }
}

void EffectList::update(float ms) {
    // One pass that keeps the order: finished systems move to the spare list, the others move
    // up over the gaps and are updated exactly once.
    size_t kept = 0;
    for (size_t i = 0; i < live_.size(); ++i) {
        if (live_[i]->finished()) {
            spare_.push_back(std::move(live_[i]));
            continue;
        }
        live_[i]->update(ms);
        if (kept != i) {
            live_[kept] = std::move(live_[i]);
        }
        ++kept;
    }
    live_.erase(live_.begin() + static_cast<std::ptrdiff_t>(kept), live_.end());
}

void EffectList::draw() const {
    for (const auto& system : live_) {
        system->draw();
    }
}

void EffectList::prepare(int perKind) {
    for (int i = 0; i < perKind && spare_.size() + 4 <= static_cast<size_t>(kMaxEffects); ++i) {
        ParticleEmitter* emitters[4] = {new KillBurstEmitter(), new ArrivalSplashEmitter(),
                                        new TracerEmitter(Vector3(), Vector3(), false),
                                        new BloodSprayEmitter(Vector3(), Vector3(0, 0, 1))};
        for (ParticleEmitter* emitter : emitters) {
            auto system = std::make_unique<ParticleSystem>();
            system->reserve(kLargestEffect);
            system->setEmitter(emitter);
            spare_.push_back(std::move(system));
        }
    }
}

void EffectList::clear() {
    for (auto& system : live_) {
        spare_.push_back(std::move(system));
    }
    live_.clear();
}

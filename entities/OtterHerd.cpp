// OtterHerd: moves, judges, respawns and draws the otters of a game, then draws the building.
#include "entities/OtterHerd.h"

#include <GL/gl.h>

#include <algorithm>
#include <utility>

#include "entities/Building.h"
#include "entities/Otter.h"
#include "entities/OtterTuning.h"
#include "entities/ParticleSystem.h"
#include "render/AssetNames.h"
#include "render/Model.h"
#include "render/Texture.h"
#include "render/TextureSets.h"
#include "sound/SoundManager.h"

namespace {

// An otter is at the building when its footprint overlaps the building's, less this margin.
constexpr float kArrivalMargin = 10.0f;
// Without models the overlap is empty: the otter must still be able to arrive, and it walks
// straight at the centre, so any radius larger than one step would do; ten units is several
// steps even for the fastest otters.
constexpr float kMinArrivalRadius = 10.0f;
// A respawn looks for a free spot this many times, then takes the last one it tried: the ring
// is wide enough that this only happens when the spacing cannot be met at all (a ring of
// radius 0, or otters so large they cover it).
constexpr int kMaxPlacementTries = 1000;

float modelRadius(const SceneObject& object) {
    return object.model() ? object.model()->radius() : 0.0f;
}

}  // namespace

OtterHerd::OtterHerd()
    : building_(std::make_unique<Building>()),
      particleTexture_(std::make_unique<Texture>()),
      bloodTexture_(std::make_unique<Texture>()) {
    texturesets::loadInterfaceOpaque(*particleTexture_, assetnames::kParticle, false);
    texturesets::loadInterfaceOpaque(*bloodTexture_, assetnames::kBlood, false);
    effectList_.prepare(EffectList::kPreparedPerKind);
}

OtterHerd::~OtterHerd() { clearEffects(); }

void OtterHerd::setOtters(std::unique_ptr<Otter[]> otters, int count) {
    otters_ = std::move(otters);
    for (int i = 0; i < count; ++i) {
        otters_[i].place(otters_[i].target(), spawnRadius_);
        otters_[i].tick();
    }
    count_ = count;
}

void OtterHerd::setBuilding(std::unique_ptr<Building> building) {
    if (building) {
        building_ = std::move(building);
    }
}

void OtterHerd::restartClocks() {
    for (int i = 0; i < count_; ++i) {
        otters_[i].tick();
    }
}

void OtterHerd::updateAndDraw(int d) {
    buildingHit_ = false;
    frustum_.extract(true);
    const float buildingRadius = modelRadius(*building_);

    for (int i = 0; i < count_; ++i) {
        Otter& otter = otters_[i];
        otter.steer();
        otter.update();

        if (otter.isAlive()) {
            const double distance = (building_->position() - otter.position()).length();
            const float reach = std::max(
                buildingRadius + modelRadius(otter) * otter.effectiveScale() - kArrivalMargin,
                kMinArrivalRadius);
            if (distance < reach) {
                // What the otter has left is what the building loses, down to nothing.
                building_->setLife(std::max(building_->life() - otter.life(), 0));
                otter.setLife(0);
                addArrivalSplash(otter.position());
                buildingHit_ = true;
                SoundManager::instance().playExplosion();
            }
        }

        if (!otter.isAlive() && !otter.isAboveGround()) {
            respawn(i, d);
        }

        if (frustum_.containsBox(otter.position(), otter.model(), otter.effectiveScale())) {
            glColor3f(1.0f, 1.0f, 1.0f);
            otter.setDrawnModel(modelToDraw(otter));
            otter.draw(false);
            otter.setVisible(true);
        } else {
            otter.setVisible(false);
        }
    }

    if (frustum_.containsBox(building_->position(), building_->model(), 1.0f)) {
        glColor3f(1.0f, 1.0f, 1.0f);
        building_->draw();
    }
}

Model* OtterHerd::modelToDraw(const Otter& otter) const {
    // A lighter model that failed to load would make far otters vanish: keep the own one.
    if (distantDetail_ <= 0.0f || !distantModel_ || distantModel_->indexCount() == 0) {
        return nullptr;
    }
    // The otter's feet in eye coordinates: their length is the distance from the eye.
    const float* m = frustum_.modelview();
    const Vector3& p = otter.position();
    float eye[3];
    for (int row = 0; row < 3; ++row) {
        eye[row] = m[row] * p.x() + m[4 + row] * p.y() + m[8 + row] * p.z() + m[12 + row];
    }
    const float squared = eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2];
    return squared > distantDetail_ * distantDetail_ ? distantModel_ : nullptr;
}

void OtterHerd::respawn(int i, int d) {
    Otter& otter = otters_[i];
    for (int tries = 1;; ++tries) {
        otter.place(otter.target(), spawnRadius_);
        bool crowded = false;
        for (int j = 0; j < count_ && !crowded; ++j) {
            if (j != i) {
                const Otter& other = otters_[j];
                crowded =
                    2.0f * other.effectiveScale() >= (other.position() - otter.position()).length();
            }
        }
        if (!crowded || tries >= kMaxPlacementTries) {
            break;
        }
    }

    otter.setLife(OtterTuning::lifeAt(d));
    otter.setSpeed(otter.speed() + OtterTuning::kRespawnSpeedGain);
    if (spawnCounter_ >= OtterTuning::kGiantEvery) {
        otter.setGiant(true);
        const float strength = static_cast<float>(d) * OtterTuning::kGiantLifePerLevel + 1.0f;
        otter.setLife(static_cast<int>(static_cast<float>(otter.life()) * strength));
        spawnCounter_ = 0;
    } else {
        // Each return makes an ordinary otter a little bigger, up to one and a half.
        otter.setScale(
            std::min(otter.scale() + OtterTuning::kRespawnScaleGain, OtterTuning::kMaxScale));
        otter.setGiant(false);
        ++spawnCounter_;
    }
    otter.setKnockStrength(0.0f);
}

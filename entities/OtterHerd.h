// OtterHerd: the otters of a game, the building they walk to and the particle effects of both.
#pragma once

#include <memory>
#include <vector>

#include "entities/EffectList.h"
#include "entities/Otter.h"
#include "render/Frustum.h"
#include "render/Vector3.h"

class Building;
class Model;
class ParticleSystem;
class Texture;

class OtterHerd {
public:
    // Loads the particle and blood sprites (needs the GL context) and starts with a default
    // building and no otters.
    OtterHerd();
    ~OtterHerd();
    OtterHerd(const OtterHerd&) = delete;
    OtterHerd& operator=(const OtterHerd&) = delete;

    void setSpawnRadius(float radius) { spawnRadius_ = radius; }
    // Takes ownership of the array (the previous one is destroyed) and places every otter on
    // the spawn ring around its target.
    void setOtters(std::unique_ptr<Otter[]> otters, int count);
    // Takes ownership of the building (the previous one is destroyed).
    void setBuilding(std::unique_ptr<Building> building);

    Otter& otter(int i) { return otters_[i]; }
    const Otter& otter(int i) const { return otters_[i]; }
    Otter* otters() { return otters_.get(); }
    int count() const { return count_; }
    Building& building() { return *building_; }
    const Building& building() const { return *building_; }
    bool wasBuildingHit() const { return buildingHit_; }

    // Distant detail: otters farther from the eye than distance (world units) are drawn with
    // the distant model, nearer ones with their own; the glow pass follows each otter's last
    // drawing. 0 (the default), or no distant model with triangles, draws every otter with its
    // own model.
    void setDistantDetail(float distance) { distantDetail_ = distance; }
    float distantDetail() const { return distantDetail_; }
    // The lighter model for far otters; not owned.
    void setDistantModel(Model* model) { distantModel_ = model; }

    // Ticks every otter, so time spent in the menus is not one long step.
    void restartClocks();

    // Once per drawn frame, with the camera's view and the projection set: moves each otter,
    // settles arrivals (life taken from the building), respawns sunk otters, draws the otters
    // in view (marking them visible) and the building. d is the difficulty level.
    void updateAndDraw(int d);

    // Effects, oldest first. The add operations emit every particle at once.
    void addKillBurst(const Vector3& point);
    void addArrivalSplash(const Vector3& point);
    void addTracer(const Vector3& start, const Vector3& end, bool miss);
    void addBloodSpray(const Vector3& point, const Vector3& direction);
    // Drops the systems that finished at their last update, then updates the others.
    void updateEffects(float ms);
    void drawEffects() const;
    void clearEffects();
    int effectCount() const { return static_cast<int>(effects_.size()); }

private:
    void respawn(int i, int d);
    // The distant model when the otter stands beyond the distant-detail distance from the eye
    // of the frustum's view, else null (its own).
    Model* modelToDraw(const Otter& otter) const;

    bool buildingHit_ = false;
    int count_ = 0;
    Frustum frustum_;
    float spawnRadius_ = 0.0f;
    std::unique_ptr<Otter[]> otters_;
    std::unique_ptr<Building> building_;
    int spawnCounter_ = 0;
    float distantDetail_ = 0.0f;
    Model* distantModel_ = nullptr;
    std::vector<std::unique_ptr<ParticleSystem>> effects_;
    std::unique_ptr<Texture> particleTexture_;
    std::unique_ptr<Texture> bloodTexture_;

    // ---- Effect recycling (OtterHerdEffects.cpp) ----
    // Runs the effect operations on effects_ and keeps finished systems for the next shot, so
    // sustained fire does not allocate and free a particle array per effect. Declared after
    // effects_, which it reserves room in.
    EffectList effectList_{effects_};
};

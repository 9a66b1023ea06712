// Building: the tower in the middle of the arena; its life is the player's life.
#pragma once

#include <cstdint>

#include "entities/SceneObject.h"

class Building : public SceneObject {
public:
    Building() = default;
    ~Building() override;

    // Toon-shaded and outlined at the origin, pushed back in depth so otters at its foot win.
    void draw() override;

    const Vector3* light() const { return light_; }
    void setLight(const Vector3* light) { light_ = light; }
    int life() const { return life_; }
    void setLife(int life) { life_ = life; }

private:
    const Vector3* light_ = nullptr;
    int32_t life_ = 0;
};

// Weapon: the player's gun (model, muzzle flash, crosshair, score); it is also the player's Camera.
#pragma once

#include <cstdint>
#include <memory>

#include "entities/Camera.h"
#include "entities/SceneObject.h"

class Model;
class Texture;

class Weapon : public SceneObject, public Camera {
public:
    // Loads ./ressources/models/arme.obj into the weapon's own model.
    Weapon();
    ~Weapon() override;

    // The player stands where the camera is; the SceneObject position is unused.
    using Camera::position;
    using Camera::setPosition;

    void setFireTexture(std::unique_ptr<Texture> texture);
    void setCrosshairTexture(std::unique_ptr<Texture> texture);
    void setFlashDuration(int ms) { flashDuration_ = ms; }
    void setShotInterval(int ms) { shotInterval_ = ms; }
    void setScreenSize(int width, int height) {
        screenWidth_ = width;
        screenHeight_ = height;
    }
    void setLight(const Vector3* light) { light_ = light; }
    Model* ownModel() const { return ownModel_.get(); }

    int score() const { return score_; }
    void setScore(int score) { score_ = score; }

    // Flash, recoil and the shot sound, at most once per shot interval (strictly more than
    // shotInterval ms after the last accepted shot). Returns whether the shot was accepted.
    bool fire();
    // True from an accepted shot until the first frame drawn more than flashDuration after it;
    // never before the first shot.
    bool isFiring() const;
    using SceneObject::draw;
    // The gun in eye space, the muzzle flash while firing, and the crosshair. The camera's view
    // must be the current modelview matrix. Restores the state it changes.
    void draw(bool glowPass, bool withCrosshair = true);
    // The crosshair alone, over whatever is drawn (a scene stretched from a reduced size).
    void drawCrosshairOver() const;

    float flashAngle() const { return flashAngle_; }
    int lastShotTime() const { return lastShotTime_; }

private:
    // The world light carried into the gun model's axes; reads the current (view) modelview.
    Vector3 gunLight() const;
    // Leaves the modelview at the gun's placement in eye space.
    void drawGun(bool glowPass, bool firing);
    // At the gun's muzzle; notes the frame's time as the flash's clock.
    void drawFlash();
    void drawCrosshair() const;

    std::unique_ptr<Model> ownModel_;
    const Vector3* light_ = nullptr;
    int32_t screenHeight_ = 768;
    int32_t screenWidth_ = 1024;
    std::unique_ptr<Texture> crosshairTexture_;
    float flashAngle_ = 0.0f;
    int32_t lastShotTime_ = 0;
    int32_t flashClock_ = 0;
    int32_t flashDuration_ = 0;
    int32_t shotInterval_ = 70;
    bool hasFired_ = false;
    std::unique_ptr<Texture> fireTexture_;
    int32_t score_ = 0;
};

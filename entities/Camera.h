// Camera: the player's first-person view: where he stands, where he looks, which keys he holds.
#pragma once

#include <cstdint>

#include "entities/LookTuning.h"
#include "render/Vector3.h"

// Walks on the ground at a fixed height (walking never changes y), turns by yaw and pitch.
// The Weapon derives from it, so the one weapon object is also the player.
class Camera {
public:
    // Pitch stops short of straight up or down (80 degrees, with pi taken as 3.14), so the
    // horizontal part of the view direction never vanishes.
    static constexpr float kPitchLimit = 1.3955555f;

    Camera();
    virtual ~Camera();

    // direction = (sin yaw cos pitch, -sin pitch, cos yaw cos pitch): positive pitch looks
    // down, yaw 0 looks along +z.
    void updateDirection();
    void setYaw(float angle);
    void setPitch(float angle);
    void addYaw(float angle);
    void addPitch(float angle);

    float yaw() const { return yaw_; }
    float pitch() const { return pitch_; }
    const Vector3& direction() const { return direction_; }
    const Vector3& position() const { return cameraPosition_; }
    void setPosition(float x, float y, float z) { cameraPosition_.set(x, y, z); }
    void setPosition(const Vector3& p) { cameraPosition_ = p; }

    float horizontalSensitivity() const { return horizontalSensitivity_; }
    float verticalSensitivity() const { return verticalSensitivity_; }
    void setHorizontalSensitivity(float s) { horizontalSensitivity_ = s; }
    void setVerticalSensitivity(float s) { verticalSensitivity_ = s; }
    float lookScale() const { return lookScale_; }

    // gluLookAt from the eye along the view direction; the modelview matrix must be current
    // and reset to identity.
    void apply() const;

    // Presses are case-sensitive: only lower-case z, q, s, d walk. A released letter releases
    // both of its cases, so a Shift pressed while walking cannot leave a key stuck down.
    void keyPressed(uint8_t key);
    void keyReleased(uint8_t key);
    bool isKeyDown(uint8_t key) const { return keyDown_[key]; }
    // Lets go of every key, for when the game loses the keyboard (suspended in the menus).
    void releaseAllKeys();
    bool isMoving() const;

    uint8_t forwardKey() const { return forwardKey_; }
    uint8_t backwardKey() const { return backwardKey_; }
    uint8_t leftKey() const { return leftKey_; }
    uint8_t rightKey() const { return rightKey_; }

    // Walks for ms milliseconds with the keys held: forward/back along the horizontal view
    // direction, strafing sideways, each at moveSpeed (diagonals are the sum of two steps).
    void move(int ms);

private:
    float moveSpeed_ = 0.25f;
    float horizontalSensitivity_ = LookTuning::kHorizontalSensitivity;
    float verticalSensitivity_ = LookTuning::kVerticalSensitivity;
    float yaw_ = 0.0f;
    float pitch_ = 0.0f;
    float lookScale_ = LookTuning::kLookScale;
    Vector3 direction_{0.0f, 0.0f, 1.0f};
    Vector3 up_{0.0f, 1.0f, 0.0f};
    bool keyDown_[256] = {};
    Vector3 cameraPosition_{0.0f, 50.0f, 0.0f};
    uint8_t forwardKey_ = 'z';
    uint8_t backwardKey_ = 's';
    uint8_t leftKey_ = 'q';
    uint8_t rightKey_ = 'd';
};

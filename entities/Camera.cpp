// Camera: turning, walking on the ground and the held movement keys of the first-person view.
#include "entities/Camera.h"

#include <GL/glu.h>

#include <algorithm>
#include <iterator>

namespace {

bool isLetter(uint8_t key) { return (key >= 'a' && key <= 'z') || (key >= 'A' && key <= 'Z'); }

// Lower and upper case differ only by this bit in ASCII.
constexpr uint8_t kCaseBit = 0x20;

}  // namespace

Camera::Camera() = default;

Camera::~Camera() = default;

void Camera::updateDirection() {
    Vector3 v(0.0f, 0.0f, 1.0f);
    v.rotateAboutX(pitch_);
    v.rotateAboutY(yaw_);
    direction_ = v;
}

void Camera::setYaw(float angle) {
    yaw_ = angle;
    updateDirection();
}

void Camera::setPitch(float angle) {
    pitch_ = angle;
    updateDirection();
}

void Camera::addYaw(float angle) {
    yaw_ += angle;
    updateDirection();
}

void Camera::addPitch(float angle) {
    pitch_ += angle;
    updateDirection();
}

void Camera::apply() const {
    const Vector3 centre = cameraPosition_ + direction_;
    gluLookAt(cameraPosition_.x(), cameraPosition_.y(), cameraPosition_.z(), centre.x(), centre.y(),
              centre.z(), up_.x(), up_.y(), up_.z());
}

void Camera::keyPressed(uint8_t key) { keyDown_[key] = true; }

void Camera::keyReleased(uint8_t key) {
    keyDown_[key] = false;
    // Shift pressed or let go while a letter is held changes the case GLUT reports for its
    // release, so the press of 'z' may come back as the release of 'Z'.
    if (isLetter(key)) {
        keyDown_[key ^ kCaseBit] = false;
    }
}

void Camera::releaseAllKeys() { std::fill(std::begin(keyDown_), std::end(keyDown_), false); }

bool Camera::isMoving() const {
    return keyDown_[forwardKey_] || keyDown_[backwardKey_] || keyDown_[leftKey_] ||
           keyDown_[rightKey_];
}

void Camera::move(int ms) {
    const float step = static_cast<float>(ms) * moveSpeed_;
    if (keyDown_[forwardKey_] || keyDown_[backwardKey_]) {
        // Walking follows the view only horizontally: looking down does not walk into the ground.
        Vector3 forward = direction_;
        forward.setComponent(1, 0.0f);
        forward.normalize();
        if (keyDown_[forwardKey_]) {
            cameraPosition_ += forward * step;
        }
        if (keyDown_[backwardKey_]) {
            cameraPosition_ -= forward * step;
        }
    }
    if (keyDown_[leftKey_]) {
        Vector3 left;
        direction_.cross(up_, left);
        left.normalize();
        cameraPosition_ -= left * step;
    }
    if (keyDown_[rightKey_]) {
        Vector3 right;
        up_.cross(direction_, right);
        right.normalize();
        cameraPosition_ -= right * step;
    }
}

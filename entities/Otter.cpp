// Otter: walking, waddling, sinking, grunting and drawing one otter.
#include "entities/Otter.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "entities/OtterTuning.h"
#include "render/Clock.h"
#include "render/Model.h"
#include "render/ToonRenderer.h"
#include "sound/SoundManager.h"

namespace {

// Degrees from radians and back, with pi taken as 3.14 as everywhere else in the game.
constexpr double kDegreesPerRadian = 57.324840764331206;
constexpr double kRadiansPerDegree = 0.017444444444444446;
// A quarter turn, as the facing rotations write it.
constexpr float kQuarterTurn = 1.57f;

// One grunt clock for every otter alive (game and main menu alike), so the whole crowd grunts
// about as often as a single otter would.
struct GruntClock {
    bool started = false;
    int lastChance = 0;
};

GruntClock& gruntClock() {
    static GruntClock clock;
    return clock;
}

// A random number used as radians, as the game draws all its random factors.
double randomRadians() { return static_cast<double>(rand()); }

}  // namespace

Otter::Otter() {
    tick();
    frameMs_ = 0.0f;
}

Otter::~Otter() = default;

void Otter::tick() {
    const int now = gameclock::elapsedMs();
    frameMs_ = static_cast<float>(now - lastTick_);
    lastTick_ = now;
}

bool Otter::isAboveGround() const {
    const float halfHeight = model_ ? model_->boundingBox().halfHeight : 0.0f;
    return position_.y() + 2.0f * halfHeight * effectiveScale() >= 0.0f;
}

void Otter::place(const Vector3& centre, float radius) {
    const float distance =
        static_cast<float>(std::cos(randomRadians()) * OtterTuning::kRingSpread + radius);
    Vector3 displacement(distance, 0.0f, 0.0f);
    displacement.rotateAboutY(static_cast<float>(std::sin(randomRadians()) * 6.28));
    position_ = centre + displacement;
    waddleAngle_ = static_cast<float>(std::cos(randomRadians()) * OtterTuning::kWaddlePhaseRange *
                                      waddleRate_);
    waddleFactor_ = static_cast<float>(
        std::fabs(std::cos(randomRadians())) * OtterTuning::kWaddleFactorSpread + 1.0);
    gruntDelay_ =
        static_cast<int32_t>(std::fabs(std::cos(randomRadians())) * OtterTuning::kGruntDelayRange);
}

void Otter::steer() {
    // The full distance is added, so far away the wish points straight at the target, and it
    // is only smoothed when the otter is close.
    desiredDirection_ += target_ - position_;
    desiredDirection_.normalize();
}

void Otter::move() {
    heading_ += desiredDirection_ * steeringWeight_;
    heading_.normalize();
    const Vector3 velocity = heading_ * speed_ + knockDirection_ * knockStrength_;
    position_ += velocity * frameMs_;
}

void Otter::update() {
    // The swing uses the previous step's time: the waddle lags one frame behind the walk.
    waddleAngle_ += static_cast<float>(frameMs_ * 0.001 * waddleRate_ * waddleFactor_);
    tick();
    if (isAlive()) {
        move();
        // After a collision the otter staggers a while before it walks straight again.
        if (steeringWeight_ < 1.0f) {
            steeringWeight_ +=
                static_cast<float>(speed_ * frameMs_ * OtterTuning::kSteeringRecovery);
        } else {
            steeringWeight_ = 1.0f;
        }
        if (knockStrength_ > 0.0f) {
            knockStrength_ -= static_cast<float>(frameMs_ * OtterTuning::kKnockFadePerMs);
        } else {
            knockStrength_ = 0.0f;
        }
    } else if (isAboveGround()) {
        position_.setComponent(
            1, static_cast<float>(position_.y() - scale_ * frameMs_ * OtterTuning::kSinkRate));
    }

    GruntClock& grunt = gruntClock();
    const int now = lastTick_;
    if (!grunt.started) {
        grunt.started = true;
        grunt.lastChance = now;
    }
    if (now > gruntDelay_ + grunt.lastChance + OtterTuning::kGruntChanceMs) {
        grunt.lastChance = now;
        const int roll =
            static_cast<int>(std::fabs(std::cos(randomRadians())) * OtterTuning::kGruntRollRange);
        if (roll > OtterTuning::kGruntRollWins) {
            SoundManager::instance().playOtterCry();
        }
    }
}

void Otter::draw(bool glowPass) {
    const Vector3 toTarget = target_ - position_;
    const double distance = toTarget.length();
    // Standing right on its target the otter has no direction to face: it keeps its last one.
    if (distance > 0.0) {
        const double ratio = std::clamp(toTarget.x() / distance, -1.0, 1.0);
        const float yaw = static_cast<float>(std::acos(ratio));
        facing_ = toTarget.z() > 0.0f ? -yaw : yaw;
    }
    const float yaw = facing_;

    // The swing turns back at either end; an angle found past the end is pulled back to it.
    if (std::fabs(waddleAngle_) > std::fabs(waddleLimit_)) {
        waddleRate_ = -waddleRate_;
        if (waddleAngle_ > waddleLimit_) {
            waddleAngle_ = waddleLimit_;
        }
        if (-waddleLimit_ > waddleAngle_) {
            waddleAngle_ = -waddleLimit_;
        }
    }

    if (!renderer_) {
        return;
    }
    const float s = effectiveScale();
    glPushMatrix();
    glTranslatef(position_.x(), position_.y(), position_.z());
    glScalef(s, s, s);
    glRotatef(static_cast<float>((yaw + kQuarterTurn) * kDegreesPerRadian), 0.0f, 1.0f, 0.0f);
    glRotatef(waddleAngle_, 0.0f, 0.0f, 1.0f);

    // The world light seen along the model's own axes, turned the way the model is turned.
    const float roll = static_cast<float>(waddleAngle_ * kRadiansPerDegree);
    Vector3 axisX(-1.0f, 0.0f, 0.0f);
    Vector3 axisY(0.0f, 1.0f, 0.0f);
    Vector3 axisZ(0.0f, 0.0f, -1.0f);
    for (Vector3* axis : {&axisX, &axisY, &axisZ}) {
        axis->rotateAboutZ(roll);
    }
    axisX.rotateAboutY(yaw - kQuarterTurn);
    axisZ.rotateAboutY(yaw - kQuarterTurn);
    axisY.rotateAboutY(yaw);
    const Vector3 world = (light_ ? *light_ : Vector3()) - position_;
    const Vector3 light(static_cast<float>(world.dot(axisX)), static_cast<float>(world.dot(axisY)),
                        static_cast<float>(world.dot(axisZ)));

    if (glowPass) {
        renderer_->drawFlat(drawnModel(), light, false);
    } else {
        renderer_->draw(drawnModel(), light);
    }
    glPopMatrix();
}

void Otter::knockBack(const Vector3& direction, float strength) {
    knockDirection_ = direction;
    knockStrength_ = strength;
}

void Otter::resetGruntClock() { gruntClock() = GruntClock(); }

// GameScreenShooting: a left click fires the gun; what the shot meets is hit, pushed and counted.
#include <GL/freeglut.h>

#include "entities/Building.h"
#include "entities/Otter.h"
#include "entities/OtterHerd.h"
#include "entities/Weapon.h"
#include "game/GameScreen.h"
#include "game/LineOfFire.h"

namespace {

// The gun's muzzle, from the eye: right, up and along the view.
constexpr float kMuzzleRight = 3.0f;
constexpr float kMuzzleUp = -15.0f;
constexpr float kMuzzleForward = 30.0f;

}  // namespace

void GameScreen::mouse(int button, int state, int, int) {
    if (button != GLUT_LEFT_BUTTON || state != GLUT_DOWN) {
        return;
    }
    // The gun refuses to flash and sound more than once per shot interval, but every press is a
    // shot that counts and can hit; the click position plays no part, the shot goes along the
    // view.
    player_->fire();
    shoot();
    shotArmed_ = true;
}

void GameScreen::shoot() {
    if (!shotArmed_) {
        return;
    }
    shotArmed_ = false;
    stats_.countShot();

    const Vector3 eye = player_->position();
    const Building& building = herd_->building();
    const int buildingDistance = static_cast<int>((eye - building.position()).length());
    const bool buildingOnLine = lineOfFire_->buildingOnLine(*player_, building.model());

    int otterDistance = 0;
    const int nearest = lineOfFire_->nearestOtter(*herd_, eye, otterDistance);
    if (nearest == LineOfFire::kNone) {
        missShot();
    } else if (buildingOnLine && buildingDistance <= otterDistance) {
        // The building stands in the way (judged by its centre): nothing is hit, and since
        // the shot went into the wall no tracer is drawn either.
    } else {
        hitOtter(nearest);
    }
}

Vector3 GameScreen::muzzlePoint() const {
    const Vector3 eye = player_->position();
    const Vector3 view = player_->direction();
    Vector3 right;
    Vector3(0.0f, 1.0f, 0.0f).cross(view, right);
    right.normalize();
    Vector3 up;
    view.cross(right, up);
    up.normalize();
    return eye + right * kMuzzleRight + up * kMuzzleUp + view * kMuzzleForward;
}

void GameScreen::hitOtter(int index) {
    Otter& otter = herd_->otter(index);
    stats_.countHit();
    const Vector3 eye = player_->position();
    const float distance = static_cast<float>((eye - otter.position()).length());
    otter.setLife(otter.life() - 1);

    // Point-blank hits push hardest; the push fades to nothing at the range limit and stays
    // at nothing beyond it (never a pull towards the player). Harder levels push less.
    float nearness = (GameTuning::kKnockBackRange - distance) * GameTuning::kKnockBackFade;
    if (nearness < 0.0f) {
        nearness = 0.0f;
    }
    float strength = static_cast<float>(((2 - difficulty_ / 5) * 0.5 + 3.0) * nearness);
    if (strength < 0.0f) {
        strength = 0.0f;
    }
    Vector3 away = otter.position() - eye;
    away.setComponent(1, 0.0f);
    away.normalize();
    otter.knockBack(away, strength);

    // The tracer runs from the muzzle along the view to the otter's distance from the muzzle.
    const Vector3 muzzle = muzzlePoint();
    const Vector3 view = player_->direction();
    const Vector3 impact = muzzle + view * static_cast<float>((muzzle - otter.position()).length());
    herd_->addTracer(muzzle, impact, false);
    Vector3 spray = impact - muzzle;
    spray.normalize();
    herd_->addBloodSpray(impact, spray);
    if (!otter.isAlive()) {
        stats_.countKill();
        herd_->addKillBurst(impact);
    }
}

void GameScreen::missShot() {
    const Vector3 muzzle = muzzlePoint();
    herd_->addTracer(muzzle, muzzle + player_->direction() * GameTuning::kMissTracerLength, true);
}

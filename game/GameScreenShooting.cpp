// GameScreenShooting: a left click fires the gun and tests the line of fire against building and
// otters.
#include <GL/freeglut.h>
#include <GL/glu.h>

#include "entities/Building.h"
#include "entities/Otter.h"
#include "entities/OtterHerd.h"
#include "entities/Weapon.h"
#include "game/GameScreen.h"
#include "render/Frustum.h"
#include "render/Model.h"
#include "render/ToonRenderer.h"

namespace {

// The pick volume: a thousandth of a degree wide, as deep as the game's view.
constexpr double kPickFieldOfView = 0.001;
constexpr int kFarAway = 100000;
// Hits lose their push with distance, down to nothing at this range.
constexpr float kKnockBackRange = 1500.0f;
constexpr float kMissTracerLength = 700.0f;

}  // namespace

void GameScreen::mouse(int button, int state, int, int) {
    if (button != GLUT_LEFT_BUTTON || state != GLUT_DOWN) {
        return;
    }
    // The gun refuses to flash and sound more than once per 70 ms, but every press is a shot
    // that counts and can hit; the click position plays no part, the shot goes along the view.
    weapon_->fire();
    shoot();
    shotArmed_ = true;
}

void GameScreen::shoot() {
    if (!shotArmed_) {
        return;
    }
    shotArmed_ = false;
    ++shots_;

    const Vector3 eye = weapon_->position();
    const Building& building = herd_->building();
    const int buildingDistance = static_cast<int>((eye - building.position()).length());
    const bool buildingOnLine = buildingOnLineOfFire();

    // The nearest live otter on the line among those drawn last frame; ties keep the first.
    int best = kFarAway;
    int bestIndex = -1;
    for (int i = 0; i < herd_->count(); ++i) {
        const Otter& otter = herd_->otter(i);
        if (!otter.visible() || !otter.isAlive()) {
            continue;
        }
        if (pickFrustum_->containsBox(otter.position(), otter.model(), otter.effectiveScale())) {
            const int distance = static_cast<int>((eye - otter.position()).length());
            if (distance < best) {
                best = distance;
                bestIndex = i;
            }
        }
    }

    if (bestIndex < 0) {
        missShot();
    } else if (buildingOnLine && buildingDistance <= best) {
        // The building stands in the way (judged by its centre): nothing is hit, and since
        // the shot went into the wall no tracer is drawn either.
    } else {
        hitOtter(bestIndex);
    }
}

// Draws the building alone, in selection mode, into the one pixel at the centre of the view.
// Only one extra projection matrix is pushed, so two levels of the projection stack (all that
// OpenGL promises) are enough.
bool GameScreen::buildingOnLineOfFire() {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    weapon_->apply();

    GLuint records[8];
    glSelectBuffer(8, records);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glRenderMode(GL_SELECT);
    glLoadIdentity();
    gluPickMatrix(viewport[0] + viewport[2] * 0.5, viewport[1] + viewport[3] * 0.5, 1.0, 1.0,
                  viewport);
    gluPerspective(kPickFieldOfView, 1.0, 1.0, 10000.0);
    // The same thin volume, seen from the camera, judges the otters.
    pickFrustum_->extract(true);

    glMatrixMode(GL_MODELVIEW);
    glInitNames();
    glPushName(0);
    GLint depthFunction = GL_LEQUAL;
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunction);
    glDepthFunc(GL_LEQUAL);
    drawModelGeometry(herd_->building().model());
    glDepthFunc(depthFunction);
    // One name and one model: at most one record (or -1 had it overflowed, still a hit).
    const GLint hitRecords = glRenderMode(GL_RENDER);

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glFlush();
    return hitRecords != 0;
}

Vector3 GameScreen::muzzlePoint() const {
    const Vector3 eye = weapon_->position();
    const Vector3 view = weapon_->direction();
    Vector3 right;
    Vector3(0.0f, 1.0f, 0.0f).cross(view, right);
    right.normalize();
    Vector3 up;
    view.cross(right, up);
    up.normalize();
    return eye + right * 3.0f + up * -15.0f + view * 30.0f;
}

void GameScreen::hitOtter(int index) {
    Otter& otter = herd_->otter(index);
    ++hits_;
    const Vector3 eye = weapon_->position();
    const float distance = static_cast<float>((eye - otter.position()).length());
    otter.setLife(otter.life() - 1);

    // Point-blank hits push hardest; the push fades to nothing at the range limit and stays
    // at nothing beyond it (never a pull towards the player). Harder levels push less.
    float nearness = (kKnockBackRange - distance) * 0.0006666666666666666f;
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
    const Vector3 view = weapon_->direction();
    const Vector3 impact = muzzle + view * static_cast<float>((muzzle - otter.position()).length());
    herd_->addTracer(muzzle, impact, false);
    Vector3 spray = impact - muzzle;
    spray.normalize();
    herd_->addBloodSpray(impact, spray);
    if (!otter.isAlive()) {
        ++kills_;
        herd_->addKillBurst(impact);
    }
}

void GameScreen::missShot() {
    const Vector3 muzzle = muzzlePoint();
    herd_->addTracer(muzzle, muzzle + weapon_->direction() * kMissTracerLength, true);
}

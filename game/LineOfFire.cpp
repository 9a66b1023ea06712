// LineOfFire: the selection-mode test of the building and the pick-volume test of the otters.
#include "game/LineOfFire.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "entities/Camera.h"
#include "entities/Otter.h"
#include "entities/OtterHerd.h"
#include "render/Frustum.h"
#include "render/ToonRenderer.h"

namespace {

// The pick volume: a thousandth of a degree wide, as deep as the game's view.
constexpr double kPickFieldOfView = 0.001;
constexpr double kPickNear = 1.0;
constexpr double kPickFar = 10000.0;
// Farther than any otter can be.
constexpr int kFarAway = 100000;

}  // namespace

LineOfFire::LineOfFire() : pickFrustum_(std::make_unique<Frustum>()) {}

LineOfFire::~LineOfFire() = default;

// Only one extra projection matrix is pushed, so two levels of the projection stack (all that
// OpenGL promises) are enough.
bool LineOfFire::buildingOnLine(const Camera& player, const Model* building) {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    player.apply();

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
    gluPerspective(kPickFieldOfView, 1.0, kPickNear, kPickFar);
    // The same thin volume, seen from the camera, judges the otters.
    pickFrustum_->extract(true);

    glMatrixMode(GL_MODELVIEW);
    glInitNames();
    glPushName(0);
    GLint depthFunction = GL_LEQUAL;
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunction);
    glDepthFunc(GL_LEQUAL);
    drawModelGeometry(building);
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

int LineOfFire::nearestOtter(const OtterHerd& herd, const Vector3& eye, int& distance) const {
    distance = kFarAway;
    int nearest = kNone;
    for (int i = 0; i < herd.count(); ++i) {
        const Otter& otter = herd.otter(i);
        if (!otter.visible() || !otter.isAlive()) {
            continue;
        }
        if (pickFrustum_->containsBox(otter.position(), otter.model(), otter.effectiveScale())) {
            const int d = static_cast<int>((eye - otter.position()).length());
            if (d < distance) {
                distance = d;
                nearest = i;
            }
        }
    }
    return nearest;
}

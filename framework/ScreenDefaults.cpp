// ScreenDefaults: idle redisplay and the shared perspective reshape.
#include "framework/ScreenDefaults.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include "sound/SoundManager.h"

void idleRedisplay() {
    SoundManager::instance().update();
    glutPostRedisplay();
}

double perspectiveAspect(int width, int height) {
    // Whole-number quotient on purpose: the game's views were tuned with aspect 1 on a
    // 1024 x 768 screen. A zero height (a minimised window) must not divide by zero, and a
    // window taller than wide (quotient 0) would leave GLU with no projection at all.
    const int safeHeight = height == 0 ? 1 : height;
    const int quotient = width / safeHeight;
    return static_cast<double>(quotient < 1 ? 1 : quotient);
}

void reshapePerspective(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(90.0, perspectiveAspect(width, height), 1.0, 10000.0);
    glMatrixMode(GL_MODELVIEW);
}

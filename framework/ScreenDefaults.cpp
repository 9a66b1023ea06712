// ScreenDefaults: idle redisplay and the shared perspective reshape.
#include "framework/ScreenDefaults.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include "render/PictureFrame.h"
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
    // Every screen draws into the picture's rectangle of the window, whose 4:3 shape always
    // gives the aspect 1 the views were tuned with.
    const PictureFrame frame(width, height);
    const PictureFrame::Rect& picture = frame.picture();
    glViewport(picture.left, picture.bottom, picture.width, picture.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(90.0, perspectiveAspect(picture.width, picture.height), 1.0, 10000.0);
    glMatrixMode(GL_MODELVIEW);
}

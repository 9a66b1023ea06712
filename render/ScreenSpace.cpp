// ScreenSpace: entering and leaving the flat 2D space.
#include "render/ScreenSpace.h"

#include <GL/gl.h>

namespace screenspace {

void enter(double width, double height, bool yDown) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    if (yDown) {
        glOrtho(0.0, width, height, 0.0, -1.0, 1.0);
    } else {
        glOrtho(0.0, width, 0.0, height, -1.0, 1.0);
    }
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void leave() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

}  // namespace screenspace

// TexturedQuad: the rectangle every full-texture sprite, backdrop and screen copy is drawn on.
#include "render/TexturedQuad.h"

#include <GL/gl.h>

namespace texturedquad {

void emit(float left, float bottom, float right, float top, float sRight, float tTop) {
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(left, bottom);
    glTexCoord2f(sRight, 0.0f);
    glVertex2f(right, bottom);
    glTexCoord2f(sRight, tTop);
    glVertex2f(right, top);
    glTexCoord2f(0.0f, tTop);
    glVertex2f(left, top);
}

void draw(float left, float bottom, float right, float top, float sRight, float tTop) {
    glBegin(GL_QUADS);
    emit(left, bottom, right, top, sRight, tTop);
    glEnd();
}

}  // namespace texturedquad

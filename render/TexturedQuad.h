// TexturedQuad: the axis-aligned rectangle with a texture laid straight on it, drawn in one place.
#pragma once

namespace texturedquad {

// The four corners from the bottom-left one, counter-clockwise, texture (0, 0) to (sRight, tTop)
// laid straight on them (the whole texture by default). Emits vertices only: call between
// glBegin(GL_QUADS) and glEnd.
void emit(float left, float bottom, float right, float top, float sRight = 1.0f, float tTop = 1.0f);
// The same rectangle as a glBegin(GL_QUADS) ... glEnd block of its own.
void draw(float left, float bottom, float right, float top, float sRight = 1.0f, float tTop = 1.0f);

}  // namespace texturedquad

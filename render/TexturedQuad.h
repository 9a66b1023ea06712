// TexturedQuad: the axis-aligned rectangle with the whole texture on it, drawn in one place.
#pragma once

namespace texturedquad {

// The four corners from the bottom-left one, counter-clockwise, texture (0, 0) to (1, 1) laid
// straight on them. Emits vertices only: call between glBegin(GL_QUADS) and glEnd.
void emit(float left, float bottom, float right, float top);
// The same rectangle as a glBegin(GL_QUADS) ... glEnd block of its own.
void draw(float left, float bottom, float right, float top);

}  // namespace texturedquad

// Texture: BMP file to OpenGL texture with resampling and colour key.
#include "render/Texture.h"

Texture::~Texture() {
    if (id_ != 0) {
        glDeleteTextures(1, &id_);
    }
}

bool Texture::load(const char*, bool, GLint, GLint, GLint, GLint, int, bool, uint8_t, uint8_t,
                   uint8_t, uint8_t, uint8_t) {
    return false;  // decoder not written yet
}

// TextureFilters: maps the video settings to OpenGL filters and a reduction exponent.
#include "render/TextureFilters.h"

TextureFilters worldTextureFilters(int filtering) {
    switch (filtering) {
        case 1:
            return {GL_LINEAR, GL_LINEAR};
        case 2:
            return {GL_LINEAR, GL_LINEAR_MIPMAP_NEAREST};
        case 3:
            return {GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR};
        default:
            return {GL_NEAREST, GL_NEAREST};
    }
}

int textureReduction(int quality) {
    if (quality < 0) {
        return 0;
    }
    return quality > 3 ? 3 : quality;
}

// Texture: BMP file to OpenGL texture with resampling and colour key.
#include "render/Texture.h"

#include <GL/glu.h>

#include <cstdio>

#include "render/BmpImage.h"
#include "render/Clock.h"
#include "render/TexturePixels.h"

namespace {

// The game samples its clamped pictures right at their edges (the toon ramps at t = 0, the
// lit end of a ramp at s = 1). Old drivers clamped GL_CLAMP to the edge texels; a conformant
// one blends in the black border colour there, which would halve the toon shading and darken
// every sprite's rim. Clamping to the edge keeps the picture the art was made for.
GLint edgeClamped(GLint wrap) { return wrap == GL_CLAMP ? GL_CLAMP_TO_EDGE : wrap; }

}  // namespace

Texture::~Texture() {
    if (id_ != 0) {
        glDeleteTextures(1, &id_);
    }
}

bool Texture::load(const char* path, bool buildMipmaps, GLint magFilter, GLint minFilter,
                   GLint wrapS, GLint wrapT, int reduction, bool useAlpha, uint8_t keyRed,
                   uint8_t keyGreen, uint8_t keyBlue, uint8_t keyAlpha, uint8_t otherAlpha) {
    gameclock::TimedPart part("textures");
    // A missing file keeps whatever picture the texture already shows.
    std::FILE* probe = std::fopen(path, "rb");
    if (probe == nullptr) {
        return false;
    }
    std::fclose(probe);

    // From here on the old picture is gone: a file that fails to decode leaves a fresh,
    // empty name, which draws untextured.
    if (id_ != 0) {
        glDeleteTextures(1, &id_);
    }
    glGenTextures(1, &id_);

    const std::unique_ptr<BmpImage> image = loadBmpImage(path);
    if (image == nullptr) {
        return false;
    }
    const ColourKey key{keyRed, keyGreen, keyBlue, keyAlpha, otherAlpha};
    const TexturePixels pixels =
        makeTexturePixels(image->data.get(), image->sizeX, image->sizeY, reduction, key);

    glBindTexture(GL_TEXTURE_2D, id_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, edgeClamped(wrapS));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, edgeClamped(wrapT));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);

    // An alpha channel only where it can matter: a keyed picture that never shows its key
    // colour is stored opaque.
    const GLint components = useAlpha && pixels.keyFound ? 4 : 3;
    if (buildMipmaps) {
        // Rescales pictures whose sides are not powers of two.
        return gluBuild2DMipmaps(GL_TEXTURE_2D, components, pixels.width, pixels.height, GL_RGBA,
                                 GL_UNSIGNED_BYTE, pixels.rgba.data()) == 0;
    }
    glTexImage2D(GL_TEXTURE_2D, 0, components, pixels.width, pixels.height, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, pixels.rgba.data());
    return true;
}

int powerOfTwoTextureSide(int pixels) {
    int side = 1;
    while (side < pixels) {
        side *= 2;
    }
    return side;
}

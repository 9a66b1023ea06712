// Texture: one OpenGL texture name, filled from a BMP file with the game's load parameters.
#pragma once

#include <GL/gl.h>

#include <cstdint>

// Owners hold textures by pointer and delete them with their OpenGL name; the name itself is
// handed to drawing code by value.
class Texture {
public:
    Texture() = default;
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    GLuint id() const { return id_; }

    // Decodes path, shrinks it by 2^reduction, gives every pixel of exactly the key colour
    // keyAlpha and every other pixel otherAlpha, and uploads it with the given filters and
    // wraps. A file that cannot be opened leaves the texture untouched and returns false; one
    // that opens but cannot be decoded returns false with a fresh, empty name.
    bool load(const char* path, bool buildMipmaps, GLint magFilter, GLint minFilter, GLint wrapS,
              GLint wrapT, int reduction, bool useAlpha, uint8_t keyRed, uint8_t keyGreen,
              uint8_t keyBlue, uint8_t keyAlpha, uint8_t otherAlpha);

private:
    GLuint id_ = 0;
};

// The smallest power of two that holds `pixels` texels along one side: every driver takes a
// texture of such sides, so the copies of the window (zoom, reduced scene, kept menu picture)
// are made into them.
int powerOfTwoTextureSide(int pixels);

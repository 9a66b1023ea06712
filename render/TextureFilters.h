// TextureFilters: the world textures' filter pair and size reduction from the video settings.
#pragma once

#include <GL/gl.h>

struct TextureFilters {
    GLint magnification;
    GLint minification;
};

// Filtering setting: 0 nearest, 1 linear, 2 linear with the nearest mipmap, 3 trilinear;
// anything else (a damaged settings file) falls back to nearest.
TextureFilters worldTextureFilters(int filtering);

// Texture quality setting as the reduction exponent of Texture::load, kept within 0..3.
int textureReduction(int quality);

// PictureCache: a copy of the picture in a texture, to show again instead of drawing it anew.
#pragma once

#include <GL/gl.h>

struct WindowRect;

// What a screen has drawn into the picture's rectangle of the back buffer (PictureFrame) is
// copied into a texture by capture and put back, pixel for pixel, by draw. A copy holds only
// while the window keeps its size: once the picture's rectangle moves or changes size, or after
// invalidate, valid is false until the next capture.
class PictureCache {
public:
    PictureCache() = default;
    ~PictureCache();
    PictureCache(const PictureCache&) = delete;
    PictureCache& operator=(const PictureCache&) = delete;

    bool valid() const;
    void invalidate() { valid_ = false; }

    // Copies the picture's rectangle of the back buffer (colour only; no read-back to memory).
    void capture();
    // Copies only the part of the picture within `part` into a valid copy: the rest of the
    // copy stays as it was.
    void capture(const WindowRect& part);
    // Puts the copy back over the whole picture (within the scissor, when it is on), colour
    // only: the depth buffer is left as it was. Expects the picture's viewport; leaves 2D
    // texturing on and the depth test on.
    void draw() const;

private:
    GLuint texture_ = 0;
    // The texture is a power of two each way, at least the picture's size.
    int textureWidth_ = 0;
    int textureHeight_ = 0;
    // The picture's rectangle in the window when the copy was taken.
    int left_ = 0;
    int bottom_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool valid_ = false;
};

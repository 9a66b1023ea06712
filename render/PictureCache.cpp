// PictureCache: copying the picture into a texture and putting it back pixel for pixel.
#include "render/PictureCache.h"

#include "render/PictureFrame.h"
#include "render/ScreenSpace.h"
#include "render/Texture.h"
#include "render/TexturedQuad.h"
#include "render/WindowRect.h"

PictureCache::~PictureCache() {
    if (texture_ != 0) {
        glDeleteTextures(1, &texture_);
    }
}

bool PictureCache::valid() const {
    const PictureFrame::Rect& p = PictureFrame::current().picture();
    return valid_ && p.left == left_ && p.bottom == bottom_ && p.width == width_ &&
           p.height == height_;
}

void PictureCache::capture() {
    const PictureFrame::Rect& p = PictureFrame::current().picture();
    if (texture_ == 0) {
        glGenTextures(1, &texture_);
    }
    glBindTexture(GL_TEXTURE_2D, texture_);
    const int w = powerOfTwoTextureSide(p.width);
    const int h = powerOfTwoTextureSide(p.height);
    if (w != textureWidth_ || h != textureHeight_) {
        textureWidth_ = w;
        textureHeight_ = h;
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        // One texel per pixel, taken as it is: nearest, never filtered or wrapped.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    }
    glReadBuffer(GL_BACK);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, p.left, p.bottom, p.width, p.height);
    left_ = p.left;
    bottom_ = p.bottom;
    width_ = p.width;
    height_ = p.height;
    valid_ = true;
}

void PictureCache::capture(const WindowRect& part) {
    const WindowRect r = part.clippedTo(WindowRect::picture());
    if (!valid() || r.empty()) {
        return;
    }
    glBindTexture(GL_TEXTURE_2D, texture_);
    glReadBuffer(GL_BACK);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, r.x0 - left_, r.y0 - bottom_, r.x0, r.y0, r.x1 - r.x0,
                        r.y1 - r.y0);
}

void PictureCache::draw() const {
    // Pixel centres fall on texel centres: with nearest sampling each pixel gets its own texel.
    glDisable(GL_DEPTH_TEST);
    screenspace::enter(width_, height_);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture_);
    GLint envMode = GL_MODULATE;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &envMode);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    texturedquad::draw(0.0f, 0.0f, static_cast<float>(width_), static_cast<float>(height_),
                       static_cast<float>(width_) / static_cast<float>(textureWidth_),
                       static_cast<float>(height_) / static_cast<float>(textureHeight_));
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, envMode);
    screenspace::leave();
    glEnable(GL_DEPTH_TEST);
}

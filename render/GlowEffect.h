// GlowEffect: blurs the glowing parts of the scene in a screen corner and adds them over the frame.
#pragma once

#include <GL/gl.h>

// The glowing objects are drawn into the bottom-left width x height corner of the back buffer
// (between beginCapture and endCapture), blurred there with additive passes, kept in a small
// texture and finally stretched over the whole finished frame by composite.
class GlowEffect {
public:
    // Creates the texture; leaves 2D texturing disabled.
    GlowEffect(int width, int height);
    ~GlowEffect();
    GlowEffect(const GlowEffect&) = delete;
    GlowEffect& operator=(const GlowEffect&) = delete;

    void setPasses(int n) { passes_ = n; }
    void setIntensity(float f) { intensity_ = f; }
    int passes() const { return passes_; }
    float intensity() const { return intensity_; }
    int width() const { return width_; }
    int height() const { return height_; }
    GLuint texture() const { return texture_; }

    // Saves the viewport and narrows it to the capture corner.
    void beginCapture();
    // Gives back the viewport saved by beginCapture.
    void endCapture();

    // Copies the capture corner of the back buffer into the texture (no read-back to memory).
    void copyFramebuffer();

    // Blurs the captured picture into the texture with the separable 5-tap filter
    // (0.1, 0.2, 0.4, 0.2, 0.1), `passes` times in each direction. Clears the whole colour
    // buffer on every pass. Leaves depth test and depth writes on, blending off.
    void blur();

    // Adds the texture, scaled by the intensity, over the whole viewport. Leaves depth test on,
    // blending and 2D texturing off.
    void composite();

private:
    // One half of a blur pass: five weighted, shifted copies of the texture added together,
    // then copied back into it.
    void blurDirection(bool vertical);

    GLint savedViewport_[4] = {0, 0, 0, 0};
    int height_;
    int width_;
    int passes_ = 0;
    float intensity_ = 1.0f;
    GLuint texture_ = 0;
};

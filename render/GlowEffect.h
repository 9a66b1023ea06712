// GlowEffect: blurs the glowing parts of the scene in a screen corner and adds them over the frame.
#pragma once

#include <GL/gl.h>

#include <vector>

// The glowing objects are drawn into the bottom-left width x height corner of the viewport
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

    // Saves the viewport and narrows it, and the scissor (enabled), to its bottom-left corner,
    // the capture corner.
    void beginCapture();
    // Gives back the viewport saved by beginCapture and disables the scissor test.
    void endCapture();

    // Copies the capture corner of the back buffer into the texture (no read-back to memory).
    void copyFramebuffer();

    // Blurs the captured picture into the texture with the separable 5-tap filter
    // (0.1, 0.2, 0.4, 0.2, 0.1), `passes` times in each direction. Clears the colour buffer
    // on every pass (within the capture corner when called between beginCapture and
    // endCapture). Leaves depth test and depth writes on, blending off.
    void blur();

    // Adds the texture, scaled by the intensity, over the whole viewport (touching only the
    // pixels near lit texels). Leaves depth test on, blending, scissor test and 2D texturing
    // off.
    void composite();

private:
    // One half of a blur pass: five weighted, shifted copies of the texture added together,
    // then copied back into it.
    void blurDirection(bool vertical);
    // Reads the texture back into texels_ (a small read: the texture is a screen corner).
    void readLitTexels();
    // The first and last columns holding a lit texel in rows firstRow to lastRow (clamped to
    // the texture); false when all of them are black.
    bool rowSpan(int firstRow, int lastRow, int& firstColumn, int& lastColumn) const;
    static void drawCompositeQuad();

    // Texel rows per scissored band of the composite: finer bands skip more black pixels,
    // each costs one more small draw.
    static constexpr int kCompositeBandRows = 4;

    GLint savedViewport_[4] = {0, 0, 0, 0};
    // Where in the window the capture corner lies.
    GLint captureX_ = 0;
    GLint captureY_ = 0;
    int height_;
    int width_;
    int passes_ = 0;
    float intensity_ = 1.0f;
    GLuint texture_ = 0;
    // The texture's RGB bytes as last read back; sized once, so compositing never allocates.
    std::vector<unsigned char> texels_;
};

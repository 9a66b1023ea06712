// GlowEffect: blurs the glowing parts of the scene in a screen corner and adds them over the frame.
#include "render/GlowEffect.h"
#include "render/ScreenSpace.h"
#include "render/TexturedQuad.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace {

// Shifts (in texels) and weights of the five copies of one blur direction.
constexpr int kTapOffsets[5] = {0, 1, -1, 2, -2};
constexpr float kTapWeights[5] = {0.4f, 0.2f, 0.2f, 0.1f, 0.1f};

}  // namespace

GlowEffect::GlowEffect(int width, int height)
    : height_(height),
      width_(width),
      texels_(width > 0 && height > 0 ? static_cast<std::size_t>(width) * height * 3 : 0) {
    glEnable(GL_TEXTURE_2D);
    glGenTextures(1, &texture_);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    // The contents are overwritten by the first capture; the buffer only has to be as large
    // as the upload reads (three floats per texel) and zero avoids showing garbage meanwhile.
    const std::size_t texels =
        width > 0 && height > 0 ? static_cast<std::size_t>(width) * height : 0;
    std::vector<float> blank(texels * 3, 0.0f);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_FLOAT, blank.data());
    glDisable(GL_TEXTURE_2D);
}

GlowEffect::~GlowEffect() { glDeleteTextures(1, &texture_); }

void GlowEffect::beginCapture() {
    glGetIntegerv(GL_VIEWPORT, savedViewport_);
    // The corner of the picture, not of the window: beside a picture narrower than the window
    // lies a black bar that nothing else draws over.
    captureX_ = savedViewport_[0];
    captureY_ = savedViewport_[1];
    glViewport(captureX_, captureY_, width_, height_);
    // Clears ignore the viewport but not the scissor: confined to the corner, the capture's
    // clears cost a corner instead of the whole screen, and each copy to the texture waits
    // for one tile of the software rasteriser rather than for all of them.
    glScissor(captureX_, captureY_, width_, height_);
    glEnable(GL_SCISSOR_TEST);
    // The capture has the same size in every window: lines keep their width in it.
    screenspace::setFixedSizeCapture(true);
}

void GlowEffect::endCapture() {
    screenspace::setFixedSizeCapture(false);
    glDisable(GL_SCISSOR_TEST);
    glViewport(savedViewport_[0], savedViewport_[1], savedViewport_[2], savedViewport_[3]);
}

void GlowEffect::copyFramebuffer() {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glReadBuffer(GL_BACK);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, captureX_, captureY_, width_, height_);
    glDisable(GL_TEXTURE_2D);
}

void GlowEffect::blurDirection(bool vertical) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    // The additive copies need a black start; clearing ignores the viewport, so only the
    // capture's scissor keeps this to the corner (the scene drawn afterwards covers the
    // corner anyway).
    glClear(GL_COLOR_BUFFER_BIT);
    const float w = static_cast<float>(width_);
    const float h = static_cast<float>(height_);
    glBegin(GL_QUADS);
    for (int i = 0; i < 5; ++i) {
        const float dx = vertical ? 0.0f : static_cast<float>(kTapOffsets[i]);
        const float dy = vertical ? static_cast<float>(kTapOffsets[i]) : 0.0f;
        glColor3f(kTapWeights[i], kTapWeights[i], kTapWeights[i]);
        texturedquad::emit(dx, dy, dx + w, dy + h);
    }
    glEnd();
    glDisable(GL_TEXTURE_2D);
    copyFramebuffer();
}

void GlowEffect::blur() {
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    screenspace::enter(width_, height_);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);

    copyFramebuffer();
    for (int pass = 0; pass < passes_; ++pass) {
        blurDirection(false);
        blurDirection(true);
    }

    glDisable(GL_BLEND);
    screenspace::leave();
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
}

void GlowEffect::readLitTexels() {
    glBindTexture(GL_TEXTURE_2D, texture_);
    GLint packAlignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels_.data());
    glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
}

bool GlowEffect::rowSpan(int firstRow, int lastRow, int& firstColumn, int& lastColumn) const {
    firstColumn = width_;
    lastColumn = -1;
    for (int y = std::max(firstRow, 0); y <= std::min(lastRow, height_ - 1); ++y) {
        const unsigned char* row = &texels_[static_cast<std::size_t>(y) * width_ * 3];
        for (int x = 0; x < width_; ++x) {
            if (row[3 * x] | row[3 * x + 1] | row[3 * x + 2]) {
                firstColumn = std::min(firstColumn, x);
                lastColumn = std::max(lastColumn, x);
            }
        }
    }
    return lastColumn >= 0;
}

void GlowEffect::drawCompositeQuad() { texturedquad::draw(0.0f, 0.0f, 1.0f, 1.0f); }

void GlowEffect::composite() {
    // Black texels add nothing, and on a software rasteriser every pixel of this full-screen
    // blend costs. So the same quad is drawn band by band, each band scissored to the columns
    // whose texels are lit: the pixels drawn are computed exactly as before, the others would
    // only have had zero added. The bands partition the viewport, so no pixel is added twice.
    readLitTexels();
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const double pixelsPerColumn = static_cast<double>(viewport[2]) / width_;
    const double pixelsPerRow = static_cast<double>(viewport[3]) / height_;
    // The first window row whose centre maps into texel row r or above.
    const auto bandStart = [&](int r) {
        return static_cast<int>(std::ceil(viewport[1] + r * pixelsPerRow - 0.5));
    };

    screenspace::enter(1.0, 1.0);

    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor3f(intensity_, intensity_, intensity_);
    glEnable(GL_SCISSOR_TEST);
    for (int firstRow = 0; firstRow < height_; firstRow += kCompositeBandRows) {
        const int endRow = std::min(firstRow + kCompositeBandRows, height_);
        // A pixel filters the texel rows either side of its own, and a margin of one more
        // texel each way absorbs any rounding in the rasteriser's coordinates.
        int firstColumn = 0, lastColumn = 0;
        if (!rowSpan(firstRow - 2, endRow + 1, firstColumn, lastColumn)) {
            continue;
        }
        const int left =
            static_cast<int>(std::floor(viewport[0] + (firstColumn - 1.5) * pixelsPerColumn));
        const int right =
            static_cast<int>(std::ceil(viewport[0] + (lastColumn + 2.5) * pixelsPerColumn));
        const int bottom = bandStart(firstRow);
        glScissor(left, bottom, right - left, bandStart(endRow) - bottom);
        drawCompositeQuad();
    }
    glDisable(GL_SCISSOR_TEST);

    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    screenspace::leave();
}

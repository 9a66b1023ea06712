// SceneScale: the reduced scene's corner, its copy and its stretch over the picture.
#include "render/SceneScale.h"

#include "render/PictureFrame.h"
#include "render/ScreenSpace.h"
#include "render/Texture.h"

SceneScale::~SceneScale() {
    if (texture_ != 0) {
        glDeleteTextures(1, &texture_);
    }
}

void SceneScale::setScale(float scale) {
    scale_ = scale < kSmallest ? kSmallest : (scale > kFull ? kFull : scale);
}

void SceneScale::beginScene() {
    if (!reduced()) {
        return;
    }
    inScene_ = true;
    screenspace::setSceneScale(scale_);
    screenspace::useSceneViewport();
}

void SceneScale::endScene() {
    if (!inScene_) {
        return;
    }
    inScene_ = false;
    const PictureFrame::Rect corner = screenspace::sceneRect();
    screenspace::setSceneScale(kFull);
    screenspace::usePictureViewport();
    fitTexture(corner.width, corner.height);

    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, corner.left, corner.bottom, corner.width,
                        corner.height);

    // Opaque and flat: every pixel of the picture is written once, nothing is blended or
    // tested, and the texture's own colours show unchanged.
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    // Half a texel in from each edge: the filter then never reaches past the corner's own
    // texels into the unused rest of the texture.
    const float s0 = 0.5f / static_cast<float>(textureWidth_);
    const float t0 = 0.5f / static_cast<float>(textureHeight_);
    const float s1 = (static_cast<float>(corner.width) - 0.5f) / static_cast<float>(textureWidth_);
    const float t1 =
        (static_cast<float>(corner.height) - 0.5f) / static_cast<float>(textureHeight_);
    screenspace::enter(1.0, 1.0);
    glBegin(GL_QUADS);
    glTexCoord2f(s0, t0);
    glVertex2f(0.0f, 0.0f);
    glTexCoord2f(s1, t0);
    glVertex2f(1.0f, 0.0f);
    glTexCoord2f(s1, t1);
    glVertex2f(1.0f, 1.0f);
    glTexCoord2f(s0, t1);
    glVertex2f(0.0f, 1.0f);
    glEnd();
    screenspace::leave();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
}

void SceneScale::fitTexture(int width, int height) {
    const int wantedWidth = powerOfTwoTextureSide(width);
    const int wantedHeight = powerOfTwoTextureSide(height);
    if (texture_ != 0 && wantedWidth <= textureWidth_ && wantedHeight <= textureHeight_) {
        return;
    }
    if (texture_ == 0) {
        glGenTextures(1, &texture_);
    }
    textureWidth_ = wantedWidth > textureWidth_ ? wantedWidth : textureWidth_;
    textureHeight_ = wantedHeight > textureHeight_ ? wantedHeight : textureHeight_;
    glBindTexture(GL_TEXTURE_2D, texture_);
    // Linear both ways: the corner is only ever stretched, and clamped so the picture's edge
    // does not pick up texels from the far side.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, textureWidth_, textureHeight_, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, nullptr);
}

// FeedbackZoomEffect: blends each frame with an enlarged, yellowed copy of the previous one.
#include "render/FeedbackZoomEffect.h"
#include "render/GlExtensions.h"
#include "render/PictureFrame.h"
#include "render/ScreenSpace.h"
#include "render/Texture.h"
#include "render/TexturedQuad.h"

#include <GL/glu.h>

#include <cstring>
#include <vector>

#ifndef GL_TEXTURE_MAX_ANISOTROPY_EXT
#define GL_TEXTURE_MAX_ANISOTROPY_EXT 0x84FE
#endif

namespace {

constexpr int kScreenWidth = PictureFrame::kWidth;
constexpr int kScreenHeight = PictureFrame::kHeight;

bool hasExtension(const char* name) {
    return glext::listHas(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)), name);
}

}  // namespace

void FeedbackZoomEffect::LevelCurve::trigger() {
    level -= 0.001f;
    direction = -1.0f;
}

void FeedbackZoomEffect::LevelCurve::update(float dt) {
    if (!(level < 1.0f)) {
        level = 1.0f;
        return;
    }
    // Falls fast and evenly, climbs back slowly at first and faster towards idle.
    float rate = (level - 0.4f) * (level - 0.4f);
    if (direction < 0.0f) {
        rate = level * 0.2f + 1.0f;
    }
    if (level < 0.45f) {
        // Bottomed out: turn round, still at this frame's rate.
        level = 0.45f;
        direction = 1.0f;
    }
    level += rate * direction * dt;
    if (level > 1.0f) {
        level = 1.0f;
    }
}

void FeedbackZoomEffect::LevelCurve::reset() {
    level = 1.0f;
    direction = 1.0f;
}

FeedbackZoomEffect::FeedbackZoomEffect() {
    glGenTextures(1, &texture_);
    glBindTexture(GL_TEXTURE_2D, texture_);
    pictureWidth_ = screenspace::sceneRect().width;
    pictureHeight_ = screenspace::sceneRect().height;
    textureSize_ = powerOfTwoTextureSide(pictureWidth_);
    // Black, so that the first frame of the first effect blends with black.
    const std::vector<GLuint> black(static_cast<std::size_t>(textureSize_) * textureSize_ * 3, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, textureSize_, textureSize_, 0, GL_RGB, GL_UNSIGNED_INT,
                 black.data());
    // Drivers without anisotropic filtering would reject the parameter with an error.
    if (hasExtension("GL_EXT_texture_filter_anisotropic")) {
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, 2.0f);
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
}

FeedbackZoomEffect::~FeedbackZoomEffect() { glDeleteTextures(1, &texture_); }

bool FeedbackZoomEffect::fitPicture() {
    // The scene's rectangle: the picture, or its reduced corner while the scene is scaled.
    const PictureFrame::Rect picture = screenspace::sceneRect();
    if (picture.width == pictureWidth_ && picture.height == pictureHeight_) {
        return true;
    }
    // The window changed size: the previous picture no longer matches this one.
    pictureWidth_ = picture.width;
    pictureHeight_ = picture.height;
    const int size = powerOfTwoTextureSide(pictureWidth_);
    if (size > textureSize_) {
        textureSize_ = size;
        glBindTexture(GL_TEXTURE_2D, texture_);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, textureSize_, textureSize_, 0, GL_RGB,
                     GL_UNSIGNED_BYTE, nullptr);
    }
    return false;
}

void FeedbackZoomEffect::draw() {
    if (!curve_.active()) {
        return;
    }
    const float a = curve_.newFrameWeight();
    const bool previousFits = fitPicture();

    // The widened view is meant to stay: the following frames' 3D view is drawn with it.
    screenspace::useSceneViewport();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(curve_.fieldOfView(), 1.0, 1.0, 10000.0);
    glMatrixMode(GL_MODELVIEW);

    if (previousFits) {
        blendPreviousPicture(a);
    }

    // Only the picture's own rows are kept; the texels above them lie above the picture's top
    // in the quad, so they never show.
    const PictureFrame::Rect picture = screenspace::sceneRect();
    glBindTexture(GL_TEXTURE_2D, texture_);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, picture.left, picture.bottom, picture.width,
                        picture.height);
}

void FeedbackZoomEffect::blendPreviousPicture(float a) {
    glDisable(GL_DEPTH_TEST);
    screenspace::enter(kScreenWidth, kScreenHeight);

    // New frame (destination) keeps weight a, the previous picture (source) gets 1 - a.
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4f(1.0f, 1.0f, 0.5f, a);
    // The texture holds the picture from its bottom-left texel on, one texel per window pixel:
    // a picture width of texels spans 1024 units, drawn 1040 units wide, so the previous
    // picture grows a little each frame.
    const float t = static_cast<float>(pictureWidth_) / static_cast<float>(textureSize_);
    texturedquad::draw(-8.0f, -8.0f, 1032.0f, 1032.0f, t, t);

    screenspace::leave();
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
}

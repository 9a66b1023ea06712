// FeedbackZoomEffect: blends each frame with an enlarged, yellowed copy of the previous one.
#include "render/FeedbackZoomEffect.h"
#include "render/ScreenSpace.h"
#include "render/TexturedQuad.h"

#include <GL/glu.h>

#include <cstring>
#include <vector>

#ifndef GL_TEXTURE_MAX_ANISOTROPY_EXT
#define GL_TEXTURE_MAX_ANISOTROPY_EXT 0x84FE
#endif

namespace {

constexpr int kTextureSize = 1024;
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

// True when the space-separated extension list names exactly `name`.
bool hasExtension(const char* name) {
    const char* list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (list == nullptr) {
        return false;
    }
    const std::size_t length = std::strlen(name);
    for (const char* p = std::strstr(list, name); p != nullptr; p = std::strstr(p + 1, name)) {
        const bool startsWord = p == list || p[-1] == ' ';
        const bool endsWord = p[length] == ' ' || p[length] == '\0';
        if (startsWord && endsWord) {
            return true;
        }
    }
    return false;
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
    const std::vector<GLuint> black(static_cast<std::size_t>(kTextureSize) * kTextureSize * 3, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, kTextureSize, kTextureSize, 0, GL_RGB, GL_UNSIGNED_INT,
                 black.data());
    // Drivers without anisotropic filtering would reject the parameter with an error.
    if (hasExtension("GL_EXT_texture_filter_anisotropic")) {
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, 2.0f);
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
}

FeedbackZoomEffect::~FeedbackZoomEffect() { glDeleteTextures(1, &texture_); }

void FeedbackZoomEffect::draw() {
    if (!curve_.active()) {
        return;
    }
    const float a = curve_.newFrameWeight();

    // The widened view is meant to stay: the following frames' 3D view is drawn with it.
    glViewport(0, 0, kScreenWidth, kScreenHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(curve_.fieldOfView(), 1.0, 1.0, 10000.0);

    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_DEPTH_TEST);
    screenspace::enter(kScreenWidth, kScreenHeight);

    // New frame (destination) keeps weight a, the previous picture (source) gets 1 - a.
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4f(1.0f, 1.0f, 0.5f, a);
    // 1040 units for 1024 texels: the previous picture grows a little each frame.
    texturedquad::draw(-8.0f, -8.0f, 1032.0f, 1032.0f);

    screenspace::leave();
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);

    // Rows above the window's top edge are undefined, but they land above the screen's top
    // in the quad above, so they never show.
    glBindTexture(GL_TEXTURE_2D, texture_);
    glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 0, 0, kTextureSize, kTextureSize, 0);
}

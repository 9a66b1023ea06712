// ScreenSpace: entering and leaving the flat 2D space; the picture's viewport and its bars.
#include "render/ScreenSpace.h"

#include <GL/gl.h>

#include "render/PictureFrame.h"

namespace screenspace {
namespace {

bool capturing_ = false;
float sceneScale_ = 1.0f;

}  // namespace

void enter(double width, double height, bool yDown) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    if (yDown) {
        glOrtho(0.0, width, height, 0.0, -1.0, 1.0);
    } else {
        glOrtho(0.0, width, 0.0, height, -1.0, 1.0);
    }
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void leave() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

void usePictureViewport() {
    const PictureFrame::Rect& p = PictureFrame::current().picture();
    glViewport(p.left, p.bottom, p.width, p.height);
}

void clearBars() {
    PictureFrame::Rect bars[2];
    const int count = PictureFrame::current().bars(bars);
    if (count == 0) {
        return;
    }
    GLfloat clearColour[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glEnable(GL_SCISSOR_TEST);
    for (int i = 0; i < count; ++i) {
        glScissor(bars[i].left, bars[i].bottom, bars[i].width, bars[i].height);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glDisable(GL_SCISSOR_TEST);
    glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
}

float pixelScale() {
    return capturing_ ? 1.0f : static_cast<float>(PictureFrame::current().scale()) * sceneScale_;
}

void setFixedSizeCapture(bool capturing) { capturing_ = capturing; }

void setSceneScale(float scale) { sceneScale_ = scale; }

PictureFrame::Rect sceneRect() {
    PictureFrame::Rect r = PictureFrame::current().picture();
    if (sceneScale_ < 1.0f) {
        // At least one pixel, so a tiny window still has a scene to copy.
        const int width = static_cast<int>(static_cast<float>(r.width) * sceneScale_ + 0.5f);
        const int height = static_cast<int>(static_cast<float>(r.height) * sceneScale_ + 0.5f);
        r.width = width > 0 ? width : 1;
        r.height = height > 0 ? height : 1;
    }
    return r;
}

void useSceneViewport() {
    const PictureFrame::Rect r = sceneRect();
    glViewport(r.left, r.bottom, r.width, r.height);
}

}  // namespace screenspace

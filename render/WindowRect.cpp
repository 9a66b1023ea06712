// WindowRect: window-pixel rectangles: from the picture, from a projected box, and as scissors.
#include "render/WindowRect.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "render/PictureFrame.h"
#include "render/Vector3.h"

WindowRect WindowRect::picture() {
    const PictureFrame::Rect& p = PictureFrame::current().picture();
    return {p.left, p.bottom, p.left + p.width, p.bottom + p.height};
}

WindowRect WindowRect::fromPicture(float left, float bottom, float right, float top) {
    const PictureFrame::Rect& p = PictureFrame::current().picture();
    const double scale = PictureFrame::current().scale();
    return {p.left + static_cast<int>(std::floor(left * scale)),
            p.bottom + static_cast<int>(std::floor(bottom * scale)),
            p.left + static_cast<int>(std::ceil(right * scale)),
            p.bottom + static_cast<int>(std::ceil(top * scale))};
}

WindowRect WindowRect::ofBox(const Vector3& low, const Vector3& high) {
    GLdouble modelview[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    // The box is convex: its picture lies within that of its eight corners.
    double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
    for (int corner = 0; corner < 8; ++corner) {
        const double x = (corner & 1) ? high.x() : low.x();
        const double y = (corner & 2) ? high.y() : low.y();
        const double z = (corner & 4) ? high.z() : low.z();
        GLdouble wx = 0.0, wy = 0.0, wz = 0.0;
        gluProject(x, y, z, modelview, projection, viewport, &wx, &wy, &wz);
        minX = std::min(minX, wx);
        maxX = std::max(maxX, wx);
        minY = std::min(minY, wy);
        maxY = std::max(maxY, wy);
    }
    return {static_cast<int>(std::floor(minX)), static_cast<int>(std::floor(minY)),
            static_cast<int>(std::ceil(maxX)) + 1, static_cast<int>(std::ceil(maxY)) + 1};
}

bool WindowRect::intersects(const WindowRect& o) const {
    return !empty() && !o.empty() && x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1;
}

bool WindowRect::contains(const WindowRect& o) const {
    return o.empty() || (x0 <= o.x0 && y0 <= o.y0 && o.x1 <= x1 && o.y1 <= y1);
}

WindowRect WindowRect::united(const WindowRect& o) const {
    if (empty()) {
        return o;
    }
    if (o.empty()) {
        return *this;
    }
    return {std::min(x0, o.x0), std::min(y0, o.y0), std::max(x1, o.x1), std::max(y1, o.y1)};
}

WindowRect WindowRect::clippedTo(const WindowRect& o) const {
    return {std::max(x0, o.x0), std::max(y0, o.y0), std::min(x1, o.x1), std::min(y1, o.y1)};
}

WindowRect WindowRect::grown(int pixels) const {
    return {x0 - pixels, y0 - pixels, x1 + pixels, y1 + pixels};
}

void WindowRect::scissor() const {
    // An empty rectangle lets nothing through (a negative size would be an error).
    glScissor(x0, y0, std::max(x1 - x0, 0), std::max(y1 - y0, 0));
    glEnable(GL_SCISSOR_TEST);
}

void WindowRect::endScissor() { glDisable(GL_SCISSOR_TEST); }

// WindowRect: a rectangle of window pixels, for redrawing only the part of a picture that changed.
#pragma once

class Vector3;

// Pixels x0 <= x < x1, y0 <= y < y1, counted as OpenGL counts (origin bottom-left). Empty when
// either side has no length.
struct WindowRect {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;

    // The picture's rectangle in the window (PictureFrame::current()).
    static WindowRect picture();
    // The window pixels a rectangle of the 1024 x 768 picture (y up) covers, rounded outwards.
    static WindowRect fromPicture(float left, float bottom, float right, float top);
    // The window pixels the box from corner `low` to corner `high` can cover in the current
    // matrices and viewport (its corners all before the eye).
    static WindowRect ofBox(const Vector3& low, const Vector3& high);

    bool empty() const { return x1 <= x0 || y1 <= y0; }
    bool intersects(const WindowRect& o) const;
    bool contains(const WindowRect& o) const;
    // The smallest rectangle holding both (an empty one adds nothing).
    WindowRect united(const WindowRect& o) const;
    WindowRect clippedTo(const WindowRect& o) const;
    WindowRect grown(int pixels) const;
    // Confines drawing to the rectangle (scissor test on); endScissor turns it off.
    void scissor() const;
    static void endScissor();
};

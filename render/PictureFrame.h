// PictureFrame: where the game's 4:3 picture lies in a window of any size, and the mapping of
// window pixels onto it.
#pragma once

// Everything is laid out in a 1024 x 768 picture. In a window of another shape the picture is
// drawn as large as it fits, centred, with black bars on the other two sides (above and below
// in a window that is too tall, left and right in one that is too wide).
class PictureFrame {
public:
    static constexpr int kWidth = 1024;
    static constexpr int kHeight = 768;

    // A rectangle of window pixels, left and bottom counted as OpenGL counts (y up).
    struct Rect {
        int left, bottom, width, height;
    };

    // The one frame of the game window, told the window's size by every reshape. Until then
    // (and in tests that draw without a window) the window is 1024 x 768.
    static PictureFrame& current();

    explicit PictureFrame(int windowWidth = kWidth, int windowHeight = kHeight);
    // Sizes below one pixel count as one (a minimised window may report zero).
    void setWindowSize(int width, int height);

    int windowWidth() const { return windowWidth_; }
    int windowHeight() const { return windowHeight_; }
    const Rect& picture() const { return picture_; }
    // Window rows above the picture (the window's y axis points down).
    int top() const { return windowHeight_ - picture_.bottom - picture_.height; }
    bool hasBars() const;
    // The bars, at most two, as rectangles to clear; returns how many there are.
    int bars(Rect out[2]) const;
    // Window pixels per picture pixel.
    double scale() const { return static_cast<double>(picture_.height) / kHeight; }

    // Window pixel (y down) -> picture point (y down). Points on the bars land outside
    // 0..1023 x 0..767, so nothing laid out in the picture is ever hit there.
    int pictureX(int windowX) const;
    int pictureY(int windowY) const;
    bool onPicture(int windowX, int windowY) const;
    // The window pixel that shows the middle of picture point (x, y).
    int windowX(int pictureX) const;
    int windowY(int pictureY) const;

private:
    int windowWidth_ = kWidth;
    int windowHeight_ = kHeight;
    Rect picture_ = {0, 0, kWidth, kHeight};
};

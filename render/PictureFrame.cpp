// PictureFrame: fitting the 4:3 picture into the window and mapping pixels both ways.
#include "render/PictureFrame.h"

namespace {

// value * to / from, rounded towards minus infinity (points left of or above the picture stay
// outside it).
int scaled(long long value, long long to, long long from) {
    const long long product = value * to;
    long long q = product / from;
    if (product % from != 0 && product < 0) {
        --q;
    }
    return static_cast<int>(q);
}

}  // namespace

PictureFrame& PictureFrame::current() {
    static PictureFrame frame;
    return frame;
}

PictureFrame::PictureFrame(int windowWidth, int windowHeight) {
    setWindowSize(windowWidth, windowHeight);
}

void PictureFrame::setWindowSize(int width, int height) {
    windowWidth_ = width > 0 ? width : 1;
    windowHeight_ = height > 0 ? height : 1;
    const long long w = windowWidth_;
    const long long h = windowHeight_;
    if (w * kHeight >= h * kWidth) {
        // Too wide (or exact): full height, bars left and right.
        picture_.height = windowHeight_;
        picture_.width = static_cast<int>(h * kWidth / kHeight);
    } else {
        picture_.width = windowWidth_;
        picture_.height = static_cast<int>(w * kHeight / kWidth);
    }
    if (picture_.width < 1) {
        picture_.width = 1;
    }
    if (picture_.height < 1) {
        picture_.height = 1;
    }
    picture_.left = (windowWidth_ - picture_.width) / 2;
    picture_.bottom = (windowHeight_ - picture_.height) / 2;
}

bool PictureFrame::hasBars() const {
    return picture_.width != windowWidth_ || picture_.height != windowHeight_;
}

int PictureFrame::bars(Rect out[2]) const {
    const Rect& p = picture_;
    Rect both[2];
    if (p.width != windowWidth_) {
        both[0] = {0, 0, p.left, windowHeight_};
        both[1] = {p.left + p.width, 0, windowWidth_ - p.left - p.width, windowHeight_};
    } else {
        both[0] = {0, 0, windowWidth_, p.bottom};
        both[1] = {0, p.bottom + p.height, windowWidth_, top()};
    }
    // A difference of one pixel leaves a bar on one side only.
    int count = 0;
    for (const Rect& bar : both) {
        if (bar.width > 0 && bar.height > 0) {
            out[count++] = bar;
        }
    }
    return count;
}

// The point under the pixel's centre.
int PictureFrame::pictureX(int windowX) const {
    return scaled(2LL * (windowX - picture_.left) + 1, kWidth, 2LL * picture_.width);
}
int PictureFrame::pictureY(int windowY) const {
    return scaled(2LL * (windowY - top()) + 1, kHeight, 2LL * picture_.height);
}

bool PictureFrame::onPicture(int windowX, int windowY) const {
    const int x = windowX - picture_.left;
    const int y = windowY - top();
    return x >= 0 && x < picture_.width && y >= 0 && y < picture_.height;
}

// The pixel whose span holds the middle of the point's span: the inverse of the mapping above.
int PictureFrame::windowX(int pictureX) const {
    return picture_.left + scaled(2LL * pictureX + 1, picture_.width, 2LL * kWidth);
}
int PictureFrame::windowY(int pictureY) const {
    return top() + scaled(2LL * pictureY + 1, picture_.height, 2LL * kHeight);
}

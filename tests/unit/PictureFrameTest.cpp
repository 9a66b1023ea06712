// PictureFrame: the bars around the fitted picture, and the way back from picture to window.
#include <gtest/gtest.h>

#include <cstdlib>

#include "render/PictureFrame.h"

namespace {

TEST(PictureFrame, BarsFillExactlyWhatThePictureLeavesOfTheWindow) {
    struct Case {
        int w, h;
        PictureFrame::Rect first, second;  // as OpenGL counts, y up
        int count;
    };
    const Case cases[] = {
        {1600, 900, {0, 0, 200, 900}, {1400, 0, 200, 900}, 2},  // pillarbox
        {1280, 1024, {0, 0, 1280, 32}, {0, 992, 1280, 32}, 2},  // letterbox
        {1024, 769, {0, 768, 1024, 1}, {0, 0, 0, 0}, 1},        // one row: a top bar only
        {1024, 768, {0, 0, 0, 0}, {0, 0, 0, 0}, 0},             // none
        {0, 0, {0, 0, 0, 0}, {0, 0, 0, 0}, 0}};                 // a minimised window
    for (const Case& c : cases) {
        const PictureFrame frame(c.w, c.h);
        PictureFrame::Rect bars[2];
        ASSERT_EQ(frame.bars(bars), c.count) << c.w << "x" << c.h;
        EXPECT_EQ(frame.hasBars(), c.count > 0);
        long area = static_cast<long>(frame.picture().width) * frame.picture().height;
        for (int i = 0; i < c.count; ++i) {
            area += static_cast<long>(bars[i].width) * bars[i].height;
        }
        EXPECT_EQ(area, static_cast<long>(frame.windowWidth()) * frame.windowHeight());
        const PictureFrame::Rect expected[2] = {c.first, c.second};
        for (int i = 0; i < c.count; ++i) {
            EXPECT_EQ(bars[i].left, expected[i].left) << c.w << "x" << c.h << " bar " << i;
            EXPECT_EQ(bars[i].bottom, expected[i].bottom) << c.w << "x" << c.h << " bar " << i;
            EXPECT_EQ(bars[i].width, expected[i].width) << c.w << "x" << c.h << " bar " << i;
            EXPECT_EQ(bars[i].height, expected[i].height) << c.w << "x" << c.h << " bar " << i;
        }
    }
}

TEST(PictureFrame, TheWindowPixelOfAPicturePointMapsBackToIt) {
    // The pointer warp of the game relies on this: at scales of one and more the round trip
    // is exact, below one it may land on a neighbouring point, which the warp reports.
    const int sizes[][2] = {{1600, 900}, {1280, 1024}, {1024, 768}, {2048, 1536}, {800, 600}};
    for (const auto& size : sizes) {
        const PictureFrame frame(size[0], size[1]);
        const int slack = frame.scale() >= 1.0 ? 0 : 1;
        for (int p : {0, 1, 300, 400, 511, 767, 1023}) {
            if (p < PictureFrame::kWidth) {
                EXPECT_LE(std::abs(frame.pictureX(frame.windowX(p)) - p), slack) << size[0];
            }
            if (p < PictureFrame::kHeight) {
                EXPECT_LE(std::abs(frame.pictureY(frame.windowY(p)) - p), slack) << size[1];
                EXPECT_TRUE(frame.onPicture(frame.windowX(p), frame.windowY(p)));
            }
        }
    }
}

}  // namespace

// Menu pointer: buttons hit strictly inside; in a window of any size a click lands on the button
// drawn under it, and a click on the bars beside the picture on nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "framework/ScreenDispatch.h"
#include "menus/MenuButton.h"

namespace {

std::unique_ptr<MenuButton> button(int left, int top, int width, int height) {
    auto b = std::make_unique<MenuButton>();
    b->setPosition(left, top);
    b->setWidth(width);
    b->setHeight(height);
    return b;
}

TEST(MenuButton, OnlyPointsStrictlyInsideHit) {
    const auto b = button(100, 650, 64, 32);
    EXPECT_TRUE(b->contains(101, 651));
    EXPECT_TRUE(b->contains(163, 681));
    EXPECT_FALSE(b->contains(100, 660));  // left edge
    EXPECT_FALSE(b->contains(130, 650));  // top edge
    EXPECT_FALSE(b->contains(164, 660));  // left + width
    EXPECT_FALSE(b->contains(130, 682));  // top + height
    MenuButton empty;                     // nothing set yet: no area at all
    EXPECT_FALSE(empty.contains(0, 0));
    // A button reaching past the largest int must not wrap round into hits on the left.
    const auto far = button(2147483600, 0, 1000, 10);
    EXPECT_FALSE(far->contains(-5, 5));
    EXPECT_TRUE(far->contains(2147483646, 5));
}

// Records where the last click reached the screen, and how many button events did.
class ClickScreen : public Screen {
public:
    int x = -1, y = -1, events = 0;
    void display() override {}
    void idle() override {}
    void mouse(int, int, int mx, int my) override {
        x = mx;
        y = my;
        ++events;
    }
    void passiveMotion(int mx, int my) override {
        x = mx;
        y = my;
    }
    void motion(int, int) override {}
    void keyboard(int, int, int) override {}
    void keyboardUp(int, int, int) override {}
    void special(int, int, int) override {}
    void specialUp(int, int, int) override {}
    void reshape(int w, int h) override { (void)w, (void)h; }
    const char* name() const override { return "click"; }
};

struct WindowCase {
    int w, h;
    // Where the 1024 x 768 picture is drawn: left, top, width, height in window pixels.
    int left, top, width, height;
};
// Pillarbox, letterbox, exact, smaller, and a one-pixel difference.
const WindowCase kWindows[] = {{1600, 900, 200, 0, 1200, 900}, {1280, 1024, 0, 32, 1280, 960},
                               {1024, 768, 0, 0, 1024, 768},   {800, 600, 0, 0, 800, 600},
                               {1025, 768, 0, 0, 1024, 768},   {1000, 1000, 0, 125, 1000, 750}};

class MenuPointer : public ::testing::Test {
protected:
    void SetUp() override {
        screen.screenSlot = &currentScreen;
        currentScreen = &screen;
    }
    void TearDown() override {
        dispatch::reshape(1024, 768);
        currentScreen = nullptr;
    }
    ClickScreen screen;
};

TEST_F(MenuPointer, AClickWhereAButtonIsDrawnReachesThatButtonAtAnyWindowSize) {
    // The main menu's buttons, the smallest one included, and an arrow at the picture's edge.
    const std::unique_ptr<MenuButton> buttons[] = {
        button(448, 200, 128, 64), button(384, 400, 256, 64), button(384, 600, 256, 64),
        button(100, 650, 64, 32),  button(0, 0, 16, 16),      button(1008, 752, 16, 16)};
    for (const WindowCase& c : kWindows) {
        dispatch::reshape(c.w, c.h);
        const double sx = c.width / 1024.0, sy = c.height / 768.0;
        for (const auto& button : buttons) {
            const MenuButton& b = *button;
            // Window pixels showing the button's picture: its centre and two pixels in
            // from each corner (a pixel straddling the edge may fall either way).
            const int xs[] = {
                c.left + static_cast<int>(std::ceil(b.left() * sx)) + 2,
                c.left + static_cast<int>((b.left() + b.width() * 0.5) * sx),
                c.left + static_cast<int>(std::floor((b.left() + b.width()) * sx)) - 2};
            const int ys[] = {
                c.top + static_cast<int>(std::ceil(b.top() * sy)) + 2,
                c.top + static_cast<int>((b.top() + b.height() * 0.5) * sy),
                c.top + static_cast<int>(std::floor((b.top() + b.height()) * sy)) - 2};
            for (int wx : xs) {
                for (int wy : ys) {
                    dispatch::mouse(0, 0, wx, wy);
                    EXPECT_TRUE(b.contains(screen.x, screen.y))
                        << c.w << "x" << c.h << " window (" << wx << "," << wy << ") reached ("
                        << screen.x << "," << screen.y << ")";
                }
            }
            // Just left of the button stays outside (or, beside the picture, reaches nothing).
            screen.x = screen.y = -1;
            dispatch::mouse(
                0, 0, c.left + static_cast<int>(std::floor(b.left() * sx)) - 1,
                c.top + static_cast<int>(std::round((b.top() + b.height() * 0.5) * sy)));
            EXPECT_FALSE(b.contains(screen.x, screen.y)) << c.w << "x" << c.h;
        }
    }
}

TEST_F(MenuPointer, AClickOnABarActsOnNothingAndThePointerThereIsOffThePicture) {
    for (const WindowCase& c : kWindows) {
        dispatch::reshape(c.w, c.h);
        // A pixel just outside each side of the picture, when there is room for one, at the
        // middle of that side.
        const int midX = c.left + c.width / 2, midY = c.top + c.height / 2;
        const struct {
            int x, y;
        } outside[] = {{c.left - 1, midY},
                       {c.left + c.width, midY},
                       {midX, c.top - 1},
                       {midX, c.top + c.height}};
        for (const auto& p : outside) {
            if (p.x < 0 || p.y < 0 || p.x >= c.w || p.y >= c.h) {
                continue;
            }
            const int before = screen.events;
            dispatch::mouse(0, 0, p.x, p.y);  // press on the bar: dropped
            dispatch::mouse(0, 1, p.x, p.y);  // and so is its release
            EXPECT_EQ(screen.events, before)
                << c.w << "x" << c.h << " (" << p.x << "," << p.y << ")";
            dispatch::passiveMotion(p.x, p.y);
            const bool off = screen.x < 0 || screen.x > 1023 || screen.y < 0 || screen.y > 767;
            EXPECT_TRUE(off) << c.w << "x" << c.h << " (" << p.x << "," << p.y << ") -> ("
                             << screen.x << "," << screen.y << ")";
        }
        // A press on the picture released on a bar still ends there: the screen sees both.
        const int before = screen.events;
        dispatch::mouse(0, 0, c.left, c.top);
        dispatch::mouse(0, 1, c.w - 1, c.h - 1);
        EXPECT_EQ(screen.events, before + 2) << c.w << "x" << c.h;
    }
}

}  // namespace

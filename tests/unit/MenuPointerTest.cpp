// Menu pointer: buttons hit strictly inside, and a click on a stretched window lands on the
// button drawn under it.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "app/ScreenDispatch.h"
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

// Records where the last click reached the screen.
class ClickScreen : public Screen {
public:
    int x = -1, y = -1;
    void display() override {}
    void idle() override {}
    void mouse(int, int, int mx, int my) override {
        x = mx;
        y = my;
    }
    void passiveMotion(int, int) override {}
    void motion(int, int) override {}
    void keyboard(int, int, int) override {}
    void keyboardUp(int, int, int) override {}
    void special(int, int, int) override {}
    void specialUp(int, int, int) override {}
    void reshape(int w, int h) override { (void)w, (void)h; }
    const char* name() const override { return "click"; }
};

TEST(MenuPointer, AClickWhereAButtonIsDrawnReachesThatButtonAtAnyWindowSize) {
    ClickScreen screen;
    screen.screenSlot = &currentScreen;
    currentScreen = &screen;
    // The main menu's buttons, the smallest one included.
    const std::unique_ptr<MenuButton> buttons[] = {
        button(448, 200, 128, 64), button(384, 400, 256, 64), button(384, 600, 256, 64),
        button(100, 650, 64, 32)};
    struct Size {
        int w, h;
    };
    for (Size size : {Size{1280, 1024}, Size{640, 480}, Size{1024, 768}, Size{800, 600}}) {
        dispatch::reshape(size.w, size.h);
        const double sx = size.w / 1024.0, sy = size.h / 768.0;
        for (const auto& button : buttons) {
            const MenuButton& b = *button;
            // Window pixels showing the button's picture: its centre and two pixels in
            // from each corner (a pixel straddling the edge may fall either way).
            const int xs[] = {static_cast<int>(std::ceil(b.left() * sx)) + 2,
                              static_cast<int>((b.left() + b.width() * 0.5) * sx),
                              static_cast<int>(std::floor((b.left() + b.width()) * sx)) - 2};
            const int ys[] = {static_cast<int>(std::ceil(b.top() * sy)) + 2,
                              static_cast<int>((b.top() + b.height() * 0.5) * sy),
                              static_cast<int>(std::floor((b.top() + b.height()) * sy)) - 2};
            for (int wx : xs) {
                for (int wy : ys) {
                    dispatch::mouse(0, 0, wx, wy);
                    EXPECT_TRUE(b.contains(screen.x, screen.y))
                        << size.w << "x" << size.h << " window (" << wx << "," << wy
                        << ") reached (" << screen.x << "," << screen.y << ")";
                }
            }
            // Just left of the picture stays outside.
            dispatch::mouse(0, 0, static_cast<int>(std::floor(b.left() * sx)) - 1,
                            static_cast<int>(std::round((b.top() + b.height() * 0.5) * sy)));
            EXPECT_FALSE(b.contains(screen.x, screen.y)) << size.w << "x" << size.h;
        }
    }
    dispatch::reshape(1024, 768);
    currentScreen = nullptr;
}

}  // namespace

// Screen dispatch: events reach the current screen unchanged, switches, reuse, exit order.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/ScreenDispatch.h"

namespace {

// Records every call as text; optionally switches to another screen on a mouse press.
class RecordingScreen : public Screen {
public:
    explicit RecordingScreen(std::vector<std::string>& log, const char* name)
        : log_(log), name_(name) {}

    Screen* switchOnPress = nullptr;

    void display() override { note("display"); }
    void idle() override { note("idle"); }
    void mouse(int b, int s, int x, int y) override {
        note("mouse " + args({b, s, x, y}));
        if (switchOnPress && s == 0) {
            switchScreen(*this, *switchOnPress);
        }
    }
    void passiveMotion(int x, int y) override { note("passive " + args({x, y})); }
    void motion(int x, int y) override { note("motion " + args({x, y})); }
    void keyboard(int k, int x, int y) override { note("key " + args({k, x, y})); }
    void keyboardUp(int k, int x, int y) override { note("keyUp " + args({k, x, y})); }
    void special(int k, int x, int y) override { note("special " + args({k, x, y})); }
    void specialUp(int k, int x, int y) override { note("specialUp " + args({k, x, y})); }
    void reshape(int w, int h) override { note("reshape " + args({w, h})); }
    void forgetHeldKeys() override { note("forget"); }
    const char* name() const override { return name_.c_str(); }

private:
    static std::string args(std::initializer_list<int> values) {
        std::string out;
        for (int v : values) {
            out += (out.empty() ? "" : ",") + std::to_string(v);
        }
        return out;
    }
    void note(const std::string& what) { log_.push_back(name_ + ": " + what); }

    std::vector<std::string>& log_;
    std::string name_;
};

class ScreenDispatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        first.screenSlot = &currentScreen;
        currentScreen = &first;
    }
    void TearDown() override { currentScreen = nullptr; }

    std::vector<std::string> log;
    RecordingScreen first{log, "A"};
    RecordingScreen second{log, "B"};
};

TEST_F(ScreenDispatchTest, EveryCallbackForwardsItsArgumentsUnchanged) {
    dispatch::display();
    dispatch::idle();
    dispatch::mouse(2, 1, -5, 900);
    dispatch::motion(10, 20);
    dispatch::passiveMotion(-1, 0);
    dispatch::keyboard(233, 3, 4);  // a Latin-1 byte must stay positive, not wrap to -23
    dispatch::keyboardUp(27, 5, 6);
    dispatch::special(100, 7, 8);
    dispatch::specialUp(102, 9, 10);
    dispatch::reshape(1024, 768);
    const std::vector<std::string> expected = {"A: display",
                                               "A: idle",
                                               "A: mouse 2,1,-5,900",
                                               "A: motion 10,20",
                                               "A: passive -1,0",
                                               "A: key 233,3,4",
                                               "A: keyUp 27,5,6",
                                               "A: special 100,7,8",
                                               "A: specialUp 102,9,10",
                                               "A: reshape 1024,768"};
    EXPECT_EQ(log, expected);
}

TEST_F(ScreenDispatchTest, ASwitchInsideMouseDownSendsTheReleaseToTheNewScreen) {
    first.switchOnPress = &second;
    dispatch::mouse(0, 0, 10, 10);
    dispatch::mouse(0, 1, 10, 10);
    EXPECT_EQ(log,
              (std::vector<std::string>{"A: mouse 0,0,10,10", "A: forget", "B: mouse 0,1,10,10"}));
    EXPECT_EQ(second.screenSlot, &currentScreen);
}

// The screen left lets go of its keys; the release then reaches the next screen, and the next
// press after it too, while repeats of the held key still stay out of the new screen.
TEST_F(ScreenDispatchTest, AKeyPressedBeforeASwitchIsReleasedOnTheNextScreen) {
    dispatch::keyboard('a', 0, 0);
    switchScreen(first, second);
    dispatch::keyboard('a', 0, 0);  // repeat
    dispatch::keyboardUp('a', 0, 0);
    dispatch::keyboard('a', 0, 0);
    dispatch::special(GLUT_KEY_UP, 0, 0);
    switchScreen(second, first);
    dispatch::special(GLUT_KEY_UP, 0, 0);  // repeat
    dispatch::specialUp(GLUT_KEY_UP, 0, 0);
    dispatch::special(GLUT_KEY_UP, 0, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"A: key 97,0,0", "A: forget", "B: keyUp 97,0,0",
                                             "B: key 97,0,0", "B: special 101,0,0", "B: forget",
                                             "A: specialUp 101,0,0", "A: special 101,0,0"}));
}

// When the pointer leaves or the window is hidden, releases may go elsewhere: every held key
// is forgotten, and the next real press of it counts, a letter as an arrow.
TEST_F(ScreenDispatchTest, KeysHeldWhenTheirReleaseCanBeLostArePressedAnewAfterwards) {
    const struct {
        const char* way;
        void (*lose)();
    } ways[] = {{"pointer leaves", [] { dispatch::entry(GLUT_LEFT); }},
                {"window hidden", [] { dispatch::windowStatus(GLUT_HIDDEN); }},
                {"forgotten on request", [] { forgetHeldKeys(); }}};
    for (const auto& way : ways) {
        log.clear();
        dispatch::keyboard('z', 0, 0);
        way.lose();
        dispatch::keyboard('z', 0, 0);
        dispatch::special(GLUT_KEY_LEFT, 0, 0);
        way.lose();
        dispatch::special(GLUT_KEY_LEFT, 0, 0);
        EXPECT_EQ(log, (std::vector<std::string>{"A: key 122,0,0", "A: forget", "A: key 122,0,0",
                                                 "A: special 100,0,0", "A: forget",
                                                 "A: special 100,0,0"}))
            << way.way;
        dispatch::entry(GLUT_ENTERED);
    }
    // Coming back, or a window merely covered or shown again, loses nothing: repeats stay out.
    log.clear();
    dispatch::keyboard('q', 0, 0);
    for (int state : {GLUT_FULLY_RETAINED, GLUT_PARTIALLY_RETAINED, GLUT_FULLY_COVERED}) {
        dispatch::windowStatus(state);
        dispatch::keyboard('q', 0, 0);
    }
    dispatch::entry(GLUT_ENTERED);
    dispatch::keyboard('q', 0, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"A: key 113,0,0"}));
    dispatch::keyboardUp('q', 0, 0);
    dispatch::windowStatus(GLUT_FULLY_RETAINED);
}

TEST_F(ScreenDispatchTest, SwitchingBackFindsTheSameObjectWithItsState) {
    switchScreen(first, second);
    second.warpX = 123;  // state a screen keeps while it is not current
    switchScreen(second, first);
    switchScreen(first, second);
    EXPECT_EQ(currentScreen, &second);
    EXPECT_EQ(currentScreen->warpX, 123);
}

TEST_F(ScreenDispatchTest, HeldKeysReachTheScreenOnceUntilReleased) {
    // A held Escape arrives as repeated presses: only the first may act (game -> menu), or
    // the rest walk on through the menu to the exit screen.
    dispatch::keyboard(27, 0, 0);
    dispatch::keyboard(27, 0, 0);
    dispatch::keyboard(27, 0, 0);
    dispatch::keyboardUp(27, 0, 0);
    dispatch::keyboard(27, 0, 0);  // a new press after the release
    // The server repeats only the last key pressed: a key pressed while another is held is
    // new, and so is the first key again after it.
    dispatch::keyboard('z', 0, 0);
    dispatch::special(100, 0, 0);
    dispatch::keyboard('z', 0, 0);
    dispatch::special(100, 0, 0);
    dispatch::keyboard(100, 0, 0);  // the character 'd' is not the left arrow
    dispatch::specialUp(100, 0, 0);
    dispatch::special(100, 0, 0);
    const std::vector<std::string> expected = {
        "A: key 27,0,0",        "A: keyUp 27,0,0",   "A: key 27,0,0",      "A: key 122,0,0",
        "A: special 100,0,0",   "A: key 122,0,0",    "A: special 100,0,0", "A: key 100,0,0",
        "A: specialUp 100,0,0", "A: special 100,0,0"};
    EXPECT_EQ(log, expected);
}

}  // namespace

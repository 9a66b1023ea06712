// The checked build's GL error report after each event: names the error, event, screen, frame.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

#include "framework/ScreenDispatch.h"
#include "tests/support/GlContext.h"

namespace {

using gltest::GlTest;

// Raises one invalid enum in its display when asked to; otherwise draws nothing.
class FaultyScreen : public Screen {
public:
    bool fault = false;
    void display() override {
        if (fault) {
            glEnable(0x7fff);
        }
    }
    void idle() override {}
    void mouse(int, int, int, int) override {}
    void passiveMotion(int, int) override {}
    void motion(int, int) override {}
    void keyboard(int, int, int) override {}
    void keyboardUp(int, int, int) override {}
    void special(int, int, int) override {}
    void specialUp(int, int, int) override {}
    void reshape(int, int) override {}
    const char* name() const override { return "faulty"; }
};

class GlErrorCheckTest : public GlTest {};

TEST_F(GlErrorCheckTest, AnErrorIsReportedOnceWithItsScreenAndACleanFrameSaysNothing) {
#ifndef ZORBLAT_GL_CHECKS
    GTEST_SKIP() << "only the sanitizer build checks GL errors";
#else
    FaultyScreen screen;
    Screen* previous = currentScreen;
    currentScreen = &screen;

    testing::internal::CaptureStderr();
    dispatch::display();
    screen.fault = true;
    dispatch::display();
    screen.fault = false;
    dispatch::display();
    const std::string report = testing::internal::GetCapturedStderr();
    currentScreen = previous;

    // One line, for the faulty frame only: the flag was drained, so the next frame is clean.
    EXPECT_NE(report.find("GL error 0x0500 GL_INVALID_ENUM after display on "
                          "(anonymous namespace)::FaultyScreen, frame "),
              std::string::npos)
        << report;
    EXPECT_EQ(report.find('\n'), report.size() - 1) << report;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
#endif
}

}  // namespace

// FeedbackZoomEffect drawing: idle draws leave OpenGL untouched; active ones blend and widen, on
// the picture alone.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "render/FeedbackZoomEffect.h"
#include "render/PictureFrame.h"
#include "tests/support/GlContext.h"

namespace {

using gltest::GlTest;

class FeedbackZoomEffectTest : public GlTest {};

// Everything the effect touches when it draws, and a bit more.
struct Snapshot {
    std::vector<GLint> integers;
    std::vector<GLint> viewport;
    std::vector<float> projection, modelview, textureMatrix, colour;
    std::vector<bool> enabled;
    int pixelRed;

    static Snapshot take() {
        Snapshot s;
        for (GLenum name : {GL_MATRIX_MODE, GL_BLEND_SRC, GL_BLEND_DST, GL_TEXTURE_BINDING_2D,
                            GL_DEPTH_FUNC, GL_PROJECTION_STACK_DEPTH, GL_MODELVIEW_STACK_DEPTH}) {
            s.integers.push_back(gltest::getInteger(name));
        }
        GLint env = 0;
        glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
        s.integers.push_back(env);
        s.viewport.resize(4);
        glGetIntegerv(GL_VIEWPORT, s.viewport.data());
        s.projection = gltest::matrix(GL_PROJECTION_MATRIX);
        s.modelview = gltest::matrix(GL_MODELVIEW_MATRIX);
        s.textureMatrix = gltest::matrix(GL_TEXTURE_MATRIX);
        s.colour = gltest::currentColor();
        for (GLenum cap : {GL_DEPTH_TEST, GL_BLEND, GL_TEXTURE_2D}) {
            s.enabled.push_back(gltest::isEnabled(cap));
        }
        s.pixelRed = gltest::readPixel(512, 384).r;
        return s;
    }
};

void expectSame(const Snapshot& a, const Snapshot& b) {
    EXPECT_EQ(a.integers, b.integers);
    EXPECT_EQ(a.viewport, b.viewport);
    EXPECT_EQ(a.projection, b.projection);
    EXPECT_EQ(a.modelview, b.modelview);
    EXPECT_EQ(a.textureMatrix, b.textureMatrix);
    EXPECT_EQ(a.colour, b.colour);
    EXPECT_EQ(a.enabled, b.enabled);
    EXPECT_EQ(a.pixelRed, b.pixelRed);
}

// An unusual state, so that any change the draw makes shows.
void setUnusualState() {
    glViewport(10, 20, 300, 200);
    glMatrixMode(GL_PROJECTION);
    glOrtho(0.0, 5.0, 0.0, 7.0, -2.0, 2.0);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(4.0f, 5.0f, 6.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDisable(GL_DEPTH_TEST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}

TEST_F(FeedbackZoomEffectTest, IdleDrawChangesNoOpenGlState) {
    FeedbackZoomEffect zoom;
    setUnusualState();
    const Snapshot before = Snapshot::take();
    zoom.draw();
    expectSame(before, Snapshot::take());

    // Back to idle after a run, too.
    zoom.trigger();
    zoom.reset();
    zoom.draw();
    expectSame(before, Snapshot::take());
}

TEST_F(FeedbackZoomEffectTest, ActiveDrawLeavesTheWidenedProjectionLoaded) {
    struct Case {
        float dt;        // first update after the trigger
        double degrees;  // field of view it must leave
    };
    // dt 0.1 gives level 0.87902; dt 0.5 takes it below 0.55 (0.3991), where it stops at 99.
    for (const Case c : {Case{0.1f, 110.0 - 20.0 * 0.87902}, Case{0.5f, 99.0}}) {
        FeedbackZoomEffect zoom;
        zoom.trigger();
        zoom.update(c.dt);
        ASSERT_LT(zoom.level(), 1.0f);
        gltest::resetState();
        setUnusualState();
        glEnable(GL_TEXTURE_2D);
        const std::vector<float> modelview = gltest::matrix(GL_MODELVIEW_MATRIX);
        zoom.draw();

        const std::vector<float> p = gltest::matrix(GL_PROJECTION_MATRIX);
        const double f = 1.0 / std::tan(c.degrees / 2.0 * 3.14159265358979 / 180.0);
        EXPECT_NEAR(p[5], f, 1e-4) << c.degrees;
        EXPECT_NEAR(p[0], f, 1e-4) << "square view";
        EXPECT_NEAR(p[10], -10001.0 / 9999.0, 1e-5);
        EXPECT_NEAR(p[14], -20000.0 / 9999.0, 1e-4);
        EXPECT_EQ(gltest::matrix(GL_MODELVIEW_MATRIX), modelview);
        EXPECT_EQ(gltest::getInteger(GL_MATRIX_MODE), GL_MODELVIEW);
        GLint vp[4];
        glGetIntegerv(GL_VIEWPORT, vp);
        EXPECT_EQ((std::vector<GLint>{vp[0], vp[1], vp[2], vp[3]}),
                  (std::vector<GLint>{0, 0, 1024, 768}));
        EXPECT_TRUE(gltest::isEnabled(GL_DEPTH_TEST));
        EXPECT_FALSE(gltest::isEnabled(GL_BLEND));
        EXPECT_EQ(gltest::getInteger(GL_PROJECTION_STACK_DEPTH), 1);
        EXPECT_EQ(gltest::getInteger(GL_MODELVIEW_STACK_DEPTH), 1);
    }
}

TEST_F(FeedbackZoomEffectTest, EachFrameIsMixedWithTheYellowedPreviousOne) {
    FeedbackZoomEffect zoom;
    zoom.trigger();
    zoom.update(0.1f);
    const float a = zoom.level();  // 0.87902: the new frame's weight

    // The scene's depths must not hide the previous picture: nearest everywhere.
    glClearDepth(0.0);
    // First frame: the previous picture is the black of a fresh texture.
    glClearColor(0.8f, 0.8f, 0.8f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    zoom.draw();
    const gltest::Pixel first = gltest::readPixel(512, 300);
    EXPECT_NEAR(first.r, 0.8f * a * 255.0f, 2.0f);
    EXPECT_NEAR(first.b, 0.8f * a * 255.0f, 2.0f);

    // Second frame, black: only the previous picture shows, at 1 - a, with half its blue.
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearDepth(1.0);
    zoom.draw();
    const gltest::Pixel second = gltest::readPixel(512, 300);
    EXPECT_NEAR(second.r, first.r * (1.0f - a), 2.0f);
    EXPECT_NEAR(second.g, first.g * (1.0f - a), 2.0f);
    EXPECT_NEAR(second.b, first.b * (1.0f - a) * 0.5f, 2.0f);
    EXPECT_GT(second.r, second.b + 5);
}

// The previous picture is drawn 1040 units wide for its 1024 texels, so it grows away from
// x = 512 a little each frame: the zoom of the effect.
TEST_F(FeedbackZoomEffectTest, ThePreviousPictureComesBackSlightlyEnlarged) {
    FeedbackZoomEffect zoom;
    zoom.trigger();
    zoom.update(0.1f);
    const float a = zoom.level();

    // A white band over x < 100 only.
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 100, 768);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    zoom.draw();

    // On black, the band's edge comes back at -8 + 100 x 1040 / 1024, about x = 93.6.
    glClear(GL_COLOR_BUFFER_BIT);
    zoom.draw();
    const float shown = 255.0f * a * (1.0f - a);
    EXPECT_NEAR(gltest::readPixel(90, 384).r, shown, 2.0f);
    EXPECT_LE(gltest::readPixel(97, 384).r, 1);
}

// In a window wider than 4:3 the picture lies between bars: the effect reads and draws the
// picture alone, scaled, and the bars keep their black (here grey, to show any touch).
TEST_F(FeedbackZoomEffectTest, BesideBarsThePictureAloneIsZoomedTheSameWay) {
    PictureFrame::current().setWindowSize(1024, 600);  // picture 800 x 600 at x 112
    FeedbackZoomEffect zoom;
    zoom.trigger();
    zoom.update(0.1f);
    const float a = zoom.level();
    const auto fill = [](int x, int w, float grey) {
        glEnable(GL_SCISSOR_TEST);
        glScissor(x, 0, w, 600);
        glClearColor(grey, grey, grey, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glDisable(GL_SCISSOR_TEST);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    };
    fill(0, 1024, 0.5f);
    // A white band over the picture's x < 100 units: 78 pixels at this scale.
    fill(112, 800, 0.0f);
    fill(112, 78, 1.0f);
    zoom.draw();
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    EXPECT_EQ((std::vector<GLint>{vp[0], vp[1], vp[2], vp[3]}),
              (std::vector<GLint>{112, 0, 800, 600}));
    fill(112, 800, 0.0f);
    zoom.draw();
    // The band's edge comes back at 93.6 units, x = 112 + 73.1.
    const float shown = 255.0f * a * (1.0f - a);
    EXPECT_NEAR(gltest::readPixel(182, 300).r, shown, 2.0f);
    EXPECT_LE(gltest::readPixel(189, 300).r, 1);
    for (int x : {50, 111, 912, 1000}) {
        EXPECT_NEAR(gltest::readPixel(x, 300).r, 128, 1) << "bar pixel " << x;
    }
    PictureFrame::current().setWindowSize(1024, 768);
}

}  // namespace

// glow_bench: cost per frame of the glow (capture, two blur passes, composite) and of the
// feedback zoom at 1024 x 768. Needs an X display; prints milliseconds per frame.
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <chrono>
#include <cstdio>

#include "render/FeedbackZoomEffect.h"
#include "render/GlowEffect.h"

namespace {

constexpr int kFrames = 200;

// Stand-in for the glowing objects and for the scene: a few coloured quads.
void drawQuads(int count, float size) {
    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0.0, 1.0, 0.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glBegin(GL_QUADS);
    for (int i = 0; i < count; ++i) {
        const float x = static_cast<float>(i % 4) * 0.25f;
        const float y = static_cast<float>(i / 4 % 4) * 0.25f;
        glColor3f(0.2f + 0.05f * i, 0.5f, 1.0f - 0.05f * i);
        glVertex2f(x, y);
        glVertex2f(x + size, y);
        glVertex2f(x + size, y + size);
        glVertex2f(x, y + size);
    }
    glEnd();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glEnable(GL_TEXTURE_2D);
}

// Runs `frame` kFrames times after a few warm-up frames, waiting for the GPU each time.
template <typename Frame>
double millisecondsPerFrame(Frame frame) {
    for (int i = 0; i < 10; ++i) {
        frame();
    }
    glFinish();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kFrames; ++i) {
        frame();
        glFinish();
    }
    const std::chrono::duration<double, std::milli> spent =
        std::chrono::steady_clock::now() - start;
    return spent.count() / kFrames;
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(1024, 768);
    glutCreateWindow("glow_bench");
    glutDisplayFunc([] {});
    for (int i = 0; i < 3; ++i) {
        glutMainLoopEvent();
    }
    glViewport(0, 0, 1024, 768);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_TEXTURE_2D);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);

    const double bare = millisecondsPerFrame([] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawQuads(16, 0.2f);
    });

    GlowEffect glow(64, 64);
    glow.setPasses(2);
    glow.setIntensity(1.0f);
    const double withGlow = millisecondsPerFrame([&] {
        glow.beginCapture();
        glClear(GL_COLOR_BUFFER_BIT);
        drawQuads(6, 0.2f);
        glow.blur();
        glClear(GL_DEPTH_BUFFER_BIT);
        glow.endCapture();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawQuads(16, 0.2f);
        glow.composite();
        glEnable(GL_TEXTURE_2D);
    });

    // Each blur direction clears the whole back buffer, not only the 64 x 64 corner: two passes
    // are four full-screen clears, shown apart to tell them from the blur's own drawing.
    const double fourClears = millisecondsPerFrame([] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawQuads(16, 0.2f);
        for (int i = 0; i < 4; ++i) {
            glClear(GL_COLOR_BUFFER_BIT);
        }
    });

    FeedbackZoomEffect zoom;
    zoom.trigger();  // stays active: the level is never updated here
    const double withZoom = millisecondsPerFrame([&] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawQuads(16, 0.2f);
        zoom.draw();
    });

    std::printf("glow_bench: %d frames at 1024 x 768, glFinish after each\n", kFrames);
    std::printf("  scene alone                           %8.3f ms/frame\n", bare);
    std::printf("  scene + glow (64 x 64, 2 passes)      %8.3f ms/frame (glow %.3f ms)\n", withGlow,
                withGlow - bare);
    std::printf("  of which 4 full-screen clears          %8.3f ms/frame\n", fourClears - bare);
    std::printf("  scene + feedback zoom                 %8.3f ms/frame (zoom %.3f ms)\n", withZoom,
                withZoom - bare);
    return 0;
}

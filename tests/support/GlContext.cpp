// GlContext: one freeglut window per test process and small read-back helpers.
#include "tests/support/GlContext.h"

#include <GL/freeglut.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#if defined(__SANITIZE_ADDRESS__)
#define ZORBLAT_HAS_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZORBLAT_HAS_ASAN 1
#endif
#endif
#ifdef ZORBLAT_HAS_ASAN
#include <sanitizer/lsan_interface.h>
#endif
#include <cstdlib>

namespace gltest {

namespace {

// freeglut exits the process when it cannot reach the display, so make sure the X server
// answers first: a busy Xvfb may refuse a connection for a moment while others come and go.
void waitForDisplay() {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (Display* display = XOpenDisplay(nullptr)) {
            XCloseDisplay(display);
            return;
        }
        usleep(100 * 1000);
    }
    std::fprintf(stderr, "OpenGL tests: the X display %s does not answer\n",
                 std::getenv("DISPLAY"));
    std::abort();
}

}  // namespace

bool displayAvailable() {
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && display[0] != '\0';
}

void ensureContext() {
    static int window = 0;
    if (window != 0) {
        glutSetWindow(window);
        return;
    }
    if (std::getenv("DISPLAY") == nullptr) {
        std::fprintf(stderr, "OpenGL tests need an X display (run them through scripts/test.sh)\n");
        std::abort();
    }
    waitForDisplay();
    int argc = 1;
    char name[] = "gl_tests";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(1024, 768);
    window = glutCreateWindow("gl_tests");
    glutDisplayFunc([] {});  // freeglut refuses to process events for a window without one
    // Let the window map so that reads of the back buffer cover its whole size.
    for (int i = 0; i < 3; ++i) {
        glutMainLoopEvent();
    }
}

void resetState() {
    glViewport(0, 0, 1024, 768);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glLineWidth(1.0f);
    glColor4f(1, 1, 1, 1);
    glClearColor(0, 0, 0, 0);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glReadBuffer(GL_BACK);
    glDrawBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    while (glGetError() != GL_NO_ERROR) {
    }
}

Pixel readPixel(int x, int y) {
    uint8_t p[4] = {0, 0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return Pixel{p[0], p[1], p[2], p[3]};
}

std::vector<uint8_t> readRgb(int x, int y, int w, int h) {
    std::vector<uint8_t> out(static_cast<size_t>(w) * h * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, w, h, GL_RGB, GL_UNSIGNED_BYTE, out.data());
    return out;
}

bool writePpm(const char* path, int w, int h, const std::vector<uint8_t>& rgb) {
    FILE* f = std::fopen(path, "wb");
    if (!f) {
        return false;
    }
    std::fprintf(f, "P6\n%d %d\n255\n", w, h);
    for (int y = h - 1; y >= 0; --y) {
        std::fwrite(rgb.data() + static_cast<size_t>(y) * w * 3, 1, static_cast<size_t>(w) * 3, f);
    }
    return std::fclose(f) == 0;
}

bool isEnabled(GLenum cap) { return glIsEnabled(cap) == GL_TRUE; }

GLint getInteger(GLenum name) {
    GLint v[4] = {0, 0, 0, 0};
    glGetIntegerv(name, v);
    return v[0];
}

float getFloat(GLenum name) {
    GLfloat v[16] = {0};
    glGetFloatv(name, v);
    return v[0];
}

std::vector<float> currentColor() {
    std::vector<float> c(4);
    glGetFloatv(GL_CURRENT_COLOR, c.data());
    return c;
}

std::vector<float> matrix(GLenum which) {
    std::vector<float> m(16);
    glGetFloatv(which, m.data());
    return m;
}

int runAllTests() {
    // The leak check below stops and scans every thread of the process; without Mesa's helper
    // threads (the llvmpipe rasteriser, the shader disk cache writer) the driver runs on the
    // test's own thread and there is nothing mid-flight to catch. No cache in the home folder
    // also keeps runs independent of each other.
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
    setenv("LP_NUM_THREADS", "0", 0);
    const int status = RUN_ALL_TESTS();
#ifdef ZORBLAT_HAS_ASAN
    // Check for leaks now, while the OpenGL driver is still loaded: at exit it is unloaded
    // first and its own allocations could no longer be told from ours.
    __lsan_do_leak_check();
#endif
    return status;
}

void GlTest::SetUp() {
    ensureContext();
    resetState();
}

void GlTest::TearDown() { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }

}  // namespace gltest

// GlContext: a real OpenGL context for tests, with pixel and state read-back helpers.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace gltest {

// Makes sure GLUT is initialised and a 1024 x 768 double-buffered RGBA + depth window exists
// and is current (created once per process, on the display the test command started). Also
// resets the state every drawing operation expects on entry: depth test on with GL_LEQUAL,
// blending off, filled polygons, 2D texturing on, identity matrices, clear colour black.
void ensureContext();
void resetState();

struct Pixel {
    int r, g, b, a;
};

// Reads one pixel of the back buffer (origin bottom-left, as OpenGL counts).
Pixel readPixel(int x, int y);
// Reads a w x h block of the back buffer as RGB bytes, bottom row first.
std::vector<uint8_t> readRgb(int x, int y, int w, int h);
// Writes a block read with readRgb to a PNG-convertible PPM file (for looking at failures).
bool writePpm(const char* path, int w, int h, const std::vector<uint8_t>& rgbBottomUp);

bool isEnabled(GLenum cap);
GLint getInteger(GLenum name);
float getFloat(GLenum name);
// Current colour as RGBA floats.
std::vector<float> currentColor();
std::vector<float> matrix(GLenum which);  // GL_PROJECTION_MATRIX or GL_MODELVIEW_MATRIX

// Whether a display is named at all (DISPLAY); one that is named but does not answer is a
// failure, not a reason to skip.
bool displayAvailable();

// Runs every test, then checks for leaks while the driver is still loaded (see the .cpp).
int runAllTests();

// Fixture for tests that draw: a fresh, predictable state before each test and a check that
// no OpenGL error was left behind after it.
class GlTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

}  // namespace gltest

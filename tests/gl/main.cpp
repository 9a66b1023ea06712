// gl_tests entry point: runs the OpenGL tests and checks leaks before the driver unloads.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/GlContext.h"

// CTest's code for a skipped test (SKIP_RETURN_CODE in tests/CMakeLists.txt).
constexpr int kSkipped = 77;

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing needs no display; running does. A machine without one skips these tests.
    if (!::testing::GTEST_FLAG(list_tests) && !gltest::displayAvailable()) {
        std::fprintf(stderr, "gl_tests: no X display (DISPLAY is not set): skipped\n");
        return kSkipped;
    }
    return gltest::runAllTests();
}

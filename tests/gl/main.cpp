// gl_tests entry point: runs the OpenGL tests and checks leaks before the driver unloads.
#include <gtest/gtest.h>

#include "tests/support/GlContext.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return gltest::runAllTests();
}

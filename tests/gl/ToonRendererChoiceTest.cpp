// Toon renderer choice against a driver whose extension string has been cut down.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "render/GlExtensions.h"
#include "render/MultitextureToonRenderer.h"
#include "render/SoftwareToonRenderer.h"
#include "render/ToonRendererFactory.h"
#include "render/VertexProgramToonRenderer.h"
#include "tests/support/GlContext.h"

namespace {

enum ChoiceExit { kSoftware = 10, kMultitexture = 11, kVertexProgram = 12, kNone = 13 };

// Runs in a fresh child process: Mesa reads the override when the context is created. Ends
// with _exit so that the child's own leak check (of driver allocations) cannot change the code.
[[noreturn]] void chooseWithOverride(const char* extensionOverride) {
    if (extensionOverride) {
        setenv("MESA_EXTENSION_OVERRIDE", extensionOverride, 1);
    }
    gltest::ensureContext();
    loadMultitexture();
    loadVertexProgram();
    const std::unique_ptr<ToonRenderer> renderer = createToonRenderer();
    int code = kNone;
    if (dynamic_cast<SoftwareToonRenderer*>(renderer.get())) {
        code = kSoftware;
    } else if (dynamic_cast<MultitextureToonRenderer*>(renderer.get())) {
        code = kMultitexture;
    } else if (dynamic_cast<VertexProgramToonRenderer*>(renderer.get())) {
        code = kVertexProgram;
    }
    _exit(code);
}

// Not a GlTest: the parent must not open a context of its own before the children start.
TEST(ToonRendererChoiceTest, DriverWithoutAnExtensionGetsTheMatchingFallback) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(chooseWithOverride(nullptr), ::testing::ExitedWithCode(kVertexProgram), "");
    EXPECT_EXIT(chooseWithOverride("-GL_ARB_vertex_program"),
                ::testing::ExitedWithCode(kMultitexture), "");
    EXPECT_EXIT(chooseWithOverride("-GL_ARB_multitexture"), ::testing::ExitedWithCode(kSoftware),
                "");
    EXPECT_EXIT(chooseWithOverride("-GL_ARB_multitexture -GL_ARB_vertex_program"),
                ::testing::ExitedWithCode(kSoftware), "");
}

}  // namespace

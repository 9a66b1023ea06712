// GlExtensions: which entry points are looked up, when the flags turn on, compile reports.
#define GL_GLEXT_PROTOTYPES 1
#include "render/GlExtensions.h"

#include <GL/gl.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "render/ToonVertexProgram.h"
#include "tests/support/GlContext.h"

namespace {

// A driver seen through a recording lookup that can be told to miss one name.
std::vector<std::string> lookedUp;
std::string missingName;
bool extensionsAdvertised = true;

glext::Proc recordingLookup(const char* name) {
    lookedUp.push_back(name);
    return missingName == name ? nullptr : glext::glutProcLookup(name);
}

bool advertisedOrNot(const char*) { return extensionsAdvertised; }

class GlExtensionsTest : public gltest::GlTest {
protected:
    void SetUp() override {
        gltest::GlTest::SetUp();
        lookedUp.clear();
        missingName.clear();
        extensionsAdvertised = true;
        multitextureSupported = false;
        vertexProgramSupported = false;
    }
    void TearDown() override {
        // Leave the real driver's answer for the tests that follow.
        loadMultitexture();
        loadVertexProgram();
        gltest::GlTest::TearDown();
    }
};

// GLX resolves any name beginning with "gl", so a misspelt name would pass unnoticed; the
// library's own symbol table knows the real ones.
TEST_F(GlExtensionsTest, EveryLookedUpNameIsARealDistinctEntryPoint) {
    void* gl = dlopen("libGL.so.1", RTLD_LAZY | RTLD_NOLOAD);
    ASSERT_NE(gl, nullptr);
    std::set<std::string> seen;
    for (const char* name : glext::multitextureEntryPointNames) {
        EXPECT_NE(dlsym(gl, name), nullptr) << name;
        EXPECT_TRUE(seen.insert(name).second) << name;
    }
    for (const char* name : glext::vertexProgramEntryPointNames) {
        EXPECT_NE(dlsym(gl, name), nullptr) << name;
        EXPECT_TRUE(seen.insert(name).second) << name;
    }
    EXPECT_EQ(seen.size(), 34u + 62u);
    dlclose(gl);
}

// An advertised extension missing any one entry point is not supported; the lookup goes
// through the names in order and stops at the first missing one.
TEST_F(GlExtensionsTest, OneMissingEntryPointLeavesTheFlagFalse) {
    struct Case {
        bool (*load)(glext::ProcLookup, glext::ExtensionQuery);
        const bool* flag;
        const char* const* names;
        size_t count;
    };
    const Case cases[] = {
        {loadMultitexture, &multitextureSupported, glext::multitextureEntryPointNames, 34},
        {loadVertexProgram, &vertexProgramSupported, glext::vertexProgramEntryPointNames, 62},
    };
    for (const Case& c : cases) {
        for (size_t missing : {size_t{0}, c.count / 2, c.count - 1}) {
            SCOPED_TRACE(c.names[missing]);
            lookedUp.clear();
            missingName = c.names[missing];
            EXPECT_FALSE(c.load(recordingLookup, advertisedOrNot));
            EXPECT_FALSE(*c.flag);
            EXPECT_EQ(lookedUp.size(), missing + 1);
            EXPECT_EQ(lookedUp.back(), c.names[missing]);
        }
        // Nothing at all is looked up for an extension the driver does not advertise.
        lookedUp.clear();
        extensionsAdvertised = false;
        EXPECT_FALSE(c.load(recordingLookup, advertisedOrNot));
        EXPECT_FALSE(*c.flag);
        EXPECT_TRUE(lookedUp.empty());
        extensionsAdvertised = true;
    }
}

// A later failed lookup must not break what an earlier one found.
TEST_F(GlExtensionsTest, FailedLookupAfterASuccessfulOneKeepsFlagAndEntryPoints) {
    ASSERT_TRUE(loadMultitexture());
    const PFNGLACTIVETEXTUREARBPROC before = glext::activeTexture;
    missingName = "glMultiTexCoord3fARB";
    EXPECT_FALSE(loadMultitexture(recordingLookup, advertisedOrNot));
    EXPECT_TRUE(multitextureSupported);
    EXPECT_EQ(glext::activeTexture, before);
}

class VertexProgramCompileTest : public gltest::GlTest {
protected:
    void SetUp() override {
        gltest::GlTest::SetUp();
        ASSERT_TRUE(loadVertexProgram());
    }
    void TearDown() override {
        loadVertexProgram();
        gltest::GlTest::TearDown();
    }
};

TEST_F(VertexProgramCompileTest, WithoutSupportNeitherHandleNorOpenGlIsTouched) {
    vertexProgramSupported = false;
    GLuint handle = 1234;
    ::testing::internal::CaptureStderr();
    compileVertexProgram(handle, toonVertexProgram);
    deleteVertexProgram(handle);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(handle, 1234u);
    EXPECT_FALSE(gltest::isEnabled(GL_VERTEX_PROGRAM_ARB));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(VertexProgramCompileTest, ToonProgramCompilesWithOneSuccessLineAndStaysBound) {
    GLuint handle = 0;
    ::testing::internal::CaptureStderr();
    compileVertexProgram(handle, toonVertexProgram);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "\n*** Pas d'erreur de compilation du ARB_vertex_program ***\n");
    EXPECT_NE(handle, 0u);
    EXPECT_TRUE(glIsProgramARB(handle));
    EXPECT_FALSE(gltest::isEnabled(GL_VERTEX_PROGRAM_ARB));
    GLint bound = 0;
    glGetProgramivARB(GL_VERTEX_PROGRAM_ARB, GL_PROGRAM_BINDING_ARB, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), handle);
    // The program reads all it needs: the position, the normal, a texture coordinate, the
    // colour and one environment parameter; it stays within what any driver must offer.
    GLint native = 0;
    glGetProgramivARB(GL_VERTEX_PROGRAM_ARB, GL_PROGRAM_UNDER_NATIVE_LIMITS_ARB, &native);
    EXPECT_EQ(native, 1);
    deleteVertexProgram(handle);
    EXPECT_FALSE(glIsProgramARB(handle));
}

TEST_F(VertexProgramCompileTest, RefusedProgramReportsPositionAndMessageButKeepsItsName) {
    // A program that writes to an input: refused at the "MOV" statement.
    const char text[] = "!!ARBvp1.0\nATTRIB iPos = vertex.position;\nMOV iPos, iPos;\nEND";
    GLuint handle = 0;
    ::testing::internal::CaptureStderr();
    compileVertexProgram(handle, text);
    const std::string output = ::testing::internal::GetCapturedStderr();
    const std::string prefix = "une erreur est survenue a la position : ";
    ASSERT_EQ(output.rfind(prefix, 0), 0u) << output;
    const int position = std::atoi(output.c_str() + prefix.size());
    EXPECT_GT(position, 0);
    EXPECT_LT(position, static_cast<int>(sizeof(text)));
    // The driver's own message follows on the next line.
    EXPECT_GT(output.size(), output.find('\n') + 2) << output;
    EXPECT_EQ(output.back(), '\n');
    EXPECT_NE(handle, 0u);
    EXPECT_FALSE(gltest::isEnabled(GL_VERTEX_PROGRAM_ARB));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    deleteVertexProgram(handle);
}

// Drawing errors left pending by someone else must not make a refused program look compiled.
TEST_F(VertexProgramCompileTest, PendingUnrelatedErrorDoesNotHideARefusal) {
    glEnable(GL_FLOAT);  // not a capability: leaves GL_INVALID_ENUM pending
    GLuint handle = 0;
    ::testing::internal::CaptureStderr();
    compileVertexProgram(handle, "!!ARBvp1.0\nthis is not a program\nEND");
    const std::string output = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(output.rfind("une erreur est survenue a la position : ", 0), 0u) << output;
    while (glGetError() != GL_NO_ERROR) {
    }
    deleteVertexProgram(handle);
}

}  // namespace

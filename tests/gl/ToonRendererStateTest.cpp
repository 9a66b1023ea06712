// Toon renderers: the OpenGL state each operation leaves (the outline as wide as the picture is
// large), the ramp buffer and the choice table.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "render/GlExtensions.h"
#include "render/MultitextureToonRenderer.h"
#include "render/PictureFrame.h"
#include "render/ScreenSpace.h"
#include "render/SoftwareToonRenderer.h"
#include "render/VertexProgramToonRenderer.h"
#include "tests/support/ToonScene.h"

namespace {

using gltest::currentColor;
using gltest::getFloat;
using gltest::getInteger;
using gltest::isEnabled;
using gltest::ToonVariant;

// Everything the renderers touch and must give back as the rest of the game expects it.
void expectSharedExitState(const char* what) {
    SCOPED_TRACE(what);
    EXPECT_FALSE(isEnabled(GL_CULL_FACE));
    EXPECT_FALSE(isEnabled(GL_BLEND));
    EXPECT_FALSE(isEnabled(GL_VERTEX_PROGRAM_ARB));
    GLint modes[2] = {0, 0};
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_FILL);
    EXPECT_EQ(modes[1], GL_FILL);
    EXPECT_EQ(getInteger(GL_ACTIVE_TEXTURE_ARB), GL_TEXTURE0_ARB);
    EXPECT_EQ(getInteger(GL_CLIENT_ACTIVE_TEXTURE_ARB), GL_TEXTURE0_ARB);
    EXPECT_TRUE(isEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(isEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(isEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(isEnabled(GL_NORMAL_ARRAY));
    EXPECT_FALSE(isEnabled(GL_TEXTURE_COORD_ARRAY));
    // Unit 1 must not keep texturing, or every later single-texture draw would be tinted.
    glext::activeTexture(GL_TEXTURE1_ARB);
    glext::clientActiveTexture(GL_TEXTURE1_ARB);
    EXPECT_FALSE(isEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(isEnabled(GL_TEXTURE_COORD_ARRAY));
    glext::clientActiveTexture(GL_TEXTURE0_ARB);
    glext::activeTexture(GL_TEXTURE0_ARB);
}

void expectColor(float r, float g, float b) {
    const std::vector<float> c = currentColor();
    EXPECT_NEAR(c[0], r, 1e-6f);
    EXPECT_NEAR(c[1], g, 1e-6f);
    EXPECT_NEAR(c[2], b, 1e-6f);
}

class ToonStateTest : public gltest::ToonTest, public ::testing::WithParamInterface<ToonVariant> {};

TEST_P(ToonStateTest, DrawAndDrawFlatLeaveTheAgreedStateForFullAndEmptyModels) {
    std::unique_ptr<ToonRenderer> renderer = gltest::makeVariant(GetParam());
    renderer->setToonTexture(ramp_);
    gltest::lookAtModelFromFront();
    const std::unique_ptr<Model> sphere = gltest::makeSphereModel(8, 8);
    const Model empty;
    for (const Model* model : {static_cast<const Model*>(sphere.get()), &empty}) {
        SCOPED_TRACE(model->vertexCount() ? "sphere" : "no vertices");
        glDepthFunc(GL_LEQUAL);
        glLineWidth(1.0f);
        glColor3f(0.3f, 0.6f, 0.9f);
        renderer->draw(model, Vector3(2, 3, 4));
        expectSharedExitState("draw");
        EXPECT_EQ(getInteger(GL_DEPTH_FUNC), GL_LEQUAL);
        EXPECT_FLOAT_EQ(getFloat(GL_LINE_WIDTH), 3.0f);
        if (GetParam() == ToonVariant::kMultitexture) {
            expectColor(0.8f, 0.8f, 0.8f);
        } else {
            expectColor(0.0f, 0.0f, 0.0f);
        }
        // drawFlat keeps a depth function it has no business changing; only its outline
        // touches the line width and colour.
        for (bool outline : {false, true}) {
            glDepthFunc(GL_ALWAYS);
            glLineWidth(1.5f);
            glColor3f(0.3f, 0.6f, 0.9f);
            renderer->drawFlat(model, Vector3(2, 3, 4), outline);
            expectSharedExitState(outline ? "drawFlat with outline" : "drawFlat");
            EXPECT_EQ(getInteger(GL_DEPTH_FUNC), GL_ALWAYS);
            EXPECT_FLOAT_EQ(getFloat(GL_LINE_WIDTH), outline ? 3.0f : 1.5f);
            if (outline) {
                expectColor(0.0f, 0.0f, 0.0f);
            } else {
                expectColor(0.3f, 0.6f, 0.9f);
            }
        }
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    glDepthFunc(GL_LEQUAL);

    // The outline widens with a larger picture, except in the glow's fixed-size capture.
    PictureFrame::current().setWindowSize(1600, 1152);
    for (bool capture : {false, true}) {
        screenspace::setFixedSizeCapture(capture);
        renderer->draw(sphere.get(), Vector3(2, 3, 4));
        EXPECT_FLOAT_EQ(getFloat(GL_LINE_WIDTH), capture ? 3.0f : 4.5f);
        renderer->drawFlat(sphere.get(), Vector3(2, 3, 4), true);
        EXPECT_FLOAT_EQ(getFloat(GL_LINE_WIDTH), capture ? 3.0f : 4.5f);
    }
    screenspace::setFixedSizeCapture(false);
    PictureFrame::current().setWindowSize(1024, 768);
}

INSTANTIATE_TEST_SUITE_P(AllVariants, ToonStateTest, ::testing::ValuesIn(gltest::kAllVariants),
                         [](const ::testing::TestParamInfo<ToonVariant>& info) {
                             switch (info.param) {
                                 case ToonVariant::kSoftware:
                                     return "Software";
                                 case ToonVariant::kMultitexture:
                                     return "Multitexture";
                                 case ToonVariant::kVertexProgram:
                                     return "VertexProgram";
                             }
                             return "Unknown";
                         });

class ToonRampBufferTest : public gltest::ToonTest {};

// Without the extensions they need, the two accelerated variants draw nothing rather than
// call missing entry points (the multitexture variant's drawFlat needs none).
TEST_F(ToonRampBufferTest, AcceleratedVariantsDrawNothingWithoutTheirExtensions) {
    const std::unique_ptr<Model> square = gltest::makeFacingSquare();
    gltest::lookAtModelFromFront();
    VertexProgramToonRenderer vertexProgram;
    MultitextureToonRenderer multitexture;
    multitextureSupported = false;
    vertexProgram.draw(square.get(), Vector3(0, 1, 5));
    vertexProgram.drawFlat(square.get(), Vector3(0, 1, 5), true);
    multitexture.draw(square.get(), Vector3(0, 1, 5));
    EXPECT_EQ(gltest::readPixel(512, 384).r, 0);
    multitextureSupported = true;
}

}  // namespace

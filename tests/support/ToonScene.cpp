// ToonScene: texture and mesh builders for drawing tests of the toon renderers.
#include "tests/support/ToonScene.h"

#include <GL/glu.h>

#include <cmath>

#include "render/GlExtensions.h"
#include "render/MultitextureToonRenderer.h"
#include "render/SoftwareToonRenderer.h"
#include "render/UvSphere.h"
#include "render/VertexProgramToonRenderer.h"

namespace gltest {

GLuint makeRampTexture(const std::vector<uint8_t>& greys, GLint filter) {
    std::vector<uint8_t> rgb;
    for (uint8_t g : greys) {
        rgb.insert(rgb.end(), {g, g, g});
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, static_cast<GLsizei>(greys.size()), 1, 0, GL_RGB,
                 GL_UNSIGNED_BYTE, rgb.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}

void loadSkinIntoDefaultTexture(const uint8_t left[3], const uint8_t right[3]) {
    constexpr int kSize = 8;
    std::vector<uint8_t> rgb;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const uint8_t* c = x < kSize / 2 ? left : right;
            rgb.insert(rgb.end(), {c[0], c[1], c[2]});
        }
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, kSize, kSize, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
}

void loadWhiteSkinIntoDefaultTexture() {
    const uint8_t white[3] = {255, 255, 255};
    loadSkinIntoDefaultTexture(white, white);
}

std::unique_ptr<Model> makeFacingSquare() {
    const auto corner = [](float x, float y, float u, float v) {
        ModelVertex c;
        c.position = Vector3(x, y, 0.0f);
        c.u = u;
        c.v = v;
        c.normal = Vector3(0.0f, 0.0f, 1.0f);
        return c;
    };
    const ModelVertex a = corner(-1, 0, 0, 0), b = corner(1, 0, 1, 0), c = corner(1, 2, 1, 1),
                      d = corner(-1, 2, 0, 1);
    auto model = std::make_unique<Model>();
    model->setVertices({a, b, c, a, c, d});
    return model;
}

std::unique_ptr<Model> makeSphereModel(int stacks, int slices) {
    auto model = std::make_unique<Model>();
    model->setVertices(makeUvSphere(1.0f, stacks, slices));
    return model;
}

void clearDefaultTexture() {
    if (multitextureSupported) {
        glext::activeTexture(GL_TEXTURE1_ARB);
        glBindTexture(GL_TEXTURE_2D, 0);
        glext::activeTexture(GL_TEXTURE0_ARB);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 0, 0, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
}

const char* variantName(ToonVariant variant) {
    switch (variant) {
        case ToonVariant::kSoftware:
            return "software";
        case ToonVariant::kMultitexture:
            return "multitexture";
        case ToonVariant::kVertexProgram:
            return "vertex program";
    }
    return "?";
}

std::unique_ptr<ToonRenderer> makeVariant(ToonVariant variant) {
    switch (variant) {
        case ToonVariant::kSoftware:
            return std::make_unique<SoftwareToonRenderer>();
        case ToonVariant::kMultitexture:
            return std::make_unique<MultitextureToonRenderer>();
        case ToonVariant::kVertexProgram:
            return std::make_unique<VertexProgramToonRenderer>();
    }
    return nullptr;
}

void ToonTest::SetUp() {
    GlTest::SetUp();
    ASSERT_TRUE(loadMultitexture());
    ASSERT_TRUE(loadVertexProgram());
    ramp_ = makeRampTexture({40, 120, 200, 250}, GL_NEAREST);
}

void ToonTest::TearDown() {
    clearDefaultTexture();
    glDeleteTextures(1, &ramp_);
    GlTest::TearDown();
}

void lookAtModelFromFront() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // 45 degrees vertically, near 0.5, far 50.
    const double top = 0.5 * std::tan(3.14159265358979 / 8.0);
    glFrustum(-top * 1024.0 / 768.0, top * 1024.0 / 768.0, -top, top, 0.5, 50.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, 1.0, 4.0, 0.0, 1.0, 0.0, 0.0, 1.0, 0.0);
}

}  // namespace gltest

// ToonScene: textures, models and camera shared by the toon renderer tests.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "render/Model.h"
#include "render/ToonRenderer.h"
#include "tests/support/GlContext.h"

namespace gltest {

// A ramp of one row, one RGB texel per grey level, darkest first, wrapped with GL_CLAMP as
// the game's ramps are. Caller deletes it with glDeleteTextures.
GLuint makeRampTexture(const std::vector<uint8_t>& greys, GLint filter);

// Texture has no way to adopt an OpenGL name, so tests put their skin image into the default
// texture object (name 0): a model whose Texture has name 0, or no Texture, is drawn with it.
// Left half of u one colour, right half the other; nearest filtering.
void loadSkinIntoDefaultTexture(const uint8_t left[3], const uint8_t right[3]);
void loadWhiteSkinIntoDefaultTexture();

// A square in the z = 0 plane, side 2, facing +z, normals (0, 0, 1); it stands on y = 0.
std::unique_ptr<Model> makeFacingSquare();
// A unit sphere (stands on y = 0, centre at y = 1).
std::unique_ptr<Model> makeSphereModel(int stacks = 24, int slices = 32);

// Empties the default texture object again, so later tests see name 0 as "no texture".
void clearDefaultTexture();

// The three variants, built directly rather than through the extension flags.
enum class ToonVariant { kSoftware, kMultitexture, kVertexProgram };
const char* variantName(ToonVariant variant);
std::unique_ptr<ToonRenderer> makeVariant(ToonVariant variant);
constexpr ToonVariant kAllVariants[] = {ToonVariant::kSoftware, ToonVariant::kMultitexture,
                                        ToonVariant::kVertexProgram};

// GlTest with both extensions loaded (the test driver has them), a four-step grey ramp with
// nearest filtering (greys 40, 120, 200, 250) and the default texture emptied afterwards.
class ToonTest : public GlTest {
protected:
    void SetUp() override;
    void TearDown() override;

    GLuint ramp_ = 0;
};

// Camera at (0, 1, 4) looking at (0, 1, 0), for the 1024 x 768 window.
void lookAtModelFromFront();

}  // namespace gltest

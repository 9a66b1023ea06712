// Ground: the dark base, the light spots and the ground picture, in one textured pass where the
// driver can combine them, as three blended layers where it cannot.
#include "game/Ground.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include "game/GroundQuad.h"
#include "render/AssetNames.h"
#include "render/GlExtensions.h"
#include "render/Texture.h"
#include "render/TextureSets.h"

namespace {

using groundquad::kCorners;

// The ground picture repeats every 100 units.
constexpr float kGroundTexCoords[4][2] = {
    {0.0f, 0.0f}, {200.0f, 0.0f}, {200.0f, 200.0f}, {0.0f, 200.0f}};

// The firing spot under the player: 180 units across.
constexpr float kFiringSpotHalf = 90.0f;
constexpr float kFiringSpotScale = 0.0055555557f;

// The glow pass lights the spots alone: the light spot grey, the firing spot as on the ground.
constexpr float kGlowSpotTint[3] = {0.35f, 0.35f, 0.35f};

// What each layer adds or multiplies: the dark base, so the ground is never black-on-black where
// no spot reaches, the tints of the light spot and of the firing spot.
constexpr float kBaseGrey = 0.05f;
constexpr float kSpotTint[3] = {0.95f, 0.8f, 0.8f};
constexpr float kFiringTint[3] = {0.95f, 0.2f, 0.2f};

// One texture unit stage of the one-pass ground: rgb = op(arg0, arg1, arg2) x scale, where
// MODULATE_ADD_ATI is arg0 x arg2 + arg1; alpha passes alphaSource through.
struct CombineStage {
    GLenum operation;
    GLenum arguments[3];
    int scale;
    GLenum alphaSource;
};

void setCombine(const CombineStage& stage) {
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, stage.operation);
    const GLenum sources[3] = {GL_SOURCE0_RGB, GL_SOURCE1_RGB, GL_SOURCE2_RGB};
    const GLenum operands[3] = {GL_OPERAND0_RGB, GL_OPERAND1_RGB, GL_OPERAND2_RGB};
    for (int i = 0; i < 3; ++i) {
        glTexEnvi(GL_TEXTURE_ENV, sources[i], stage.arguments[i]);
        glTexEnvi(GL_TEXTURE_ENV, operands[i], GL_SRC_COLOR);
    }
    glTexEnvi(GL_TEXTURE_ENV, GL_RGB_SCALE, stage.scale);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, GL_REPLACE);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA, stage.alphaSource);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA, GL_SRC_ALPHA);
}

// The light spot: its texel times the tint the vertices carry, over the dark base.
constexpr CombineStage kSpotStage = {
    GL_MODULATE_ADD_ATI, {GL_TEXTURE, GL_CONSTANT, GL_PRIMARY_COLOR}, 1, GL_PRIMARY_COLOR};
// The firing spot: its texel times the red tint, added to the light so far.
constexpr CombineStage kFiringStage = {
    GL_MODULATE_ADD_ATI, {GL_TEXTURE, GL_PREVIOUS, GL_CONSTANT}, 1, GL_PREVIOUS};
// The light so far times the ground picture, twice: a mid-grey texel leaves it as it was.
constexpr CombineStage kGroundStage = {
    GL_MODULATE, {GL_PREVIOUS, GL_TEXTURE, GL_PREVIOUS}, 2, GL_PREVIOUS};

// Leaves a unit as the rest of the game expects the ones it does not use: off, modulating.
void releaseUnit(GLenum unit) {
    glext::activeTexture(unit);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glDisable(GL_TEXTURE_2D);
}

}  // namespace

Ground::Ground()
    : lightmapTexture_(std::make_unique<Texture>()),
      groundTexture_(std::make_unique<Texture>()),
      onePass_(fitsOnePass()) {}

Ground::~Ground() = default;

void Ground::loadTextures(int quality, int filtering) {
    texturesets::loadWorldRepeating(*groundTexture_, assetnames::kGround, quality, filtering);
    texturesets::loadLightMap(*lightmapTexture_, assetnames::kLightMap, quality);
}

void Ground::drawSpotLayer(const float tint[3], const Vector3& light, const Vector3& player,
                           bool firing) const {
    // The light spots are added over what lies under them: the light map picture, tinted, and
    // red under the player while firing.
    glColor3f(tint[0], tint[1], tint[2]);
    glBindTexture(GL_TEXTURE_2D, lightmapTexture_->id());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_BLEND);
    glDepthFunc(GL_LEQUAL);
    glBlendFunc(GL_ONE, GL_ONE);
    glBegin(GL_QUADS);
    drawSpotQuads(light, false);
    if (firing) {
        glColor3f(kFiringTint[0], kFiringTint[1], kFiringTint[2]);
        drawSpotQuads(player, true);
    }
    glEnd();
}

bool Ground::fitsOnePass() {
    // Three units: the light spot, the firing spot and the ground picture.
    if (!multitextureSupported || !glext::glutExtensionQuery("GL_ARB_texture_env_combine") ||
        !glext::glutExtensionQuery("GL_ATI_texture_env_combine3")) {
        return false;
    }
    GLint units = 0;
    glGetIntegerv(GL_MAX_TEXTURE_UNITS_ARB, &units);
    return units >= 3;
}

void Ground::spotTexCoord(float x, float z, const Vector3& centre, bool firingSpot,
                          float st[2]) const {
    // The light map's edges are clamped, so its picture lies once on the ground, centred
    // under the light (or under the player for the firing spot), and the rest stays dark.
    if (firingSpot) {
        st[0] = (x - centre.x() + kFiringSpotHalf) * kFiringSpotScale;
        st[1] = (z - centre.z() + kFiringSpotHalf) * kFiringSpotScale;
    } else {
        const float e = lightSpotSize_;
        st[0] = (x - centre.x() + e / 2.0f) / e;
        st[1] = (z - centre.z() + e / 2.0f) / e;
    }
}

void Ground::drawSpotQuads(const Vector3& centre, bool firingSpot) const {
    for (const auto& corner : kCorners) {
        float st[2];
        spotTexCoord(corner[0], corner[1], centre, firingSpot, st);
        glTexCoord2f(st[0], st[1]);
        glVertex3f(corner[0], 0.0f, corner[1]);
    }
}

void Ground::draw(const Vector3& light, const Vector3& player, bool firing) const {
    if (onePass_) {
        drawInOnePass(light, player, firing);
    } else {
        drawInLayers(light, player, firing);
    }
}

void Ground::drawGlowingSpots(const Vector3& light, const Vector3& player, bool firing) const {
    drawSpotLayer(kGlowSpotTint, light, player, firing);
}

void Ground::drawInOnePass(const Vector3& light, const Vector3& player, bool firing) const {
    // The same sums as the layers below, in the texture units instead of the frame buffer:
    // (base + spot x tint [+ firing spot x tint]) x 2 x ground, clamped at each step alike. On a
    // software rasteriser this saves two full-screen blended passes.
    const GLenum groundUnit = firing ? GL_TEXTURE2_ARB : GL_TEXTURE1_ARB;
    const float base[4] = {kBaseGrey, kBaseGrey, kBaseGrey, 1.0f};
    const float firingTint[4] = {kFiringTint[0], kFiringTint[1], kFiringTint[2], 1.0f};

    glDisable(GL_BLEND);
    glext::activeTexture(GL_TEXTURE0_ARB);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, lightmapTexture_->id());
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, base);
    setCombine(kSpotStage);
    if (firing) {
        glext::activeTexture(GL_TEXTURE1_ARB);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, lightmapTexture_->id());
        glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, firingTint);
        setCombine(kFiringStage);
    }
    glext::activeTexture(groundUnit);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, groundTexture_->id());
    setCombine(kGroundStage);

    glColor3f(kSpotTint[0], kSpotTint[1], kSpotTint[2]);
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i) {
        const float x = kCorners[i][0];
        const float z = kCorners[i][1];
        float st[2];
        spotTexCoord(x, z, light, false, st);
        glext::multiTexCoord2f(GL_TEXTURE0_ARB, st[0], st[1]);
        if (firing) {
            spotTexCoord(x, z, player, true, st);
            glext::multiTexCoord2f(GL_TEXTURE1_ARB, st[0], st[1]);
        }
        glext::multiTexCoord2f(groundUnit, kGroundTexCoords[i][0], kGroundTexCoords[i][1]);
        glVertex3f(x, 0.0f, z);
    }
    glEnd();

    releaseUnit(groundUnit);
    if (firing) {
        releaseUnit(GL_TEXTURE1_ARB);
    }
    // Unit 0 is left as the layered ground leaves it: the ground picture bound, replacing.
    glext::activeTexture(GL_TEXTURE0_ARB);
    glBindTexture(GL_TEXTURE_2D, groundTexture_->id());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glDepthFunc(GL_LEQUAL);
}

void Ground::drawInLayers(const Vector3& light, const Vector3& player, bool firing) const {
    glDisable(GL_TEXTURE_2D);
    glColor3f(kBaseGrey, kBaseGrey, kBaseGrey);
    glBegin(GL_QUADS);
    for (const auto& corner : kCorners) {
        glVertex3f(corner[0], 0.0f, corner[1]);
    }
    glEnd();

    // The lighting of the ground is entirely the light map moved by texture coordinates.
    glEnable(GL_TEXTURE_2D);
    drawSpotLayer(kSpotTint, light, player, firing);

    // Source times destination, twice: the ground picture modulates the light underneath it
    // and a mid-grey texel leaves it as it was.
    glBlendFunc(GL_DST_COLOR, GL_SRC_COLOR);
    glBindTexture(GL_TEXTURE_2D, groundTexture_->id());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i) {
        glTexCoord2f(kGroundTexCoords[i][0], kGroundTexCoords[i][1]);
        glVertex3f(kCorners[i][0], 0.0f, kCorners[i][1]);
    }
    glEnd();
}

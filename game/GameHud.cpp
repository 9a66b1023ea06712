// GameHud: the score and life texts, the warning, the radar and their animation.
#include "game/GameHud.h"

#include <GL/gl.h>

#include <algorithm>
#include <iterator>

#include "entities/Camera.h"
#include "entities/Otter.h"
#include "entities/OtterHerd.h"
#include "game/GameTuning.h"
#include "render/AssetNames.h"
#include "render/BitmapFont.h"
#include "render/ScreenSpace.h"
#include "render/Texture.h"
#include "render/TextureSets.h"

namespace {

// The radar square in its 400 x 300 space: (328, 8) to (392, 72), centre (360, 40). World
// offsets up to 1000 units along either axis map onto it at 0.032 radar units per unit.
constexpr float kRadarLeft = 328.0f;
constexpr float kRadarBottom = 8.0f;
constexpr float kRadarRight = 392.0f;
constexpr float kRadarTop = 72.0f;
constexpr float kRadarCentreU = 360.0f;
constexpr float kRadarCentreV = 40.0f;
constexpr float kRadarScale = 0.032f;
constexpr float kRadarRange = 1000.0f;

// Per-channel speed of the warning colour, per second: a full back-and-forth cycle takes 8 s
// for red, about 6 s for green and 5 s for blue.
constexpr float kWarningRates[3] = {0.25f, 0.33f, 0.4f};
constexpr float kFirstWarningColour[3] = {1.0f, 0.75f, 0.5f};

// The HUD font: 15 x 15 glyphs from the space on, 10 apart, on an 800 x 600 screen.
constexpr int kGlyphSize = 15;
constexpr int kGlyphAdvance = 10;
constexpr int kFirstGlyph = 32;
constexpr int kTextSpaceWidth = 800;
constexpr int kTextSpaceHeight = 600;

// The range is a square in world axes, taken before the turn to the player's heading.
bool onRadar(const Vector3& d) {
    return d.x() >= -kRadarRange && d.x() <= kRadarRange && d.z() >= -kRadarRange &&
           d.z() <= kRadarRange;
}

// A dot of half-size s for the world offset d (already turned to the player's heading). Seen
// from above with the player facing up the radar, +x of the player's frame lies to the left.
void radarDot(const Vector3& d, float s) {
    const float u = -d.x() * kRadarScale + kRadarCentreU;
    const float v = d.z() * kRadarScale + kRadarCentreV;
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(u - s, v - s);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(u + s, v - s);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(u + s, v + s);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(u - s, v + s);
}

void radarSquare(float s0, float t0, float s1, float t1) {
    glBegin(GL_QUADS);
    glTexCoord2f(s0, t0);
    glVertex2f(kRadarLeft, kRadarBottom);
    glTexCoord2f(s1, t0);
    glVertex2f(kRadarRight, kRadarBottom);
    glTexCoord2f(s1, t1);
    glVertex2f(kRadarRight, kRadarTop);
    glTexCoord2f(s0, t1);
    glVertex2f(kRadarLeft, kRadarTop);
    glEnd();
}

std::unique_ptr<Texture> loaded(bool (*load)(Texture&, const char*), const char* path) {
    auto texture = std::make_unique<Texture>();
    load(*texture, path);
    return texture;
}

}  // namespace

GameHud::GameHud()
    : font_(std::make_unique<BitmapFont>()),
      fontTexture_(loaded(texturesets::loadGameFont, assetnames::kFont)),
      radarTexture_(loaded(texturesets::loadRadar, assetnames::kRadar)),
      radarDotTexture_(loaded(texturesets::loadRadar, assetnames::kRadarDot)),
      sweepTexture_(loaded(texturesets::loadSweep, assetnames::kRadarSweep)) {
    font_->setTexture(fontTexture_->id(), kGlyphSize, kGlyphSize);
    font_->setFirstChar(kFirstGlyph);
    font_->setGlyphSize(kGlyphSize, kGlyphSize, kGlyphAdvance);
    font_->setScreenSize(kTextSpaceWidth, kTextSpaceHeight);
    font_->build();
}

GameHud::~GameHud() = default;

void GameHud::resetWarning() {
    std::copy(std::begin(kFirstWarningColour), std::end(kFirstWarningColour), warningColour_);
    std::fill(std::begin(warningDirection_), std::end(warningDirection_), 1.0f);
}

void GameHud::animate(int32_t ms) {
    const float t = static_cast<float>(ms * 0.001);
    for (int c = 0; c < 3; ++c) {
        warningColour_[c] += warningDirection_[c] * t * kWarningRates[c];
    }
    // Turned at the ends; the value itself overshoots by at most one (bounded) step.
    for (int c = 0; c < 3; ++c) {
        if (warningColour_[c] < 0.0f) {
            warningDirection_[c] = 1.0f;
        }
        if (warningColour_[c] > 1.0f) {
            warningDirection_[c] = -1.0f;
        }
    }
    sweepAngle_ -= static_cast<float>(ms) * GameTuning::kSweepSpeed;
}

void GameHud::drawTexts(int score, int life) {
    // The font picture is opaque, so this blend adds the glyphs to the view and the black
    // around them leaves it as it was.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_SRC_ALPHA);
    glColor3f(1.0f, 1.0f, 1.0f);
    font_->print(0, 0, "score : %d", score);
    font_->print(0, 15, "vie   : %d", life);
    if (life < GameTuning::kWarningBelowLife) {
        glColor3f(warningColour_[0], warningColour_[1], warningColour_[2]);
        font_->print(365, 263, "WARNING");
    }
    glColor3f(1.0f, 1.0f, 1.0f);
    glDisable(GL_BLEND);
}

void GameHud::drawRadar(const Camera& player, const OtterHerd& herd, float buildingRadius) const {
    glEnable(GL_TEXTURE_2D);
    screenspace::enter(400.0, 300.0);
    glDisable(GL_DEPTH_TEST);
    // Everything adds up: the dark parts of the pictures leave the view behind visible.
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);

    glBindTexture(GL_TEXTURE_2D, radarTexture_->id());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    radarSquare(0.0f, 0.0f, 1.0f, 1.0f);
    drawRadarDots(player, herd, buildingRadius);
    drawSweep();

    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    screenspace::leave();
}

void GameHud::drawRadarDots(const Camera& player, const OtterHerd& herd,
                            float buildingRadius) const {
    const Vector3& eye = player.position();
    const float turn = -player.yaw();
    glBindTexture(GL_TEXTURE_2D, radarDotTexture_->id());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor3f(0.729f, 0.56f, 0.667f);
    glBegin(GL_QUADS);
    // Dead otters too: a sinking otter stays on the radar until it comes back on the ring.
    for (int i = 0; i < herd.count(); ++i) {
        const Otter& otter = herd.otter(i);
        Vector3 d = otter.position() - eye;
        if (onRadar(d)) {
            d.rotateAboutY(turn);
            radarDot(d, otter.effectiveScale());
        }
    }
    glEnd();

    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBegin(GL_QUADS);
    // The building stands at the origin.
    Vector3 d = Vector3() - eye;
    if (onRadar(d)) {
        d.rotateAboutY(turn);
        glColor3f(1.0f, 0.0f, 0.0f);
        radarDot(d, buildingRadius * kRadarScale);
    }
    glEnd();
}

void GameHud::drawSweep() const {
    // The sweep turns in the texture matrix, about the picture's centre.
    glBlendFunc(GL_ONE, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, sweepTexture_->id());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0.5f, 0.5f, 0.0f);
    glRotatef(sweepAngle_, 0.0f, 0.0f, 1.0f);
    glMatrixMode(GL_MODELVIEW);
    radarSquare(-0.5f, -0.5f, 0.5f, 0.5f);
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
}

// GameScreen heads-up display: the score and life texts, the warning, the radar.
#include <GL/gl.h>

#include "entities/Building.h"
#include "entities/Otter.h"
#include "entities/OtterHerd.h"
#include "entities/Weapon.h"
#include "game/GameScreen.h"
#include "render/BitmapFont.h"
#include "render/Model.h"
#include "render/ScreenSpace.h"
#include "render/Texture.h"

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

}  // namespace

void GameScreen::drawTexts() {
    // The font picture is opaque, so this blend adds the glyphs to the view and the black
    // around them leaves it as it was.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_SRC_ALPHA);
    glColor3f(1.0f, 1.0f, 1.0f);
    font_->print(0, 0, "score : %d", weapon_->score());
    const int life = herd_->building().life();
    font_->print(0, 15, "vie   : %d", life);
    if (life < 10) {
        glColor3f(warningColour_[0], warningColour_[1], warningColour_[2]);
        font_->print(365, 263, "WARNING");
    }
    glColor3f(1.0f, 1.0f, 1.0f);
    glDisable(GL_BLEND);
}

void GameScreen::drawRadar() const {
    glEnable(GL_TEXTURE_2D);
    screenspace::enter(400.0, 300.0);
    glDisable(GL_DEPTH_TEST);
    // Everything adds up: the dark parts of the pictures leave the view behind visible.
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);

    glBindTexture(GL_TEXTURE_2D, radarTexture_->id());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    radarSquare(0.0f, 0.0f, 1.0f, 1.0f);

    const Vector3& player = weapon_->position();
    const float turn = -weapon_->yaw();
    glBindTexture(GL_TEXTURE_2D, radarDotTexture_->id());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor3f(0.729f, 0.56f, 0.667f);
    glBegin(GL_QUADS);
    // Dead otters too: a sinking otter stays on the radar until it comes back on the ring.
    for (int i = 0; i < herd_->count(); ++i) {
        const Otter& otter = herd_->otter(i);
        Vector3 d = otter.position() - player;
        if (onRadar(d)) {
            d.rotate(turn, false, true, false);
            radarDot(d, otter.effectiveScale());
        }
    }
    glEnd();

    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBegin(GL_QUADS);
    // The building stands at the origin.
    Vector3 d = Vector3() - player;
    if (onRadar(d)) {
        d.rotate(turn, false, true, false);
        glColor3f(1.0f, 0.0f, 0.0f);
        radarDot(d, buildingModel_->radius() * kRadarScale);
    }
    glEnd();

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

    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    screenspace::leave();
}

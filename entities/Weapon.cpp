// Weapon: the gun held in view, its muzzle flash and shot rate, and the crosshair.
#include "entities/Weapon.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <utility>

#include "render/AssetNames.h"
#include "render/Clock.h"
#include "render/Model.h"
#include "render/ScreenSpace.h"
#include "render/Texture.h"
#include "render/TexturedQuad.h"
#include "render/ToonRenderer.h"
#include "sound/SoundManager.h"

namespace {

// Where the gun's origin sits in front of the eye (before the half turn that points its barrel
// away from the viewer), and how far it jumps towards the eye while a shot is fresh.
constexpr float kGunX = 3.0f;
constexpr float kGunY = -15.0f;
constexpr float kGunZ = 2.0f;
constexpr float kRecoil = 1.0f;
// The muzzle, in the gun model's coordinates, and the flash's half size.
constexpr float kMuzzleY = 7.0f;
constexpr float kMuzzleZ = 17.0f;
constexpr float kFlashHalfSize = 10.0f;
// The crosshair square: 32 pixels, one pixel right of and above the screen centre.
constexpr int kCrosshairLow = 15;
constexpr int kCrosshairHigh = 17;

GLuint textureName(const std::unique_ptr<Texture>& texture) { return texture ? texture->id() : 0; }

}  // namespace

Weapon::Weapon() : ownModel_(std::make_unique<Model>()) {
    ownModel_->load(assetnames::kWeaponModel);
    setModel(ownModel_.get());
}

Weapon::~Weapon() = default;

void Weapon::setFireTexture(std::unique_ptr<Texture> texture) { fireTexture_ = std::move(texture); }

void Weapon::setCrosshairTexture(std::unique_ptr<Texture> texture) {
    crosshairTexture_ = std::move(texture);
}

bool Weapon::fire() {
    const int now = gameclock::elapsedMs();
    // The first shot needs no waiting: the game clock may still be within one interval of 0.
    if (hasFired_ && now <= lastShotTime_ + shotInterval_) {
        return false;
    }
    hasFired_ = true;
    lastShotTime_ = now;
    flashAngle_ = static_cast<float>(std::sin(static_cast<double>(rand())) * 360.0);
    SoundManager::instance().playShot();
    return true;
}

bool Weapon::isFiring() const {
    // Both clocks start at 0, which would otherwise show a flash before any shot.
    return hasFired_ && flashClock_ <= lastShotTime_ + flashDuration_;
}

Vector3 Weapon::gunLight() const {
    // The gun's placement as if it stood in the world at the view's transform; its rows carry
    // the light into the model's own axes.
    GLfloat m[16];
    glPushMatrix();
    glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
    glTranslatef(kGunX, kGunY, kGunZ);
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    glPopMatrix();
    const Vector3 v1(m[0], m[4], m[8]);
    const Vector3 v2(m[1], m[5], m[9]);
    const Vector3 v3(m[2], m[6], m[10]);
    const Vector3 offset((v1.x() + v1.y() + v1.z()) * kGunX, (v2.x() + v2.y() + v2.z()) * kGunY,
                         (v3.x() + v3.y() + v3.z()) * kGunZ);
    const Vector3 gun = position() + offset;
    const Vector3 worldLight = light_ ? *light_ : Vector3();
    const Vector3 l = worldLight - gun;
    return Vector3(static_cast<float>(l.dot(v1)), static_cast<float>(l.dot(v2)),
                   static_cast<float>(l.dot(v3)));
}

void Weapon::drawGun(bool glowPass, bool firing) {
    const Vector3 light = gunLight();
    // The gun is fixed to the view, so it is drawn in eye space, barrel pointing away.
    glLoadIdentity();
    glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
    if (firing) {
        glColor3f(1.0f, 0.3f, 0.3f);
        glTranslatef(kGunX, kGunY, kGunZ - kRecoil);
    } else {
        glTranslatef(kGunX, kGunY, kGunZ);
    }
    if (!renderer_) {
        return;
    }
    if (glowPass) {
        renderer_->drawFlat(ownModel_.get(), light, false);
        glColor3f(1.0f, 1.0f, 1.0f);
    } else {
        glColor3f(1.0f, 1.0f, 1.0f);
        renderer_->draw(ownModel_.get(), light);
    }
}

void Weapon::drawFlash() {
    flashClock_ = gameclock::elapsedMs();
    glBindTexture(GL_TEXTURE_2D, textureName(fireTexture_));
    // Each shot turns the flash picture about its centre, so no two flashes look alike.
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0.5f, 0.5f, 0.0f);
    glRotatef(flashAngle_, 0.0f, 0.0f, 1.0f);
    glTranslatef(-0.5f, -0.5f, 0.0f);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(0.0f, kMuzzleY, kMuzzleZ);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // A flat sprite must not hide what lies behind its transparent corners.
    glDepthMask(GL_FALSE);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(-kFlashHalfSize, kFlashHalfSize);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(-kFlashHalfSize, -kFlashHalfSize);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(kFlashHalfSize, -kFlashHalfSize);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(kFlashHalfSize, kFlashHalfSize);
    glEnd();
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glDepthMask(GL_TRUE);
}

void Weapon::drawCrosshair() const {
    glDisable(GL_DEPTH_TEST);
    screenspace::enter(screenWidth_, screenHeight_);
    // The crosshair's opaque texels carry an alpha of almost 0, so this shows them nearly
    // unblended; its keyed texels are dropped by the alpha test.
    glBlendFunc(GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA);
    glBindTexture(GL_TEXTURE_2D, textureName(crosshairTexture_));
    const int cx = screenWidth_ / 2;
    const int cy = screenHeight_ / 2;
    texturedquad::draw(
        static_cast<float>(cx - kCrosshairLow), static_cast<float>(cy - kCrosshairLow),
        static_cast<float>(cx + kCrosshairHigh), static_cast<float>(cy + kCrosshairHigh));
    screenspace::leave();
}

void Weapon::drawCrosshairOver() const {
    glEnable(GL_ALPHA_TEST);
    glEnable(GL_BLEND);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glAlphaFunc(GL_GREATER, 0.0f);
    drawCrosshair();
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_BLEND);
}

void Weapon::draw(bool glowPass, bool withCrosshair) {
    glPushMatrix();
    drawGun(glowPass, isFiring());

    glEnable(GL_ALPHA_TEST);
    glEnable(GL_BLEND);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glAlphaFunc(GL_GREATER, 0.0f);
    if (isFiring()) {
        drawFlash();
    }
    if (withCrosshair) {
        drawCrosshair();
    }

    glEnable(GL_DEPTH_TEST);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_BLEND);
    glPopMatrix();
}

// CursorSparkles: the menus' sparkle trail: emits at the cursor, moves, fades and draws sparkles.
#include "entities/CursorSparkles.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>

#include "render/AssetNames.h"
#include "render/Clock.h"
#include "render/PictureFrame.h"
#include "render/ScreenSpace.h"
#include "render/Texture.h"
#include "render/TextureSets.h"
#include "render/TexturedQuad.h"

namespace {

constexpr float kHalfSide = 16.0f;  // pixels
constexpr float kGravity = 0.981f;  // pixels per hundredth of a second, each hundredth
constexpr float kLifeSpan = 50.0f;  // hundredths of a second
constexpr float kFadeRate = 0.02f;  // alpha lost per hundredth: transparent at the end of life
constexpr float kSpinRate = 2.0f;   // degrees per hundredth

float randomAngle() { return static_cast<float>(std::rand()); }
float randomShade() { return static_cast<float>(std::fabs(std::cos(double(std::rand())))); }

}  // namespace

CursorSparkles& CursorSparkles::instance() {
    static CursorSparkles sparkles;
    return sparkles;
}

CursorSparkles::CursorSparkles()
    : sparkles_(std::make_unique<Sparkle[]>(kCount)),
      lastFrameTime_(static_cast<float>(gameclock::elapsedMs())),
      lastEmitTime_(lastFrameTime_),
      texture_(std::make_unique<Texture>()) {
    texturesets::loadInterfaceOpaque(*texture_, assetnames::kParticle, false);
}

CursorSparkles::~CursorSparkles() = default;

int CursorSparkles::liveCount() const {
    int n = 0;
    for (int i = 0; i < kCount; ++i) {
        n += sparkles_[i].alive ? 1 : 0;
    }
    return n;
}

void CursorSparkles::updateAndDraw(const Vector3& cursor) {
    const float now = static_cast<float>(gameclock::elapsedMs());
    const float dt = (now - lastFrameTime_) * 0.01f;
    lastFrameTime_ = now;

    // Strictly later than the interval: a frame exactly on it leaves the sparkle to the next.
    if (now > lastEmitTime_ + emitInterval_) {
        lastEmitTime_ = now;
        Sparkle& s = sparkles_[next_];
        s.position = cursor;
        if (cursor.x() == previousCursor_.x() && cursor.y() == previousCursor_.y()) {
            // A still cursor scatters sparkles every way, at up to 10 pixels per hundredth.
            s.velocity = Vector3(10.0f, 0.0f, 0.0f);
            s.velocity.rotate(randomAngle(), false, false, true);
            s.velocity *= static_cast<float>(std::cos(double(std::rand())));
        } else {
            // A moving one leaves them flying on the way it went.
            s.velocity = cursor - previousCursor_;
        }
        s.age = 0.0f;
        s.red = randomShade();
        s.green = randomShade();
        s.blue = randomShade();
        s.alive = true;
        s.angle = randomAngle();
        next_ = (next_ + 1) % kCount;
    }

    glDisable(GL_DEPTH_TEST);
    screenspace::enter(PictureFrame::kWidth, PictureFrame::kHeight);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, texture_->id());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);

    // Each sparkle spins its picture about the picture's centre through the texture matrix.
    glMatrixMode(GL_TEXTURE);
    for (int i = 0; i < kCount; ++i) {
        Sparkle& s = sparkles_[i];
        if (!s.alive) {
            continue;
        }
        glLoadIdentity();
        glTranslatef(0.5f, 0.5f, 0.0f);
        glRotatef(s.angle, 0.0f, 0.0f, 1.0f);
        glTranslatef(-0.5f, -0.5f, 0.0f);

        const float x = s.position.x();
        const float y = s.position.y();
        glColor4f(s.red, s.green, s.blue, 1.0f - s.age * kFadeRate);
        texturedquad::draw(x - kHalfSide, y - kHalfSide, x + kHalfSide, y + kHalfSide);

        s.position += s.velocity * dt;
        s.velocity.setComponent(1, s.velocity.y() - dt * kGravity);
        s.age += dt;
        s.angle += kSpinRate * dt;
        if (s.age > kLifeSpan) {
            s.alive = false;
        }
    }

    glDisable(GL_BLEND);
    screenspace::leave();
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    previousCursor_ = cursor;
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

// GameScreen drawing: one game frame, from the glow capture to the radar and the buffer swap.
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include "entities/Building.h"
#include "entities/Otter.h"
#include "entities/OtterHerd.h"
#include "entities/OtterTuning.h"
#include "entities/Weapon.h"
#include "framework/EventReport.h"
#include "game/CollisionSet.h"
#include "game/FrameStepProbe.h"
#include "game/GameHud.h"
#include "game/GameScreen.h"
#include "game/Ground.h"
#include "render/Clock.h"
#include "render/FeedbackZoomEffect.h"
#include "render/GlowEffect.h"
#include "render/Model.h"
#include "render/SceneScale.h"
#include "render/SkyBox.h"
#include "render/Texture.h"
#include "render/ToonRenderer.h"

void GameScreen::display() {
    const double drawStartMs = gameclock::realTimeMs();
    sceneScale_->beginScene();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    // No colour clear: the sky box covers the whole view.
    glClear(GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    player_->apply();

    if (glowLevel_ >= 1) {
        drawGlowPass();
    }
    frameprobe::mark(FrameStep::GlowCapture);

    ground_->draw(light_, player_->position(), player_->isFiring());
    frameprobe::mark(FrameStep::Ground);

    drawSolids();
    frameprobe::mark(FrameStep::Solids);

    // The sky box is opaque and farther than everything above, so drawing it after them gives
    // the same picture while the depth test spares it the half of the screen the ground and
    // the solids already cover: on a software rasteriser that is a large share of the frame.
    // It must still come before the player's and the effects' blended sprites and the wall.
    drawSky();
    frameprobe::mark(FrameStep::Sky);

    // A reduced scene is stretched before the crosshair is drawn, so it stays sharp.
    player_->draw(false, !sceneScale_->reduced());
    herd_->drawEffects();
    frameprobe::mark(FrameStep::WeaponAndEffects);

    drawArenaWall();
    frameprobe::mark(FrameStep::ArenaWall);

    if (herd_->wasBuildingHit()) {
        zoomEffect_->trigger();
    }
    glEnable(GL_TEXTURE_2D);
    zoomEffect_->draw();
    frameprobe::mark(FrameStep::Zoom);

    drawOverlays();

    hud_->drawRadar(*player_, *herd_, buildingModel_->radius());
    // The renderers leave LEQUAL behind; the next frame starts from the strict test.
    glDepthFunc(GL_LESS);
    frameprobe::mark(FrameStep::Radar);

    governQuality(drawStartMs);
    glutSwapBuffers();
}

void GameScreen::drawOverlays() {
    if (!sceneScale_->reduced()) {
        hud_->drawTexts(player_->score(), herd_->building().life());
        frameprobe::mark(FrameStep::Texts);
        if (glowLevel_ >= 1) {
            glow_->composite();
        }
        frameprobe::mark(FrameStep::GlowComposite);
        return;
    }
    // The glow is blurred anyway: adding it over the small scene costs a fraction of adding
    // it over the whole picture.
    if (glowLevel_ >= 1) {
        glow_->composite();
    }
    sceneScale_->endScene();
    glEnable(GL_TEXTURE_2D);
    player_->drawCrosshairOver();
    hud_->drawTexts(player_->score(), herd_->building().life());
    frameprobe::mark(FrameStep::Texts);
    frameprobe::mark(FrameStep::GlowComposite);
}

void GameScreen::governQuality(double drawStartMs) {
    if (!automaticQuality_) {
        glFlush();
        return;
    }
    // Waiting here for the frame to be finished measures what it cost to draw, and not the
    // wait for the display's refresh that a vsync'd swap may add on a fast machine.
    glFinish();
    if (governor_.addFrame(gameclock::realTimeMs() - drawStartMs)) {
        applyQualityStep(governor_.step());
    }
}

void GameScreen::setAutomaticQuality(bool automatic, int fixedStep) {
    automaticQuality_ = automatic;
    governor_.reset();
    applyQualityStep(automatic ? 0 : fixedStep);
}

void GameScreen::applyQualityStep(int step) {
    step = step < 0 ? 0 : (step >= qualitysteps::kCount ? qualitysteps::kCount - 1 : step);
    const bool changed = step != qualityStep_;
    qualityStep_ = step;
    const QualityStep& quality = qualitysteps::kSteps[step];
    sceneScale_->setScale(quality.sceneScale);
    setOtterDetailDistance(quality.distantOttersLowDetail ? OtterTuning::kDistantDetailDistance
                                                          : 0.0f);
    if (changed) {
        eventreport::report("render-scale %.2f step=%d", static_cast<double>(quality.sceneScale),
                            step);
    }
}

void GameScreen::drawSolids() {
    // Otters and the building are pushed back in depth a little, so their outlines win over
    // their own faces and the ground.
    glDisable(GL_BLEND);
    glDepthFunc(GL_LESS);
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1.0f, 1.0f);
    collisions_->resolve();
    herd_->updateAndDraw(difficulty_);
    glDisable(GL_POLYGON_OFFSET_FILL);
}

void GameScreen::drawSky() const {
    // Strictly nearer, so the ground keeps the pixels where it meets the sky box's walls.
    glDepthFunc(GL_LESS);
    glEnable(GL_TEXTURE_2D);
    glColor3f(0.5f, 0.5f, 0.5f);
    const Vector3& eye = player_->position();
    skyBox_->draw(eye.x(), eye.y(), eye.z());
    glColor3f(1.0f, 1.0f, 1.0f);
}

void GameScreen::drawArenaWall() const {
    // A translucent wall just beyond the arena's edge; it writes no depth, so nothing behind it
    // is lost.
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    glPushMatrix();
    glRotated(-90.0, 1.0, 0.0, 0.0);
    glColor4f(1.0f, 0.8f, 0.8f, 0.8f);
    const double wallRadius = arenaRadius_ + GameTuning::kWallBeyondArena;
    gluCylinder(quadric_, wallRadius, wallRadius, GameTuning::kWallHeight, 20, 2);
    glPopMatrix();
    glDepthMask(GL_TRUE);
}

void GameScreen::drawGlowPass() {
    glow_->beginCapture();
    glClear(GL_COLOR_BUFFER_BIT);
    renderer_->setToonTexture(toonGlowTexture_->id());

    // Only otters seen at their last drawing: the glow of the others would be wasted.
    if (glowLevel_ == 2) {
        for (int i = 0; i < herd_->count(); ++i) {
            Otter& otter = herd_->otter(i);
            if (otter.visible()) {
                glColor3f(0.56077f, 0.43077f, 0.51308f);
                otter.draw(true);
            }
        }
    }
    glColor3f(0.5f, 0.5f, 0.5f);
    player_->draw(true);
    // The building stands at the origin, so the world light is its model-space light.
    glColor3f(1.0f, 1.0f, 1.0f);
    renderer_->draw(buildingModel_.get(), light_);

    ground_->drawGlowingSpots(light_, player_->position(), player_->isFiring());

    glow_->blur();
    // Still within the capture's scissor: the glowing objects wrote depths in the corner only.
    glClear(GL_DEPTH_BUFFER_BIT);
    glow_->endCapture();
    renderer_->setToonTexture(toonTexture_->id());
}

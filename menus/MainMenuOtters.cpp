// MainMenuOtters: placing, stepping and drawing the main menu's otters, and where they show.
#include "menus/MainMenuOtters.h"

#include <GL/gl.h>

#include <cmath>

#include "entities/Otter.h"
#include "framework/GameSession.h"
#include "render/Clock.h"
#include "render/Model.h"
#include "render/PictureFrame.h"

namespace {

// Where the posed otter stands, left and right of the title.
const Vector3 kPosedLeft(-88.0f, -90.0f, -10.0f);
const Vector3 kPosedRight(88.0f, -90.0f, -10.0f);
// The walking otter's line, and where it turns.
constexpr float kWalkZ = -80.0f;
constexpr float kTurnX = 218.0f;
constexpr float kTargetX = 220.0f;
// The outline is 3 pixels wide at 1024 x 768, wider in a larger picture; with a little spare.
constexpr double kOutlinePixels = 3.0;
constexpr int kOutlineSpare = 2;
// The posed otter sways 5 degrees either way, the walking one as much: sin 5 < 0.1.
constexpr float kSwayShare = 0.1f;
constexpr float kSquareDiagonal = 1.4143f;

float grownScale(float scale) {
    const float grown = scale + 0.1f;
    return grown > 1.5f ? 1.5f : grown;
}

bool stepDue(bool stepped, int lastMs, int stepMs, int nowMs) {
    return !stepped || nowMs - lastMs >= stepMs || nowMs < lastMs;
}

}  // namespace

MainMenuOtters::MainMenuOtters(GameSession& game) : otters_(std::make_unique<Otter[]>(2)) {
    Otter& a = otters_[0];
    a.place(Vector3(0.0f, 0.0f, 0.0f), 0.0f);
    a.setTarget(Vector3(0.0f, 0.0f, 200.0f));
    a.setWaddleRate(5.0f);
    a.setWaddleAngle(0.0f);
    a.setWaddleLimit(5.0f);
    a.setRenderer(game.renderer());
    a.setModel(game.otterModel());
    a.setScale(grownScale(a.scale()));
    Otter& b = otters_[1];
    b.place(Vector3(kTargetX, 0.0f, kWalkZ), 0.0f);
    b.tick();
    b.setPosition(Vector3(kTargetX, 0.0f, kWalkZ));
    b.setTarget(Vector3(-kTargetX, 0.0f, kWalkZ));
    b.setWaddleRate(10.0f);
    b.setWaddleAngle(0.0f);
    b.setWaddleLimit(5.0f);
    b.setRenderer(game.renderer());
    b.setModel(game.otterModel());
    b.setSpeed(0.02f);
    b.setLife(10);
    b.setScale(grownScale(b.scale()));
    a.tick();
}

MainMenuOtters::~MainMenuOtters() = default;

void MainMenuOtters::setModel(Model* model) {
    otters_[0].setModel(model);
    otters_[1].setModel(model);
}

const Otter& MainMenuOtters::otter(int index) const { return otters_[index]; }

bool MainMenuOtters::stepPosed() {
    const int now = gameclock::elapsedMs();
    if (!stepDue(posedStepped_, lastPosedStepMs_, kPosedStepMs, now)) {
        return false;
    }
    posedStepped_ = true;
    lastPosedStepMs_ = now;
    Otter& a = otters_[0];
    a.tick();
    a.update();
    return true;
}

bool MainMenuOtters::stepWalker() {
    const int now = gameclock::elapsedMs();
    if (!stepDue(walkerStepped_, lastWalkerStepMs_, kWalkingStepMs, now)) {
        return false;
    }
    walkerStepped_ = true;
    lastWalkerStepMs_ = now;
    Otter& b = otters_[1];
    Vector3 at = b.position();
    if (at.x() > kTurnX) {
        at.setComponent(0, kTurnX);
        b.setPosition(at);
        b.setTarget(Vector3(-kTargetX, 0.0f, kWalkZ));
    }
    if (at.x() < -kTurnX) {
        at.setComponent(0, -kTurnX);
        b.setPosition(at);
        b.setTarget(Vector3(kTargetX, 0.0f, kWalkZ));
    }
    b.steer();
    b.update();
    return true;
}

WindowRect MainMenuOtters::area(int drawing) const {
    const Otter& otter = otters_[drawing < 2 ? 0 : 1];
    const Model* model = otter.model();
    if (model == nullptr) {
        return {};
    }
    const Vector3 at = drawing == 0 ? kPosedLeft : drawing == 1 ? kPosedRight : otter.position();
    // The model stands on its origin, no wider than `radius` along x and z: turned about its
    // height any way it stays within radius * sqrt 2 of it, and its sway about its feet (a few
    // degrees) moves no point by more than a tenth of the model's size.
    const float s = otter.effectiveScale();
    const float height = 2.0f * model->boundingBox().halfHeight;
    const float reach = model->radius() * kSquareDiagonal;
    const float sway = kSwayShare * (height + reach);
    const Vector3 low(at.x() - (reach + sway) * s, at.y() - sway * s, at.z() - (reach + sway) * s);
    const Vector3 high(at.x() + (reach + sway) * s, at.y() + (height + sway) * s,
                       at.z() + (reach + sway) * s);
    const int outline =
        static_cast<int>(std::ceil(kOutlinePixels * PictureFrame::current().scale()));
    return WindowRect::ofBox(low, high).grown(outline + kOutlineSpare);
}

void MainMenuOtters::draw(const WindowRect& part, const Vector3* light) {
    Otter& a = otters_[0];
    a.setLight(light);
    for (int drawing = 0; drawing < 2; ++drawing) {
        if (area(drawing).intersects(part)) {
            a.setPosition(drawing == 0 ? kPosedLeft : kPosedRight);
            glColor3f(1.0f, 1.0f, 1.0f);
            a.draw(false);
        }
    }
    Otter& b = otters_[1];
    b.setLight(light);
    if (area(2).intersects(part)) {
        glColor3f(1.0f, 1.0f, 1.0f);
        b.draw(false);
    }
}

// ScriptedPlay: a game on the real screen with a stepping clock, fixed seed and scripted inputs.
#include "game/ScriptedPlay.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "entities/Otter.h"
#include "entities/OtterHerd.h"
#include "entities/Weapon.h"
#include "game/FrameStepProbe.h"
#include "game/GameHud.h"
#include "game/GameScreen.h"
#include "render/Clock.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

// Each play starts well after the previous one ended, so nothing a previous game left behind
// (a shot time, a flash) lies in the future of the new one. A process that plays once always
// starts at the same time.
int nextStartMs = 10000;

void readFinishedFrame(FrameStep step, void* context) {
    if (step != FrameStep::Radar) {
        return;
    }
    auto* picture = static_cast<FramePicture*>(context);
    picture->width = kWidth;
    picture->height = kHeight;
    picture->rgb.resize(size_t(kWidth) * kHeight * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, picture->rgb.data());
}

}  // namespace

std::vector<uint8_t> FramePicture::topRowFirst() const {
    std::vector<uint8_t> out(rgb.size());
    const size_t row = size_t(width) * 3;
    for (int y = 0; y < height; ++y) {
        std::copy_n(rgb.data() + size_t(height - 1 - y) * row, row, out.data() + size_t(y) * row);
    }
    return out;
}

ScriptedPlay::ScriptedPlay(GameScreen& screen, PlayScript script)
    : screen_(screen), script_(std::move(script)), nowMs_(nextStartMs) {
    gameclock::setSource([this] { return nowMs_; });
}

ScriptedPlay::~ScriptedPlay() {
    gameclock::setSource({});
    nextStartMs = nowMs_ + 10000;
}

OtterHerd& ScriptedPlay::herd() { return *screen_.herd_; }

PlayCounters ScriptedPlay::counters() const {
    const GameStats& stats = screen_.stats_;
    return PlayCounters{stats.kills(), stats.hits(), stats.shots()};
}

int ScriptedPlay::effectCount() const { return screen_.herd_->effectCount(); }

void ScriptedPlay::start() {
    std::srand(script_.seed);
    frame_ = 0;

    // What the start-up and the menus leave: the state every drawing expects, the 3D view.
    glViewport(0, 0, kWidth, kHeight);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_BLEND);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_TEXTURE_2D);
    glMatrixMode(GL_MODELVIEW);
    screen_.reshape(kWidth, kHeight);

    screen_.applyVideoSettings(script_.textureQuality, script_.textureFiltering,
                               script_.lowQualityOtter);
    screen_.setGlowLevel(script_.glowLevel);
    // The machine's speed must not change what a script draws.
    screen_.setAutomaticQuality(false, script_.qualityStep);
    screen_.setDifficulty(script_.difficulty);

    // Things a game inherits from the one before; a script starts from the screen's first
    // game whatever was played earlier in the process.
    screen_.light_.set(500.0f, 200.0f, 0.0f);
    screen_.hud_->resetWarning();
    screen_.player().setPitch(0.0f);
    Otter::resetGruntClock();

    screen_.newGame();
    screen_.restartClocks();
}

void ScriptedPlay::applyInputs() {
    Weapon& player = screen_.player();
    for (const PlayScript::Turn& turn : script_.turns) {
        if (frame_ >= turn.first && frame_ <= turn.last) {
            player.addYaw(turn.radiansPerFrame);
        }
    }
    for (const PlayScript::Walk& walk : script_.walks) {
        if (frame_ == walk.first) {
            screen_.keyboard(static_cast<unsigned char>(walk.key), screen_.warpX, screen_.warpY);
        } else if (frame_ == walk.last + 1) {
            screen_.keyboardUp(static_cast<unsigned char>(walk.key), screen_.warpX, screen_.warpY);
        }
    }
    for (int shot : script_.shotFrames) {
        if (shot == frame_) {
            screen_.mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, kWidth / 2, kHeight / 2);
            screen_.mouse(GLUT_LEFT_BUTTON, GLUT_UP, kWidth / 2, kHeight / 2);
        }
    }
}

bool ScriptedPlay::playFrame(FramePicture* picture) {
    if (frame_ >= script_.frames) {
        return false;
    }
    nowMs_ += script_.frameStepMs;
    applyInputs();
    screen_.idle();
    frameprobe::mark(FrameStep::Update);
    if (picture) {
        frameprobe::install(readFinishedFrame, picture);
    }
    screen_.display();
    if (picture) {
        frameprobe::install(nullptr, nullptr);
    }
    ++frame_;
    return true;
}

void ScriptedPlay::playAll(FramePicture* last) {
    while (frame_ < script_.frames) {
        playFrame(frame_ + 1 == script_.frames ? last : nullptr);
    }
}

void ScriptedPlay::useSilentSoundDevice() { setenv("SDL_AUDIODRIVER", "dummy", 1); }

void ScriptedPlay::openGameWindow(const char* title) {
    if (glutGet(GLUT_INIT_STATE) == 0) {
        int argc = 1;
        char name[] = "zorblat";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
    }
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(kWidth, kHeight);
    glutCreateWindow(title);
    glutDisplayFunc([] {});  // freeglut processes no events for a window without one
    for (int i = 0; i < 3; ++i) {
        glutMainLoopEvent();  // let the window map before drawing into it
    }
}

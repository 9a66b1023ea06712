// ScriptedPlay: plays a game on the real game screen, frame by frame, from a fixed seed and clock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class GameScreen;
class OtterHerd;

// What to play. Frames count from 0; every input happens before the idle step of its frame.
struct PlayScript {
    struct Turn {
        int first = 0;
        int last = 0;
        float radiansPerFrame = 0.0f;  // added to the yaw at every frame of the span
    };
    struct Walk {
        int first = 0;
        int last = 0;    // the key is released before frame last + 1
        char key = 'z';  // one of the walking keys z, q, s, d
    };

    int frames = 120;
    int difficulty = 11;
    unsigned seed = 1;
    int glowLevel = 2;
    bool lowQualityOtter = false;
    int textureQuality = 0;
    int textureFiltering = 3;
    int frameStepMs = 16;
    // The drawing quality, fixed for the whole run (see GameScreen::setAutomaticQuality).
    int qualityStep = 0;
    std::vector<Turn> turns;
    std::vector<Walk> walks;
    std::vector<int> shotFrames;  // a left-button press and release at each of these frames
};

// The finished picture of a frame, read before the buffer swap: RGB, bottom row first, so
// (x, y) counts from the bottom-left as OpenGL does.
struct FramePicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    const uint8_t* at(int x, int y) const { return rgb.data() + (std::size_t(y) * width + x) * 3; }
    std::vector<uint8_t> topRowFirst() const;
};

// The statistics of the game being played, as the results screen would get them.
struct PlayCounters {
    int kills = 0;
    int hits = 0;
    int shots = 0;
};

// Drives the screen as GLUT would (inputs, idle, display) while the game clock reads a value
// that moves on by frameStepMs per frame, so two runs of one script draw the same frames. The
// game screen must have been built in a current 1024 x 768 context; sound goes wherever the
// sound manager was pointed (see useSilentSoundDevice). The menus are not involved.
class ScriptedPlay {
public:
    ScriptedPlay(GameScreen& screen, PlayScript script);
    // Gives the clock back to GLUT.
    ~ScriptedPlay();
    ScriptedPlay(const ScriptedPlay&) = delete;
    ScriptedPlay& operator=(const ScriptedPlay&) = delete;

    // Seeds rand, applies the video settings, glow and difficulty, sets the 3D view the menus
    // leave behind and starts a new game.
    void start();
    // One cycle: the inputs due at this frame, idle, display. With a picture, the frame is read
    // into it before the swap. Returns false once every frame of the script has been played.
    bool playFrame(FramePicture* picture = nullptr);
    // Plays to the end; the last frame's picture goes to `last` when given.
    void playAll(FramePicture* last = nullptr);

    int frame() const { return frame_; }
    int nowMs() const { return nowMs_; }
    const PlayScript& script() const { return script_; }
    GameScreen& screen() { return screen_; }
    // For tests and tools that set up a situation (a low life, an otter in a given place).
    OtterHerd& herd();
    PlayCounters counters() const;
    // The effects the herd shows now (kill bursts, splashes, tracers, blood).
    int effectCount() const;

    // The sound manager built after this call plays on SDL's silent driver.
    static void useSilentSoundDevice();
    // A 1024 x 768 double-buffered window with depth, current, for tools without one.
    static void openGameWindow(const char* title);

private:
    void applyInputs();

    GameScreen& screen_;
    PlayScript script_;
    int frame_ = 0;
    int nowMs_ = 0;
};

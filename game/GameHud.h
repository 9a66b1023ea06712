// GameHud: the heads-up display over a game: score and life texts, the warning, the radar.
#pragma once

#include <cstdint>
#include <memory>

class BitmapFont;
class Camera;
class OtterHerd;
class Texture;

// Loads its font and radar pictures when built (needs the GL context).
class GameHud {
public:
    GameHud();
    ~GameHud();
    GameHud(const GameHud&) = delete;
    GameHud& operator=(const GameHud&) = delete;

    // The sweep starts again from the top, as at a new game.
    void restartSweep() { sweepAngle_ = 0.0f; }
    // The warning colour back to its first shade, rising.
    void resetWarning();
    // The warning colour and the radar sweep, for ms milliseconds.
    void animate(int32_t ms);

    // "score" and "vie", and the warning while the life is low. Restores blending.
    void drawTexts(int score, int life);
    // The radar in the bottom-right corner: every otter and the building (of the given radius,
    // at the origin) around the player, turned to his heading, under the turning sweep.
    void drawRadar(const Camera& player, const OtterHerd& herd, float buildingRadius) const;

    const float* warningColour() const { return warningColour_; }

private:
    void drawRadarDots(const Camera& player, const OtterHerd& herd, float buildingRadius) const;
    void drawSweep() const;

    std::unique_ptr<BitmapFont> font_;
    std::unique_ptr<Texture> fontTexture_;
    std::unique_ptr<Texture> radarTexture_;
    std::unique_ptr<Texture> radarDotTexture_;
    std::unique_ptr<Texture> sweepTexture_;
    float sweepAngle_ = 0.0f;
    float warningDirection_[3] = {1.0f, 1.0f, 1.0f};
    float warningColour_[3] = {1.0f, 0.75f, 0.5f};
};

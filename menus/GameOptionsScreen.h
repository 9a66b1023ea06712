// GameOptionsScreen: difficulty level, inverted mouse and mouse sensitivity.
#pragma once

#include <memory>

#include "framework/MenuScreen.h"

class GameSession;
class MenuButton;
class Texture;

class GameOptionsScreen : public MenuScreen {
public:
    // The one instance, built by start-up (needs the GL context) on the game it sets up.
    static GameOptionsScreen& instance();
    static constexpr const char* kInstanceName = "the game options screen";

    explicit GameOptionsScreen(GameSession& game);
    ~GameOptionsScreen() override;

    void display() override;
    void mouse(int button, int state, int x, int y) override;
    void passiveMotion(int x, int y) override;
    void keyboardUp(int key, int x, int y) override;
    const char* name() const override { return "game-options"; }

    // The sensitivity step, -5..9: read from the camera when built, set from the settings file.
    void setSensitivitySlider(float s) { sensitivitySlider_ = s; }
    float sensitivitySlider() const { return sensitivitySlider_; }

    // Where the slider's marker is drawn (text space x) for a slider value.
    static int sensitivityMarkerX(float slider);

private:
    GameSession& game_;
    void stepDifficulty(int step);
    void stepSensitivity(int step);
    // Back to the hub, saving the settings on the way out.
    void leave();
    std::unique_ptr<MenuButton> difficultyRightArrow_;
    std::unique_ptr<MenuButton> difficultyLeftArrow_;
    std::unique_ptr<MenuButton> sensitivityRightArrow_;
    std::unique_ptr<MenuButton> sensitivityLeftArrow_;
    float sensitivitySlider_ = 0.0f;
    std::unique_ptr<MenuButton> backButton_;
    std::unique_ptr<MenuButton> invertCheckBox_;
    int mouseX_ = 0;
    int mouseY_ = 0;
};

// GameOptionsScreen: difficulty level, inverted mouse and mouse sensitivity.
#pragma once

#include "app/MenuScreen.h"

class GameOptionsScreen : public MenuScreen {
public:
    // The one instance, built on first use (needs the GL context).
    static GameOptionsScreen& instance();

    GameOptionsScreen();
    ~GameOptionsScreen() override;

    void display() override;
    void idle() override;
    void mouse(int button, int state, int x, int y) override;
    void passiveMotion(int x, int y) override;
    void motion(int x, int y) override;
    void keyboard(int key, int x, int y) override;
    void keyboardUp(int key, int x, int y) override;
    void special(int key, int x, int y) override;
    void specialUp(int key, int x, int y) override;
    void reshape(int width, int height) override;

    // The sensitivity step, -5..9 (0 when built); set from the settings file.
    void setSensitivitySlider(float s) { sensitivitySlider_ = s; }
    float sensitivitySlider() const { return sensitivitySlider_; }

private:
    float sensitivitySlider_ = 0.0f;
};

// OptionsMenuScreen: the options hub: video, audio and game options, and back.
#pragma once

#include "app/MenuScreen.h"

class OptionsMenuScreen : public MenuScreen {
public:
    // The one instance, built on first use (needs the GL context).
    static OptionsMenuScreen& instance();

    OptionsMenuScreen();
    ~OptionsMenuScreen() override;

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

};

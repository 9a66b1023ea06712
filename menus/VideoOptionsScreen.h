// VideoOptionsScreen: low-polygon otter, texture quality and filtering, glow level; applied on back.
#pragma once

#include "app/MenuScreen.h"

class VideoOptionsScreen : public MenuScreen {
public:
    // The one instance, built on first use (needs the GL context).
    static VideoOptionsScreen& instance();

    VideoOptionsScreen();
    ~VideoOptionsScreen() override;

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

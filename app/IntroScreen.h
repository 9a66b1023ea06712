// IntroScreen: the first picture, shown while the rest of the game loads behind it.
#pragma once

#include <memory>

#include "app/MenuScreen.h"

class Texture;

// Built once by start-up. Its first frame reaches the screen before the menus, the game screen
// and the exit screen are built (a long step), so the player sees the picture while waiting.
// Any key or mouse button then leads to the main menu.
class IntroScreen : public MenuScreen {
public:
    IntroScreen();
    ~IntroScreen() override;

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
    const char* name() const override { return "intro"; }

    bool firstFrameShown() const { return firstFrameShown_; }
    // True until the first idle after the first frame has built the other screens.
    static bool startupPending();

private:
    void leave();

    std::unique_ptr<Texture> background_;
    bool firstFrameShown_ = false;
    int mouseX_ = 0;
    int mouseY_ = 0;
};

// OptionsMenuScreen: the options hub: video, audio and game options, and back.
#pragma once

#include <memory>

#include "framework/MenuScreen.h"

class MenuButton;
class Texture;

class OptionsMenuScreen : public MenuScreen {
public:
    // The one instance, built on first use (needs the GL context).
    static OptionsMenuScreen& instance();

    OptionsMenuScreen();
    ~OptionsMenuScreen() override;

    void display() override;
    void mouse(int button, int state, int x, int y) override;
    void passiveMotion(int x, int y) override;
    void keyboardUp(int key, int x, int y) override;
    const char* name() const override { return "options"; }

private:
    std::unique_ptr<MenuButton> backButton_;
    std::unique_ptr<MenuButton> videoButton_;
    std::unique_ptr<MenuButton> audioButton_;
    std::unique_ptr<MenuButton> gameButton_;
    int mouseX_ = 0;
    int mouseY_ = 0;
};

// AudioOptionsScreen: effects and music on/off and volumes, and the playlist's random order.
#pragma once

#include <memory>

#include "framework/MenuScreen.h"

class MenuButton;
class Texture;

class AudioOptionsScreen : public MenuScreen {
public:
    // The one instance, built on first use (needs the GL context).
    static AudioOptionsScreen& instance();

    AudioOptionsScreen();
    ~AudioOptionsScreen() override;

    void display() override;
    void mouse(int button, int state, int x, int y) override;
    void passiveMotion(int x, int y) override;
    void keyboardUp(int key, int x, int y) override;
    const char* name() const override { return "audio-options"; }

private:
    // Back to the hub, saving the settings on the way out.
    void leave();
    std::unique_ptr<MenuButton> backButton_;
    std::unique_ptr<MenuButton> effectsCheckBox_;
    std::unique_ptr<MenuButton> effectsRightArrow_;
    std::unique_ptr<MenuButton> effectsLeftArrow_;
    std::unique_ptr<MenuButton> musicCheckBox_;
    std::unique_ptr<MenuButton> musicRightArrow_;
    std::unique_ptr<MenuButton> musicLeftArrow_;
    std::unique_ptr<MenuButton> randomCheckBox_;
    int mouseX_ = 0;
    int mouseY_ = 0;
};

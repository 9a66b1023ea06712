// VideoOptionsScreen: low-polygon otter, texture quality and filtering, glow level; applied on
// back.
#pragma once

#include <memory>

#include "framework/MenuScreen.h"

class GameSession;
class MenuButton;
class Texture;

class VideoOptionsScreen : public MenuScreen {
public:
    // The one instance, built by start-up (needs the GL context) on the game it sets up.
    static VideoOptionsScreen& instance();
    static constexpr const char* kInstanceName = "the video options screen";

    explicit VideoOptionsScreen(GameSession& game);
    ~VideoOptionsScreen() override;

    void display() override;
    void mouse(int button, int state, int x, int y) override;
    void passiveMotion(int x, int y) override;
    void keyboardUp(int key, int x, int y) override;
    const char* name() const override { return "video-options"; }

private:
    // Back to the hub; the back button applies the choices first, Escape does not.
    void leave(bool apply);
    GameSession& game_;
    std::unique_ptr<MenuButton> backButton_;
    std::unique_ptr<MenuButton> lowQualityCheckBox_;
    std::unique_ptr<MenuButton> qualityRightArrow_;
    std::unique_ptr<MenuButton> qualityLeftArrow_;
    std::unique_ptr<MenuButton> glowRightArrow_;
    std::unique_ptr<MenuButton> glowLeftArrow_;
    std::unique_ptr<MenuButton> filteringRightArrow_;
    std::unique_ptr<MenuButton> filteringLeftArrow_;
    int mouseX_ = 0;
    int mouseY_ = 0;
};

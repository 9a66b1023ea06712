// IntroScreen: the first picture, shown while the rest of the game loads behind it.
#pragma once

#include <memory>

#include "framework/MenuScreen.h"

class Texture;

// Built once by start-up. Its first frame reaches the screen before the menus, the game screen
// and the exit screen are built (a long step), so the player sees the picture while waiting.
// Any key or mouse button then leads to the main menu.
class IntroScreen : public MenuScreen {
public:
    // Builds everything behind the intro, each built screen switching through slot, and
    // answers the screen the intro leads to.
    using BuildTheRest = Screen& (*)(Screen** slot);

    explicit IntroScreen(BuildTheRest buildTheRest);
    ~IntroScreen() override;

    void display() override;
    void idle() override;
    void mouse(int button, int state, int x, int y) override;
    void passiveMotion(int x, int y) override;
    void keyboard(int key, int x, int y) override;
    const char* name() const override { return "intro"; }

    bool firstFrameShown() const { return firstFrameShown_; }
    // True until the first idle after the first frame has built the other screens.
    static bool startupPending();

private:
    void buildTheRestOnce();
    void leave();

    BuildTheRest buildTheRest_;
    Screen* next_ = nullptr;

    std::unique_ptr<Texture> background_;
    bool firstFrameShown_ = false;
    int mouseX_ = 0;
    int mouseY_ = 0;
};

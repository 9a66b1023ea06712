// MainMenuScreen: the hub: new game, resume, options, quit, over a small 3D title scene.
#pragma once

#include <memory>

#include "framework/MenuScreen.h"
#include "render/Vector3.h"

class BitmapFont;
class GameSession;
class MenuButton;
class Model;
class Otter;
class Texture;

class MainMenuScreen : public MenuScreen {
public:
    // The one main menu, built by start-up on the game it starts and resumes.
    static MainMenuScreen& instance();
    static constexpr const char* kInstanceName = "the main menu";

    explicit MainMenuScreen(GameSession& game);
    ~MainMenuScreen() override;

    void display() override;
    void idle() override;
    void mouse(int button, int state, int x, int y) override;
    void passiveMotion(int x, int y) override;
    void motion(int x, int y) override;
    void keyboard(int key, int x, int y) override;
    const char* name() const override { return "main-menu"; }

    // One frame into the back buffer, without showing it (display draws and shows).
    void drawFrame();

    // The font every menu, the intro and the results screen write with.
    BitmapFont& font() { return *font_; }
    // The tiled background every menu screen but the results draws: one copy in memory.
    const Texture& background() const { return *background_; }

    // The resume button is drawn and acts only while the game screen holds a suspended game.
    bool resumeAvailable() const;
    float creditsScroll() const { return creditsScroll_; }
    // The credits line and the x below which it starts again from the right edge.
    static const char* creditsLine();
    static float creditsWrap();
    // The posed otter (0) and the one walking behind (1), for looking at only.
    const Otter& otter(int index) const;

private:
    // The two halves of drawFrame: the 3D scene, then the buttons and texts over it.
    void drawTitleAndOtters(GameSession& game);
    void drawButtonsAndTexts(GameSession& game);
    GameSession& game_;
    std::unique_ptr<Texture> background_;
    std::unique_ptr<MenuButton> resumeButton_;
    std::unique_ptr<MenuButton> optionsButton_;
    std::unique_ptr<MenuButton> quitButton_;
    float creditsScroll_ = 300.0f;
    std::unique_ptr<Model> titleModel_;
    std::unique_ptr<Otter[]> otters_;
    std::unique_ptr<BitmapFont> font_;
    std::unique_ptr<Texture> fontTexture_;
    int mouseX_ = 0;
    int mouseY_ = 0;
    std::unique_ptr<MenuButton> newGameButton_;
    // The quit button acts on a release only when the press was on it too.
    bool quitPressed_ = false;
    // The light of the 3D scene, following the mouse; the otters hold its address.
    Vector3 light_;
};

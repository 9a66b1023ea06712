// MainMenuScreen: the hub: new game, resume, options, quit, over a small 3D title scene.
#pragma once

#include <memory>

#include "entities/CursorSparkles.h"
#include "framework/MenuScreen.h"
#include "render/PictureCache.h"
#include "render/Vector3.h"
#include "render/WindowRect.h"

class BitmapFont;
class GameSession;
class MainMenuOtters;
class MenuButton;
class Model;
class Otter;
class Texture;
class ToonRenderer;

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
    void reshape(int width, int height) override;
    const char* name() const override { return "main-menu"; }

    // One frame into the back buffer, without showing it (display draws and shows).
    void drawFrame();
    // The next frame is drawn whole, none of it copied from an earlier one.
    void forgetDrawnPicture();

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
    // What the kept pictures were drawn from: when any of it differs they are drawn again.
    // The lit title follows the mouse; over it, the otters, buttons and texts.
    struct SceneKey {
        int mouseX, mouseY;
        const ToonRenderer* renderer;
        bool operator!=(const SceneKey& o) const {
            return mouseX != o.mouseX || mouseY != o.mouseY || renderer != o.renderer;
        }
    };
    struct OverlayKey {
        int creditsX;
        bool resume;
        const Model* otterModel;
        bool operator!=(const OverlayKey& o) const {
            return creditsX != o.creditsX || resume != o.resume || otterModel != o.otterModel;
        }
    };

    // The parts of drawFrame: the lit title over the background, (the otters,) then the
    // buttons and texts over them.
    void drawBackgroundAndTitle(GameSession& game);
    // Where the sparkles and the cursor will be drawn this frame: at most one rectangle per
    // sparkle and one for the cursor, into `areas`; returns how many.
    static constexpr int kSparkleAreas = CursorSparkles::kCount + 1;
    int sparkleAreas(const Vector3& cursor, WindowRect* areas) const;
    void drawButtonsAndTexts(GameSession& game, const WindowRect& part);
    // Every way out of the menu: another screen draws into the window meanwhile and its
    // options may change what the menu shows.
    void leaveFor(Screen& to);
    GameSession& game_;
    std::unique_ptr<Texture> background_;
    std::unique_ptr<MenuButton> resumeButton_;
    std::unique_ptr<MenuButton> optionsButton_;
    std::unique_ptr<MenuButton> quitButton_;
    float creditsScroll_ = 300.0f;
    std::unique_ptr<Model> titleModel_;
    std::unique_ptr<MainMenuOtters> otters_;
    std::unique_ptr<BitmapFont> font_;
    std::unique_ptr<Texture> fontTexture_;
    int mouseX_ = 0;
    int mouseY_ = 0;
    std::unique_ptr<MenuButton> newGameButton_;
    // The quit button acts on a release only when the press was on it too.
    bool quitPressed_ = false;
    // The light of the 3D scene, following the mouse; the otters hold its address.
    Vector3 light_;
    // The background with the lit title, and that with the otters, buttons and texts over it.
    PictureCache scene_;
    PictureCache overlay_;
    SceneKey sceneKey_{};
    SceneKey lastScene_{};
    OverlayKey overlayKey_{};
    // Where the sparkles and the cursor were drawn in the last frame.
    WindowRect lastSparkles_[kSparkleAreas];
    int lastSparkleCount_ = 0;
};

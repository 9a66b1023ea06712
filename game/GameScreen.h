// GameScreen: the screen the game is played on; owns the level, the herd, the player and the HUD.
#pragma once

#include <cstdint>
#include <memory>

#include "app/Screen.h"

class Model;
class ToonRenderer;
class Weapon;

// One game screen for the whole run, built on first use and kept until the program ends. A
// game is started by newGame, suspended by Escape, resumed by restartClocks and ended by the
// idle step when the building has no life left. The per-frame work lives in its own files
// (update, drawing, HUD, input, shooting).
class GameScreen : public Screen {
public:
    // The one game screen, built on first use (needs the GL context).
    static GameScreen& instance();

    GameScreen();
    ~GameScreen() override;

    // Screen operations.
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

    // A fresh game at the current difficulty: new otters, full building, zero counters.
    void newGame();
    // Called right after switching back to a suspended game, so neither the player nor the
    // otters (nor the score's clock) count the time spent in the menus.
    void restartClocks();
    // Texture quality 0..3 (clamped), filtering 0..3 (others: nearest), normal or low otter.
    void applyVideoSettings(int textureQuality, int textureFiltering, bool lowQualityOtter);

    int difficulty() const;
    // Takes effect at the next newGame.
    void setDifficulty(int difficulty);
    bool gameSuspended() const;
    void setGameSuspended(bool suspended);
    int glowLevel() const;
    void setGlowLevel(int level);
    int mouseDirection() const;
    void setMouseDirection(int direction);
    Model* otterModel() const;
    ToonRenderer* renderer() const;
    Weapon& weapon();

    // Where the game hands control. The menus sit above the game and set these when they are
    // built, so the game never names a menu: Escape switches to mainMenu() (the game is then
    // suspended), a lost game calls showResults, which fills in and returns the results screen
    // the game then switches to. Unset, Escape and the end of a game keep this screen current.
    using MenuSource = Screen& (*)();
    using ResultsSource = Screen& (*)(int score, int precisionPercent, int kills);
    void setExits(MenuSource mainMenu, ResultsSource showResults);

private:
    struct State;
    std::unique_ptr<State> s_;
};

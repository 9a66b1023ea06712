// GameSession: what the menus may ask of the game being played, without knowing the game screen.
#pragma once

class Model;
class Screen;
class ToonRenderer;

// The game screen implements this; start-up hands it to the menus, so the menus and the game
// never include each other. Settings changed here take effect as they do on the game screen.
class GameSession {
public:
    virtual ~GameSession() = default;

    // The screen the game is played on, to switch to.
    virtual Screen& screen() = 0;

    // A fresh game at the current difficulty.
    virtual void newGame() = 0;
    // Called right after switching back to a suspended game: the menus' time does not count.
    virtual void restartClocks() = 0;
    // A game left by Escape, waiting to be resumed.
    virtual bool gameSuspended() const = 0;
    virtual void setGameSuspended(bool suspended) = 0;

    // Takes effect at the next newGame.
    virtual int difficulty() const = 0;
    virtual void setDifficulty(int difficulty) = 0;
    // +1: moving the mouse down looks down; -1 the other way.
    virtual int mouseDirection() const = 0;
    virtual void setMouseDirection(int direction) = 0;
    // How far the player's view turns per pixel the mouse moves, up and down and sideways.
    virtual float verticalSensitivity() const = 0;
    virtual void setVerticalSensitivity(float sensitivity) = 0;
    virtual float horizontalSensitivity() const = 0;
    virtual void setHorizontalSensitivity(float sensitivity) = 0;

    // Texture quality 0..3 (clamped), filtering 0..3 (others: nearest), normal or low otter.
    virtual void applyVideoSettings(int textureQuality, int textureFiltering,
                                    bool lowQualityOtter) = 0;
    virtual int glowLevel() const = 0;
    virtual void setGlowLevel(int level) = 0;

    // The otter model and the renderer the game draws it with (the main menu's walking otters
    // use both); null before they are loaded.
    virtual Model* otterModel() const = 0;
    virtual ToonRenderer* renderer() const = 0;
};

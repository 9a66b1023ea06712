// GameScreen: the screen the game is played on; owns the level, the herd, the player and the HUD.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/Screen.h"

#include "render/Vector3.h"

class BitmapFont;
class CollisionSet;
class FeedbackZoomEffect;
class Frustum;
class GlowEffect;
class Model;
class Otter;
class OtterHerd;
class SkyBox;
class Texture;
class ToonRenderer;
class Weapon;
struct GLUquadric;

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
    // The player stops: no movement key counts as held any more.
    void forgetHeldKeys() override;
    const char* name() const override { return "game"; }
    bool playsAtDisplayRate() const override { return true; }
    // The player left the window: suspended as by Escape.
    void playerLeft() override { suspend(); }

    // Leaves for the main menu with the game kept for resuming: the score's clock stops, held
    // keys are let go and the mouse look stops. Nothing happens before the menus are set up.
    void suspend();

    // A fresh game at the current difficulty: new otters, full building, zero counters.
    void newGame();
    // Called right after switching back to a suspended game, so neither the player nor the
    // otters (nor the score's clock) count the time spent in the menus.
    void restartClocks();
    // Texture quality 0..3 (clamped), filtering 0..3 (others: nearest), normal or low otter.
    void applyVideoSettings(int textureQuality, int textureFiltering, bool lowQualityOtter);
    // The ground is drawn in one pass wherever the driver allows; false draws its three blended
    // layers instead (the same picture, for comparing the two).
    void setGroundInOnePass(bool onePass) { groundInOnePass_ = onePass && groundFitsOnePass(); }
    bool groundInOnePass() const { return groundInOnePass_; }

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
    // Scripted play (review tool, picture tests, frame benchmark) sets up situations directly.
    friend class ScriptedPlay;

    // Per-frame work, each in its own file: update (GameScreenUpdate.cpp), drawing
    // (GameScreenDraw.cpp), HUD and radar (GameScreenHud.cpp), input (GameScreenInput.cpp),
    // shooting (GameScreenShooting.cpp).
    void shoot();
    void mouseLook(int x, int y);
    // The ground (GameScreenGround.cpp): the light map's coordinates at a ground point, the
    // spot quads' corners, a blended spot layer begun (ended by glEnd).
    void spotTexCoord(float x, float z, bool firingSpot, float st[2]) const;
    void drawSpotQuads(bool firingSpot) const;
    static void beginSpotLayer(const Texture& lightmap);
    // Whether the driver can draw the ground in one pass (needs a current context).
    static bool groundFitsOnePass();
    void drawGroundInOnePass() const;
    void drawGroundInLayers() const;
    void drawTexts();
    void drawRadar() const;
    // The glowing objects into the glow corner, blurred; the ground, in one pass or in layers.
    void drawGlowPass();
    void drawGround() const;
    void endGame();

    std::unique_ptr<Otter[]> makeOtters(int count, int life, float speed, const Vector3& target);
    // Mouse look starts afresh (nothing measured until the next warp) when the game gains the
    // pointer: on entering the screen and when the pointer comes back into the window.
    void stopMouseLook();
    void noticePointerEntry();
    void warpPointer();
    // The warning colour, the turning light and the radar sweep, for ms milliseconds.
    void animateHud(int32_t ms);
    // The building test of a shot, in selection mode; also leaves the thin pick volume in
    // pickFrustum_. True when the building is on the line of fire.
    bool buildingOnLineOfFire();
    void hitOtter(int index);
    void missShot();
    Vector3 muzzlePoint() const;
    int32_t precisionPercent() const;
    int32_t currentScore() const;

    // Tests reach the game's state through this.
    friend struct GameScreenLogicProbe;

    MenuSource mainMenu_ = nullptr;
    ResultsSource showResults_ = nullptr;

    int32_t frameMs_ = 0;
    int32_t lastTime_ = 0;
    bool gameSuspended_ = false;
    std::unique_ptr<FeedbackZoomEffect> zoomEffect_;
    float warningDirection_[3] = {1.0f, 1.0f, 1.0f};
    float warningColour_[3] = {1.0f, 0.75f, 0.5f};
    int32_t arenaRadius_ = 1000;
    int32_t difficulty_ = 11;
    std::unique_ptr<SkyBox> skyBox_;
    std::unique_ptr<Model> buildingModel_;
    float lightSpotSize_ = 1000.0f;
    // The ground's three layers combined in the texture units (same picture, one pass).
    bool groundInOnePass_ = false;
    std::unique_ptr<Texture> lightmapTexture_;
    std::unique_ptr<Texture> toonTexture_;
    std::unique_ptr<Texture> toonGlowTexture_;
    std::unique_ptr<Texture> groundTexture_;
    std::unique_ptr<ToonRenderer> renderer_;
    std::unique_ptr<Weapon> weapon_;
    std::unique_ptr<Vector3> light_;
    std::unique_ptr<OtterHerd> herd_;
    std::unique_ptr<Model> otterModel_;
    GLUquadric* quadric_ = nullptr;
    std::unique_ptr<BitmapFont> font_;
    std::unique_ptr<Texture> fontTexture_;
    std::unique_ptr<CollisionSet> collisions_;
    bool shotArmed_ = false;
    std::unique_ptr<Frustum> pickFrustum_;
    int32_t mouseX_ = 0;
    int32_t mouseY_ = 0;
    int32_t startTime_ = 0;
    int32_t kills_ = 0;
    int32_t shots_ = 0;
    int32_t hits_ = 0;
    std::unique_ptr<Texture> radarTexture_;
    std::unique_ptr<Texture> radarDotTexture_;
    std::unique_ptr<Texture> sweepTexture_;
    float sweepAngle_ = 0.0f;
    float sweepSpeed_ = 0.1f;
    std::unique_ptr<GlowEffect> glow_;
    int32_t glowLevel_ = 2;
    int32_t mouseDirection_ = 1;

    // Mouse look measures each motion event from the last position seen. Until the first warp
    // after the game (re)gains the pointer nothing is measured, and the warp's own event turns
    // nothing.
    bool lookTracking_ = false;
    bool warpPending_ = false;
    int32_t warpReportedX_ = 0;
    int32_t warpReportedY_ = 0;
    int32_t lastLookX_ = 0;
    int32_t lastLookY_ = 0;
    int32_t seenEntryCount_ = 0;
    // When Escape left the game, so that resuming can move startTime_ on by the time spent in
    // the menus: time away never scores.
    int32_t suspendedAt_ = 0;
    bool suspensionPending_ = false;
};

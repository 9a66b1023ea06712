// GameScreen: the screen the game is played on: the game's rules over the level, herd and player.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/GameSession.h"
#include "framework/Screen.h"
#include "game/GameStats.h"
#include "game/GameTuning.h"
#include "game/QualityGovernor.h"
#include "render/Vector3.h"

class CollisionSet;
class FeedbackZoomEffect;
class GameHud;
class GlowEffect;
class Ground;
class LineOfFire;
class Model;
class MouseLook;
class Otter;
class OtterHerd;
class SceneScale;
class SkyBox;
class Texture;
class ToonRenderer;
class Weapon;
struct GLUquadric;

// One game screen for the whole run, built on first use and kept until the program ends. A
// game is started by newGame, suspended by Escape, resumed by restartClocks and ended by the
// idle step when the building has no life left. This class holds the game's rules; the HUD,
// the ground, the mouse look, the line of fire and the statistics are parts it owns.
class GameScreen : public Screen, public GameSession {
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

    // The game session the menus use.
    Screen& screen() override { return *this; }
    // A fresh game at the current difficulty: new otters, full building, zero counters.
    void newGame() override;
    // Called right after switching back to a suspended game, so neither the player nor the
    // otters (nor the score's clock) count the time spent in the menus.
    void restartClocks() override;
    // Texture quality 0..3 (clamped), filtering 0..3 (others: nearest), normal or low otter.
    void applyVideoSettings(int textureQuality, int textureFiltering,
                            bool lowQualityOtter) override;
    // The ground is drawn in one pass wherever the driver allows; false draws its three blended
    // layers instead (the same picture, for comparing the two).
    void setGroundInOnePass(bool onePass);
    bool groundInOnePass() const;
    // On (the game's default), the drawing quality follows the machine: when frames miss their
    // budget the distant otters and then the 3D scene's resolution are lowered, and raised
    // back when frames are quick again. Off, the quality stays at the given step (0: the full
    // picture), so a scripted run draws the same frames on any machine.
    void setAutomaticQuality(bool automatic, int fixedStep = 0);
    const QualityStep& qualityStep() const { return qualitysteps::kSteps[qualityStep_]; }

    // Otters farther from the eye than distance are drawn with the low-polygon model (see
    // OtterTuning::kDistantDetailDistance); 0, the default, draws them all with the chosen one.
    void setOtterDetailDistance(float distance);
    float otterDetailDistance() const;

    int difficulty() const override { return difficulty_; }
    // Takes effect at the next newGame.
    void setDifficulty(int difficulty) override { difficulty_ = difficulty; }
    bool gameSuspended() const override { return gameSuspended_; }
    void setGameSuspended(bool suspended) override { gameSuspended_ = suspended; }
    int glowLevel() const override { return glowLevel_; }
    void setGlowLevel(int level) override { glowLevel_ = level; }
    // +1: moving the mouse down looks down; -1 the other way.
    int mouseDirection() const override;
    void setMouseDirection(int direction) override;
    float verticalSensitivity() const override;
    void setVerticalSensitivity(float sensitivity) override;
    float horizontalSensitivity() const override;
    void setHorizontalSensitivity(float sensitivity) override;
    Model* otterModel() const override { return otterModel_.get(); }
    ToonRenderer* renderer() const override { return renderer_.get(); }
    // The player: where he stands and looks, the keys he holds, his gun and score. The one
    // Weapon object is all of these (the gun is also the player's camera).
    Weapon& player() { return *player_; }

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
    // Tests reach the game's state through this.
    friend struct GameScreenLogicProbe;

    // Building the screen, in steps (GameScreen.cpp).
    void loadRenderer();
    void loadPlayer();
    void loadModels();
    void buildHerd();
    std::unique_ptr<Otter[]> makeOtters(int count, int life, float speed, const Vector3& target);

    // The idle step's parts (GameScreenUpdate.cpp).
    void keepPlayerInArena();
    void endGame();

    // Drawing (GameScreenDraw.cpp): the glowing objects into the glow corner, blurred; the
    // solid objects; the sky; the translucent wall at the arena's edge.
    void drawGlowPass();
    void drawSolids();
    void drawSky() const;
    void drawArenaWall() const;
    // The texts, the glow and the crosshair over the finished scene, in the order of a full
    // picture or, when the scene is reduced, with the glow inside the scene and the rest sharp.
    void drawOverlays();
    // Times the frame and lets the governor move the quality step.
    void governQuality(double drawStartMs);
    void applyQualityStep(int step);

    // Shooting (GameScreenShooting.cpp).
    void shoot();
    void hitOtter(int index);
    void missShot();
    Vector3 muzzlePoint() const;

    MenuSource mainMenu_ = nullptr;
    ResultsSource showResults_ = nullptr;

    int32_t frameMs_ = 0;
    int32_t lastTime_ = 0;
    bool gameSuspended_ = false;
    int32_t difficulty_ = GameTuning::kFirstDifficulty;
    int32_t glowLevel_ = 2;
    int32_t arenaRadius_ = GameTuning::kArenaRadius;
    // Every press counts as a shot, but one press is one shot.
    bool shotArmed_ = false;

    std::unique_ptr<Texture> toonTexture_;
    std::unique_ptr<Texture> toonGlowTexture_;
    std::unique_ptr<ToonRenderer> renderer_;
    std::unique_ptr<SkyBox> skyBox_;
    std::unique_ptr<Ground> ground_;
    // The world light, turning about the vertical; the player, otters and building are lit by it.
    Vector3 light_{500.0f, 200.0f, 0.0f};
    std::unique_ptr<Weapon> player_;
    std::unique_ptr<Model> otterModel_;
    // The low-polygon otter, always loaded, for the otters drawn far away.
    std::unique_ptr<Model> distantOtterModel_;
    std::unique_ptr<Model> buildingModel_;
    std::unique_ptr<OtterHerd> herd_;
    std::unique_ptr<CollisionSet> collisions_;
    GLUquadric* quadric_ = nullptr;
    std::unique_ptr<GameHud> hud_;
    std::unique_ptr<FeedbackZoomEffect> zoomEffect_;
    std::unique_ptr<LineOfFire> lineOfFire_;
    std::unique_ptr<GlowEffect> glow_;
    std::unique_ptr<MouseLook> mouseLook_;
    std::unique_ptr<SceneScale> sceneScale_;
    QualityGovernor governor_;
    bool automaticQuality_ = true;
    int qualityStep_ = 0;
    GameStats stats_;
};

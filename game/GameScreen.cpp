// GameScreen: construction of the level and its objects, video settings, new game and accessors.
#include "game/GameScreen.h"

#include <GL/glu.h>

#include "entities/Building.h"
#include "entities/Otter.h"
#include "entities/OtterHerd.h"
#include "entities/Weapon.h"
#include "framework/EventReport.h"
#include "game/CollisionSet.h"
#include "render/BitmapFont.h"
#include "render/Clock.h"
#include "render/FeedbackZoomEffect.h"
#include "render/Frustum.h"
#include "render/GlExtensions.h"
#include "render/GlowEffect.h"
#include "render/Model.h"
#include "render/SkyBox.h"
#include "render/Texture.h"
#include "render/TextureSets.h"
#include "render/ToonRendererFactory.h"

namespace {

// The otters of the screen's first build, before any game chose a difficulty.
constexpr int kFirstOtterLife = 10;
constexpr float kFirstOtterSpeed = 0.01f;
constexpr float kFirstSpawnRadius = 2000.0f;
// A game's otters come in from this far beyond the arena's edge.
constexpr int kSpawnBeyondArena = 500;
constexpr int kArenaRadius = 1000;
// Facing away from the building along -x, where a new game puts the player.
constexpr float kStartYaw = -1.57f;

std::unique_ptr<Texture> loaded(bool (*load)(Texture&, const char*), const char* path) {
    auto texture = std::make_unique<Texture>();
    load(*texture, path);
    return texture;
}

}  // namespace

GameScreen& GameScreen::instance() {
    static GameScreen screen;
    return screen;
}

GameScreen::GameScreen() {
    // The first idle step measures from here, not from time zero.
    lastTime_ = gameclock::elapsedMs();
    frameMs_ = 0;

    std::unique_ptr<Texture> fireTexture =
        loaded(texturesets::loadFire, "./ressources/textures/fire.bmp");
    std::unique_ptr<Texture> crosshairTexture =
        loaded(texturesets::loadCrosshair, "./ressources/textures/crosshair.bmp");
    toonTexture_ = loaded(texturesets::loadToonRamp, "./ressources/textures/toon.bmp");
    toonGlowTexture_ = loaded(texturesets::loadToonRamp, "./ressources/textures/toon_glow.bmp");
    lightmapTexture_ = std::make_unique<Texture>();
    sweepTexture_ = loaded(texturesets::loadSweep, "./ressources/textures/HUD/balayeur.bmp");
    radarDotTexture_ = loaded(texturesets::loadRadar, "./ressources/textures/HUD/point.bmp");
    radarTexture_ = loaded(texturesets::loadRadar, "./ressources/textures/HUD/radar.bmp");
    // Skins stay empty until the first applyVideoSettings, which start-up always runs.
    auto otterSkin = std::make_unique<Texture>();
    auto buildingSkin = std::make_unique<Texture>();

    skyBox_ = std::make_unique<SkyBox>();
    for (int face = 0; face < SkyBox::kFaceCount; ++face) {
        skyBox_->setFace(static_cast<SkyBox::Face>(face), new Texture());
    }

    loadMultitexture();
    loadVertexProgram();
    groundInOnePass_ = groundFitsOnePass();
    renderer_ = createToonRenderer();
    renderer_->setToonTexture(toonTexture_->id());

    light_ = std::make_unique<Vector3>(500.0f, 200.0f, 0.0f);
    lightSpotSize_ = 1000.0f;

    weapon_ = std::make_unique<Weapon>();
    weapon_->setRenderer(renderer_.get());
    weapon_->ownModel()->setTexture(new Texture());
    weapon_->setFireTexture(fireTexture.release());
    weapon_->setFlashDuration(60);
    weapon_->setShotInterval(70);
    weapon_->setCrosshairTexture(crosshairTexture.release());
    weapon_->setScreenSize(1024, 768);
    weapon_->setLight(light_.get());

    groundTexture_ = std::make_unique<Texture>();

    otterModel_ = std::make_unique<Model>();
    otterModel_->load("./ressources/models/loutre.obj");
    otterModel_->setTexture(otterSkin.release());
    buildingModel_ = std::make_unique<Model>();
    buildingModel_->load("./ressources/models/immeuble.obj");
    buildingModel_->setTexture(buildingSkin.release());

    auto building = std::make_unique<Building>();
    building->setModel(buildingModel_.get());
    building->setRenderer(renderer_.get());
    building->setLight(light_.get());
    const Vector3 target = building->position();

    const int count = difficulty_ + 10;
    herd_ = std::make_unique<OtterHerd>();
    herd_->setSpawnRadius(kFirstSpawnRadius);
    herd_->setOtters(makeOtters(count, kFirstOtterLife, kFirstOtterSpeed, target), count);
    herd_->setBuilding(std::move(building));

    collisions_ = std::make_unique<CollisionSet>(herd_->otters(), &herd_->building(), weapon_.get(),
                                                 count, 1, 1);

    quadric_ = gluNewQuadric();

    font_ = std::make_unique<BitmapFont>();
    fontTexture_ = loaded(texturesets::loadGameFont, "./ressources/textures/Font.bmp");
    font_->setTexture(fontTexture_->id(), 15, 15);
    font_->setFirstChar(32);
    font_->setGlyphSize(15, 15, 10);
    font_->setScreenSize(800, 600);
    font_->build();

    zoomEffect_ = std::make_unique<FeedbackZoomEffect>();
    pickFrustum_ = std::make_unique<Frustum>();
    startTime_ = kills_ = shots_ = hits_ = 0;
    sweepAngle_ = 0.0f;
    sweepSpeed_ = 0.1f;

    glow_ = std::make_unique<GlowEffect>(64, 64);
    glow_->setPasses(2);
    glow_->setIntensity(1.0f);
    glowLevel_ = 2;
}

GameScreen::~GameScreen() {
    // The collision set points into the herd's otters; let it go before them.
    collisions_.reset();
    herd_.reset();
    if (quadric_) {
        gluDeleteQuadric(quadric_);
    }
}

std::unique_ptr<Otter[]> GameScreen::makeOtters(int count, int life, float speed,
                                                const Vector3& target) {
    auto otters = std::make_unique<Otter[]>(count);
    for (int i = 0; i < count; ++i) {
        Otter& otter = otters[i];
        otter.setWaddleRate(20.0f);
        otter.setWaddleAngle(0.0f);
        otter.setWaddleLimit(5.0f);
        otter.setRenderer(renderer_.get());
        otter.setModel(otterModel_.get());
        otter.setLife(life);
        otter.setSpeed(speed);
        otter.setLight(light_.get());
        otter.setTarget(target);
    }
    return otters;
}

void GameScreen::applyVideoSettings(int textureQuality, int textureFiltering,
                                    bool lowQualityOtter) {
    // The texture sets keep quality within 0..3 and map unknown filterings to nearest.
    const int q = textureQuality;
    const int f = textureFiltering;
    skyBox_->load("./ressources/textures/skybox", q, f);
    texturesets::loadWorldRepeating(*groundTexture_, "./ressources/textures/sol.bmp", q, f);
    texturesets::loadLightMap(*lightmapTexture_, "./ressources/textures/lightmap2.bmp", q);

    // The otter model is reloaded in place rather than replaced: the main menu's walking
    // otters hold the same model, and a replaced one would leave them pointing at freed memory.
    // Its skin keeps its texture name and gets the new picture below.
    otterModel_->load(lowQualityOtter ? "./ressources/models/loutre_low.obj"
                                      : "./ressources/models/loutre.obj");
    for (int i = 0; i < herd_->count(); ++i) {
        herd_->otter(i).setModel(otterModel_.get());
    }

    texturesets::loadWorld(*otterModel_->texture(), "./ressources/textures/loutre.bmp", q, f);
    texturesets::loadWorld(*buildingModel_->texture(), "./ressources/textures/immeuble.bmp", q, f);
    texturesets::loadWorldRepeating(*weapon_->ownModel()->texture(),
                                    "./ressources/textures/arme.bmp", q, f);
}

void GameScreen::newGame() {
    weapon_->setScore(0);
    arenaRadius_ = kArenaRadius;

    const int count = difficulty_ + 10;
    const int life = difficulty_ / 5 + 1;
    const float speed = static_cast<float>((difficulty_ / 10 + 1.0) * 0.03);
    Building& building = herd_->building();
    // The herd destroys the previous array when it takes the new one; the collision set is
    // pointed at the new one right after.
    herd_->setSpawnRadius(static_cast<float>(arenaRadius_ + kSpawnBeyondArena));
    herd_->setOtters(makeOtters(count, life, speed, building.position()), count);
    building.setLife(50 - difficulty_);
    herd_->clearEffects();
    collisions_->setOtters(herd_->otters());
    collisions_->setOtterCount(count);

    const float radius = buildingModel_->radius();
    weapon_->setPosition(-radius, weapon_->position().y(), 0.0f);
    weapon_->setYaw(kStartYaw);

    gameSuspended_ = false;
    zoomEffect_->reset();

    startTime_ = gameclock::elapsedMs();
    kills_ = shots_ = hits_ = 0;
    shotArmed_ = true;
    sweepAngle_ = 0.0f;
    sweepSpeed_ = 0.1f;
    suspensionPending_ = false;

    // Keys held when the game was left must not walk the player, and the pointer is wherever
    // the menu left it.
    weapon_->releaseAllKeys();
    stopMouseLook();

    // The driver builds its selection-mode pipeline on first use: on the software rasteriser
    // about 30 ms and 16,000 allocations. One pick while the game is being set up keeps that
    // out of the first shot's frame (the result is not used; each shot picks afresh).
    buildingOnLineOfFire();
    eventreport::report("game-new difficulty=%d otters=%d life=%d", difficulty_, count,
                        building.life());
}

void GameScreen::restartClocks() {
    const int32_t now = gameclock::elapsedMs();
    frameMs_ = now - lastTime_;
    lastTime_ = now;
    herd_->restartClocks();
    if (suspensionPending_) {
        // The score counts seconds of play: move the start on by the time spent away.
        startTime_ += now - suspendedAt_;
        suspensionPending_ = false;
    }
    stopMouseLook();
}

void GameScreen::setExits(MenuSource mainMenu, ResultsSource showResults) {
    mainMenu_ = mainMenu;
    showResults_ = showResults;
}

int GameScreen::difficulty() const { return difficulty_; }
void GameScreen::setDifficulty(int difficulty) { difficulty_ = difficulty; }
bool GameScreen::gameSuspended() const { return gameSuspended_; }
void GameScreen::setGameSuspended(bool suspended) { gameSuspended_ = suspended; }
int GameScreen::glowLevel() const { return glowLevel_; }
void GameScreen::setGlowLevel(int level) { glowLevel_ = level; }
int GameScreen::mouseDirection() const { return mouseDirection_; }
void GameScreen::setMouseDirection(int direction) { mouseDirection_ = direction; }
Model* GameScreen::otterModel() const { return otterModel_.get(); }
ToonRenderer* GameScreen::renderer() const { return renderer_.get(); }
Weapon& GameScreen::weapon() { return *weapon_; }

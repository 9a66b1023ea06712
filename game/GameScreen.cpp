// GameScreen: construction of the level and its objects, video settings, new game and accessors.
#include "game/GameScreen.h"

#include <GL/glu.h>

#include "entities/Building.h"
#include "entities/Otter.h"
#include "entities/OtterHerd.h"
#include "entities/Weapon.h"
#include "framework/EventReport.h"
#include "game/CollisionSet.h"
#include "game/GameHud.h"
#include "game/Ground.h"
#include "game/LineOfFire.h"
#include "game/MouseLook.h"
#include "render/AssetNames.h"
#include "render/Clock.h"
#include "render/FeedbackZoomEffect.h"
#include "render/GlExtensions.h"
#include "render/GlowEffect.h"
#include "render/Model.h"
#include "render/SceneScale.h"
#include "render/SkyBox.h"
#include "render/Texture.h"
#include "render/TextureSets.h"
#include "render/ToonRendererFactory.h"

namespace {

// The glow: a 64 x 64 corner, blurred twice, at full strength.
constexpr int kGlowSize = 64;
constexpr int kGlowPasses = 2;
constexpr float kGlowIntensity = 1.0f;
// The gun's crosshair is placed for this screen.
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

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

GameScreen::GameScreen() : mouseLook_(std::make_unique<MouseLook>()) {
    // The first idle step measures from here, not from time zero.
    lastTime_ = gameclock::elapsedMs();
    frameMs_ = 0;

    loadRenderer();
    // The ground asks the driver what it can combine: after the extensions are looked up.
    ground_ = std::make_unique<Ground>();
    loadPlayer();
    loadModels();
    buildHerd();

    quadric_ = gluNewQuadric();
    hud_ = std::make_unique<GameHud>();
    zoomEffect_ = std::make_unique<FeedbackZoomEffect>();
    lineOfFire_ = std::make_unique<LineOfFire>();
    glow_ = std::make_unique<GlowEffect>(kGlowSize, kGlowSize);
    sceneScale_ = std::make_unique<SceneScale>();
    const int fixedQualityStep = qualitysteps::fixedStepFromEnvironment();
    if (fixedQualityStep >= 0) {
        setAutomaticQuality(false, fixedQualityStep);
    }
    glow_->setPasses(kGlowPasses);
    glow_->setIntensity(kGlowIntensity);
}

GameScreen::~GameScreen() {
    // The collision set points into the herd's otters; let it go before them.
    collisions_.reset();
    herd_.reset();
    if (quadric_) {
        gluDeleteQuadric(quadric_);
    }
}

void GameScreen::loadRenderer() {
    toonTexture_ = loaded(texturesets::loadToonRamp, assetnames::kToonRamp);
    toonGlowTexture_ = loaded(texturesets::loadToonRamp, assetnames::kGlowRamp);
    // The sky's faces stay empty until the first applyVideoSettings, which start-up always runs.
    skyBox_ = std::make_unique<SkyBox>();
    for (int face = 0; face < SkyBox::kFaceCount; ++face) {
        skyBox_->setFace(static_cast<SkyBox::Face>(face), std::make_unique<Texture>());
    }
    loadMultitexture();
    loadVertexProgram();
    renderer_ = createToonRenderer();
    renderer_->setToonTexture(toonTexture_->id());
}

void GameScreen::loadPlayer() {
    player_ = std::make_unique<Weapon>();
    player_->setRenderer(renderer_.get());
    // The gun's skin stays empty until the first applyVideoSettings.
    player_->ownModel()->setTexture(std::make_unique<Texture>());
    player_->setFireTexture(loaded(texturesets::loadFire, assetnames::kMuzzleFlash));
    player_->setFlashDuration(GameTuning::kFlashDurationMs);
    player_->setShotInterval(GameTuning::kShotIntervalMs);
    player_->setCrosshairTexture(loaded(texturesets::loadCrosshair, assetnames::kCrosshair));
    player_->setScreenSize(kScreenWidth, kScreenHeight);
    player_->setLight(&light_);
}

void GameScreen::loadModels() {
    // Skins stay empty until the first applyVideoSettings.
    otterModel_ = std::make_unique<Model>();
    otterModel_->load(assetnames::kOtterModel);
    otterModel_->setTexture(std::make_unique<Texture>());
    distantOtterModel_ = std::make_unique<Model>();
    distantOtterModel_->load(assetnames::kLowOtterModel);
    distantOtterModel_->setTexture(std::make_unique<Texture>());
    buildingModel_ = std::make_unique<Model>();
    buildingModel_->load(assetnames::kBuildingModel);
    buildingModel_->setTexture(std::make_unique<Texture>());
}

void GameScreen::buildHerd() {
    auto building = std::make_unique<Building>();
    building->setModel(buildingModel_.get());
    building->setRenderer(renderer_.get());
    building->setLight(&light_);
    const Vector3 target = building->position();

    const int count = GameTuning::otterCount(difficulty_);
    herd_ = std::make_unique<OtterHerd>();
    herd_->setSpawnRadius(GameTuning::kFirstSpawnRadius);
    herd_->setDistantModel(distantOtterModel_.get());
    herd_->setOtters(
        makeOtters(count, GameTuning::kFirstOtterLife, GameTuning::kFirstOtterSpeed, target),
        count);
    herd_->setBuilding(std::move(building));

    collisions_ = std::make_unique<CollisionSet>(herd_->otters(), &herd_->building(), player_.get(),
                                                 count, 1, 1);
}

std::unique_ptr<Otter[]> GameScreen::makeOtters(int count, int life, float speed,
                                                const Vector3& target) {
    auto otters = std::make_unique<Otter[]>(count);
    for (int i = 0; i < count; ++i) {
        Otter& otter = otters[i];
        otter.setWaddleRate(OtterTuning::kWaddleRate);
        otter.setWaddleAngle(0.0f);
        otter.setWaddleLimit(OtterTuning::kWaddleLimit);
        otter.setRenderer(renderer_.get());
        otter.setModel(otterModel_.get());
        otter.setLife(life);
        otter.setSpeed(speed);
        otter.setLight(&light_);
        otter.setTarget(target);
    }
    return otters;
}

void GameScreen::applyVideoSettings(int textureQuality, int textureFiltering,
                                    bool lowQualityOtter) {
    // The texture sets keep quality within 0..3 and map unknown filterings to nearest.
    const int q = textureQuality;
    const int f = textureFiltering;
    skyBox_->load(assetnames::kSkyBoxFolder, q, f);
    ground_->loadTextures(q, f);

    // The otter model is reloaded in place rather than replaced: the main menu's walking
    // otters hold the same model, and a replaced one would leave them pointing at freed memory.
    // Its skin keeps its texture name and gets the new picture below.
    otterModel_->load(lowQualityOtter ? assetnames::kLowOtterModel : assetnames::kOtterModel);
    for (int i = 0; i < herd_->count(); ++i) {
        herd_->otter(i).setModel(otterModel_.get());
    }

    texturesets::loadWorld(*otterModel_->texture(), assetnames::kOtterSkin, q, f);
    texturesets::loadWorld(*distantOtterModel_->texture(), assetnames::kOtterSkin, q, f);
    texturesets::loadWorld(*buildingModel_->texture(), assetnames::kBuildingSkin, q, f);
    texturesets::loadWorldRepeating(*player_->ownModel()->texture(), assetnames::kWeaponSkin, q, f);
}

void GameScreen::newGame() {
    player_->setScore(0);
    arenaRadius_ = GameTuning::kArenaRadius;

    const int count = GameTuning::otterCount(difficulty_);
    Building& building = herd_->building();
    // The herd destroys the previous array when it takes the new one; the collision set is
    // pointed at the new one right after.
    herd_->setSpawnRadius(static_cast<float>(arenaRadius_ + GameTuning::kSpawnBeyondArena));
    herd_->setOtters(makeOtters(count, GameTuning::otterLife(difficulty_),
                                GameTuning::otterSpeed(difficulty_), building.position()),
                     count);
    building.setLife(GameTuning::buildingLife(difficulty_));
    herd_->clearEffects();
    collisions_->setOtters(herd_->otters());
    collisions_->setOtterCount(count);

    const float radius = buildingModel_->radius();
    player_->setPosition(-radius, player_->position().y(), 0.0f);
    player_->setYaw(GameTuning::kStartYaw);

    gameSuspended_ = false;
    zoomEffect_->reset();

    stats_.start(gameclock::elapsedMs());
    shotArmed_ = true;
    hud_->restartSweep();

    // Keys held when the game was left must not walk the player, and the pointer is wherever
    // the menu left it.
    player_->releaseAllKeys();
    mouseLook_->stop();

    // The driver builds its selection-mode pipeline on first use: on the software rasteriser
    // about 30 ms and 16,000 allocations. One pick while the game is being set up keeps that
    // out of the first shot's frame (the result is not used; each shot picks afresh).
    lineOfFire_->buildingOnLine(*player_, herd_->building().model());
    eventreport::report("game-new difficulty=%d otters=%d life=%d", difficulty_, count,
                        building.life());
}

void GameScreen::restartClocks() {
    const int32_t now = gameclock::elapsedMs();
    frameMs_ = now - lastTime_;
    lastTime_ = now;
    herd_->restartClocks();
    // The score counts seconds of play: the start moves on by the time spent away.
    stats_.resume(now);
    mouseLook_->stop();
}

void GameScreen::setExits(MenuSource mainMenu, ResultsSource showResults) {
    mainMenu_ = mainMenu;
    showResults_ = showResults;
}

void GameScreen::setOtterDetailDistance(float distance) { herd_->setDistantDetail(distance); }
float GameScreen::otterDetailDistance() const { return herd_->distantDetail(); }
void GameScreen::setGroundInOnePass(bool onePass) { ground_->setOnePass(onePass); }
bool GameScreen::groundInOnePass() const { return ground_->onePass(); }
int GameScreen::mouseDirection() const { return mouseLook_->verticalDirection(); }
void GameScreen::setMouseDirection(int direction) { mouseLook_->setVerticalDirection(direction); }

float GameScreen::verticalSensitivity() const { return player_->verticalSensitivity(); }
void GameScreen::setVerticalSensitivity(float sensitivity) {
    player_->setVerticalSensitivity(sensitivity);
}
float GameScreen::horizontalSensitivity() const { return player_->horizontalSensitivity(); }
void GameScreen::setHorizontalSensitivity(float sensitivity) {
    player_->setHorizontalSensitivity(sensitivity);
}

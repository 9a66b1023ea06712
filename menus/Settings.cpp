// Settings: config.cfg read into the live objects at start-up and written back from them at exit.
#include "menus/Settings.h"

#include <limits.h>
#include <unistd.h>

#include <cstdio>

#include "entities/LookTuning.h"
#include "framework/EventReport.h"
#include "framework/GameSession.h"
#include "menus/ConfigFile.h"
#include "menus/GameOptionsScreen.h"
#include "sound/SoundManager.h"

namespace {

std::string& configPathSlot() {
    static std::string path = "./config.cfg";
    return path;
}

// Saving before anything was loaded would replace the player's file with the built-in
// defaults (a signal during the intro, before the menus exist).
bool settingsLoaded = false;
// What the settings were loaded into, and are saved from: handed over by loadConfig.
GameSession* settingsGame = nullptr;
GameOptionsScreen* settingsGameOptions = nullptr;

// Names the whole path, so a test can tell which folder the file went to.
void reportConfigEvent(const char* event) {
    if (!eventreport::enabled()) {
        return;
    }
    const std::string& path = configPath();
    char folder[PATH_MAX];
    if (path.empty() || path[0] == '/' || getcwd(folder, sizeof folder) == nullptr) {
        eventreport::report("%s path=%s", event, path.c_str());
    } else {
        eventreport::report("%s path=%s/%s", event, folder, path.c_str());
    }
}

void applyVideoChoices() {
    const VideoChoices& video = videoChoices();
    settingsGame->applyVideoSettings(video.textureQuality, video.textureFiltering,
                                     video.lowQualityOtter);
}

void applyDefaults() {
    GameSession& game = *settingsGame;
    game.applyVideoSettings(0, 3, false);
    game.setDifficulty(11);
    SoundManager& sound = SoundManager::instance();
    sound.setEffectsEnabled(true);
    sound.setEffectsVolume(100);
    sound.setMusicState(MusicState::Stopped);
    sound.toggleMusic();
    sound.setMusicVolume(100);
    game.setMouseDirection(1);
}

void apply(const ConfigValues& v) {
    GameSession& game = *settingsGame;
    SoundManager& sound = SoundManager::instance();
    VideoChoices& video = videoChoices();

    game.setDifficulty(v.difficulty);
    game.setVerticalSensitivity(v.verticalSensitivity);
    // The slider counts steps of 0.0003 from 0.0018; computed in double so a saved step reads
    // back as that step.
    settingsGameOptions->setSensitivitySlider(static_cast<float>(
        (static_cast<double>(v.verticalSensitivity) - LookTuning::kVerticalAtZero) *
        LookTuning::kStepsPerVertical));
    game.setHorizontalSensitivity(v.horizontalSensitivity);
    game.setMouseDirection(v.mouseDirection);
    sound.setEffectsEnabled(v.effectsEnabled == 1);
    sound.setEffectsVolume(v.effectsVolume);
    if (v.musicEnabled == 1) {
        // The switch toggles while music plays: marking it stopped first makes it start,
        // whatever the sound manager was doing.
        sound.setMusicState(MusicState::Stopped);
        sound.toggleMusic();
    } else {
        sound.stopMusic();
    }
    sound.setMusicVolume(v.musicVolume);
    video.lowQualityOtter = v.lowQualityOtter == 1;
    video.glowLevel = v.glowLevel;
    game.setGlowLevel(v.glowLevel);
    video.textureQuality = v.textureQuality;
    video.textureFiltering = v.textureFiltering;
}

}  // namespace

void setConfigPath(const std::string& path) { configPathSlot() = path; }

const std::string& configPath() { return configPathSlot(); }

VideoChoices& videoChoices() {
    static VideoChoices choices;
    return choices;
}

void loadConfig(GameSession& game, GameOptionsScreen& gameOptions) {
    settingsGame = &game;
    settingsGameOptions = &gameOptions;
    settingsLoaded = true;
    const std::string& path = configPath();
    std::FILE* file = path.empty() ? nullptr : std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        applyDefaults();
        reportConfigEvent("settings-loaded");
        return;
    }
    uint8_t bytes[kConfigFileSize];
    const size_t size = std::fread(bytes, 1, sizeof bytes, file);
    std::fclose(file);
    apply(parseConfig(bytes, size));
    applyVideoChoices();
    reportConfigEvent("settings-loaded");
}

void saveConfig() {
    if (!settingsLoaded || configPath().empty()) {
        return;
    }
    const GameSession& game = *settingsGame;
    const SoundManager& sound = SoundManager::instance();
    const VideoChoices& video = videoChoices();

    ConfigValues v;
    v.difficulty = game.difficulty();
    v.verticalSensitivity = game.verticalSensitivity();
    v.horizontalSensitivity = game.horizontalSensitivity();
    v.mouseDirection = game.mouseDirection();
    v.effectsEnabled = sound.effectsEnabled() ? 1 : 0;
    v.effectsVolume = sound.effectsVolume();
    v.musicEnabled = sound.musicState() != MusicState::Stopped ? 1 : 0;
    v.musicVolume = sound.musicVolume();
    v.lowQualityOtter = video.lowQualityOtter ? 1 : 0;
    // The glow level is the one the game uses: one left unapplied on the video screen is lost.
    v.glowLevel = game.glowLevel();
    v.textureQuality = video.textureQuality;
    v.textureFiltering = video.textureFiltering;

    uint8_t bytes[kConfigFileSize];
    serializeConfig(v, bytes);
    // A failure (read-only folder, full disk) keeps the previous file and is not shown to the
    // player.
    configfile::makeParentFolders(configPath());
    const bool saved = configfile::replaceFile(configPath().c_str(), bytes, sizeof bytes);
    reportConfigEvent(saved ? "settings-saved" : "settings-save-failed");
}

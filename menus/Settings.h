// Settings: the configuration file (48 bytes) and the video choices that outlive every screen.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class GameOptionsScreen;
class GameSession;

// What the video options screen has chosen, applied or not. Kept here rather than on the
// screen so the values saved at exit never depend on which screens exist or are torn down.
struct VideoChoices {
    bool lowQualityOtter = false;
    int32_t textureQuality = 0;
    int32_t glowLevel = 2;
    int32_t textureFiltering = 3;
};
VideoChoices& videoChoices();

// The twelve little-endian 4-byte fields of config.cfg, in file order.
struct ConfigValues {
    int32_t difficulty = 11;
    float verticalSensitivity = 0.0012f;
    float horizontalSensitivity = 0.0018f;
    int32_t mouseDirection = 1;
    int32_t effectsEnabled = 1;
    int32_t effectsVolume = 100;
    int32_t musicEnabled = 1;
    int32_t musicVolume = 100;
    int32_t lowQualityOtter = 0;
    int32_t glowLevel = 2;
    int32_t textureQuality = 0;
    int32_t textureFiltering = 3;
};
constexpr size_t kConfigFileSize = 48;
// What a file may hold and still be used: a sensitivity above this (radians per pixel) falls
// back to its default, a volume outside 0..kLoudestVolume is clamped to it.
constexpr float kLargestUsableSensitivity = 0.01f;
constexpr int32_t kLoudestVolume = 255;

// Pure: the values a file's bytes give. Missing fields (a short file) and values that would
// break the game keep their defaults; volumes are clamped; values the game deliberately
// tolerates are kept.
ConfigValues parseConfig(const uint8_t* bytes, size_t size);
void serializeConfig(const ConfigValues& values, uint8_t (&bytes)[kConfigFileSize]);

// The settings file loadConfig and saveConfig use: ./config.cfg until start-up chooses one;
// empty means the settings are not kept (the defaults apply and nothing is written).
void setConfigPath(const std::string& path);
const std::string& configPath();

// Reads the settings file (or the defaults) and pushes every value into the game session
// (the player's sensitivities included), sound manager, game options and video choices, then
// applies the video settings. The game and its options are kept as what saveConfig reads back.
void loadConfig(GameSession& game, GameOptionsScreen& gameOptions);
// Writes the settings file atomically (temporary file, flush, rename) from the live objects,
// creating its folders first; on any failure the previous file stays; only the event report
// tells.
void saveConfig();

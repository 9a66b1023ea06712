// config_fuzzer: the settings file reader on arbitrary bytes; what it keeps must be playable.
// Its seed files are in fuzz/seeds/config_fuzzer/ (fuzz/seeds/make_config_seeds.sh writes them).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "menus/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ConfigValues v = parseConfig(data, size);
    const bool playable =
        v.difficulty >= 5 && v.difficulty <= 20 && std::isfinite(v.verticalSensitivity) &&
        v.verticalSensitivity > 0.0f && v.verticalSensitivity <= kLargestUsableSensitivity &&
        std::isfinite(v.horizontalSensitivity) && v.horizontalSensitivity > 0.0f &&
        v.horizontalSensitivity <= kLargestUsableSensitivity &&
        (v.mouseDirection == 1 || v.mouseDirection == -1) && v.effectsVolume >= 0 &&
        v.effectsVolume <= kLoudestVolume && v.musicVolume >= 0 && v.musicVolume <= kLoudestVolume;
    if (!playable) {
        std::abort();
    }
    // What was kept is written back and read again unchanged.
    std::uint8_t once[kConfigFileSize];
    std::uint8_t twice[kConfigFileSize];
    serializeConfig(v, once);
    serializeConfig(parseConfig(once, sizeof once), twice);
    if (std::memcmp(once, twice, sizeof once) != 0) {
        std::abort();
    }
    return 0;
}

// ConfigFile: the bytes of config.cfg (parse, serialize) and its all-or-nothing replacement.
#include "menus/ConfigFile.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "menus/Settings.h"

namespace {

int32_t readInt(const uint8_t* p) {
    const uint32_t u = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                       static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
    int32_t value;
    std::memcpy(&value, &u, sizeof value);
    return value;
}

float readFloat(const uint8_t* p) {
    const int32_t bits = readInt(p);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void writeInt(uint8_t* p, int32_t value) {
    uint32_t u;
    std::memcpy(&u, &value, sizeof u);
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<uint8_t>(u >> (8 * i));
    }
}

void writeFloat(uint8_t* p, float value) {
    int32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    writeInt(p, bits);
}

// A sensitivity is radians per pixel of mouse motion: anything not a small positive number
// freezes the view, turns it backwards or spins it (NaN would poison the camera for good).
// The options slider only ever sets values from 0.0002 to 0.0045 (the inverted mouse is a
// separate field, so never a negative one); far above that the view turns several times per
// pixel, so such a value is taken for damage and the default used.
bool usableSensitivity(float s) {
    return std::isfinite(s) && s > 0.0f && s <= kLargestUsableSensitivity;
}

// Volumes go through the sound manager's setters, which clamp: the file is read the same way.
int32_t clampedVolume(int32_t volume) { return std::clamp<int32_t>(volume, 0, kLoudestVolume); }

}  // namespace

ConfigValues parseConfig(const uint8_t* bytes, size_t size) {
    ConfigValues v;
    const ConfigValues defaults;
    // Fields past the end of a short file keep their defaults.
    const size_t fields = (size < kConfigFileSize ? size : kConfigFileSize) / 4;
    auto field = [&](size_t index) { return bytes + 4 * index; };
    if (fields > 0) {
        // The game builds difficulty + 10 otters and gives the building 50 - difficulty life:
        // outside 5..20 that is a dead building at once, or millions of otters.
        const int32_t d = readInt(field(0));
        v.difficulty = d >= 5 && d <= 20 ? d : defaults.difficulty;
    }
    if (fields > 1) {
        const float s = readFloat(field(1));
        v.verticalSensitivity = usableSensitivity(s) ? s : defaults.verticalSensitivity;
    }
    if (fields > 2) {
        const float s = readFloat(field(2));
        v.horizontalSensitivity = usableSensitivity(s) ? s : defaults.horizontalSensitivity;
    }
    if (fields > 3) {
        const int32_t m = readInt(field(3));
        v.mouseDirection = m == 1 || m == -1 ? m : defaults.mouseDirection;
    }
    if (fields > 4) {
        v.effectsEnabled = readInt(field(4));
    }
    if (fields > 5) {
        v.effectsVolume = clampedVolume(readInt(field(5)));
    }
    if (fields > 6) {
        v.musicEnabled = readInt(field(6));
    }
    if (fields > 7) {
        v.musicVolume = clampedVolume(readInt(field(7)));
    }
    if (fields > 8) {
        v.lowQualityOtter = readInt(field(8));
    }
    if (fields > 9) {
        v.glowLevel = readInt(field(9));
    }
    if (fields > 10) {
        v.textureQuality = readInt(field(10));
    }
    if (fields > 11) {
        v.textureFiltering = readInt(field(11));
    }
    return v;
}

void serializeConfig(const ConfigValues& v, uint8_t (&bytes)[kConfigFileSize]) {
    writeInt(bytes + 0, v.difficulty);
    writeFloat(bytes + 4, v.verticalSensitivity);
    writeFloat(bytes + 8, v.horizontalSensitivity);
    writeInt(bytes + 12, v.mouseDirection);
    writeInt(bytes + 16, v.effectsEnabled);
    writeInt(bytes + 20, v.effectsVolume);
    writeInt(bytes + 24, v.musicEnabled);
    writeInt(bytes + 28, v.musicVolume);
    writeInt(bytes + 32, v.lowQualityOtter);
    writeInt(bytes + 36, v.glowLevel);
    writeInt(bytes + 40, v.textureQuality);
    writeInt(bytes + 44, v.textureFiltering);
}

namespace configfile {

bool replaceFile(const char* path, const void* bytes, size_t size, RenameFunction rename) {
    std::string temporary = std::string(path) + ".XXXXXX";
    const int fd = mkstemp(&temporary[0]);
    if (fd < 0) {
        return false;
    }
    // mkstemp makes the file private; a settings file is as readable as any other.
    fchmod(fd, 0644);
    std::FILE* file = fdopen(fd, "wb");
    if (file == nullptr) {
        close(fd);
        unlink(temporary.c_str());
        return false;
    }
    bool ok = std::fwrite(bytes, 1, size, file) == size;
    ok = std::fflush(file) == 0 && ok;
    ok = fsync(fileno(file)) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    if (ok) {
        ok = (rename ? rename : std::rename)(temporary.c_str(), path) == 0;
    }
    if (!ok) {
        unlink(temporary.c_str());
    }
    return ok;
}

bool makeParentFolders(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
    }
    return true;
}

}  // namespace configfile

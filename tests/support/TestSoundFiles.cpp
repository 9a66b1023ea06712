// TestSoundFiles: tiny WAV, OGG and MIDI writers so sound tests never depend on the game's art.
#include "tests/support/TestSoundFiles.h"

#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "tools/assetgen/AudioFiles.h"

namespace testsound {

namespace {

constexpr int kRate = assetgen::kSampleRate;
constexpr double kPi = 3.14159265358979323846;

std::vector<float> sine(double seconds, double frequencyHz, double amplitude) {
    std::vector<float> out(static_cast<std::size_t>(seconds * kRate));
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<float>(amplitude * std::sin(2.0 * kPi * frequencyHz * i / kRate));
    }
    return out;
}

void put32be(std::vector<unsigned char>& out, unsigned value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back((value >> shift) & 0xFF);
    }
}

bool writeBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

}  // namespace

ScopedEnv::ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) {
        had_ = true;
        old_ = old;
    }
    setenv(name, value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
    if (had_) {
        setenv(name_.c_str(), old_.c_str(), 1);
    } else {
        unsetenv(name_.c_str());
    }
}

std::string makeScratchDir() {
    char pattern[] = "/tmp/zorblat-sound-XXXXXX";
    const char* dir = mkdtemp(pattern);
    return dir == nullptr ? std::string() : std::string(dir) + "/";
}

void removeScratchDir(const std::string& dir) {
    if (!dir.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
}

bool writeText(const std::string& path, const std::string& text) {
    return writeBytes(path, std::vector<unsigned char>(text.begin(), text.end()));
}

std::vector<short> readRawS16(const std::string& path) {
    std::vector<short> samples;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return samples;
    }
    short buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, sizeof(short), 4096, file)) > 0) {
        samples.insert(samples.end(), buffer, buffer + got);
    }
    std::fclose(file);
    return samples;
}

int peak(const std::vector<short>& samples, std::size_t from, std::size_t to) {
    int best = 0;
    for (std::size_t i = from; i < to && i < samples.size(); ++i) {
        best = std::max(best, std::abs(static_cast<int>(samples[i])));
    }
    return best;
}

// The game's own encoders (shared with the asset generator) write the files.
bool writeWav(const std::string& path, double seconds, double frequencyHz, double amplitude) {
    return assetgen::writeWav(path, sine(seconds, frequencyHz, amplitude));
}

bool writeOgg(const std::string& path, double seconds, double frequencyHz, double amplitude) {
    return assetgen::writeOgg(path, sine(seconds, frequencyHz, amplitude), 0.4f);
}

bool writeMidi(const std::string& path, double seconds) {
    const unsigned ticksPerQuarter = 480;  // at the default 120 beats a minute: 960 a second
    const unsigned holdTicks = static_cast<unsigned>(seconds * 960.0);
    std::vector<unsigned char> track;
    // Acoustic grand piano, a C major chord at full velocity.
    track.insert(track.end(), {0x00, 0xC0, 0x00});
    for (unsigned char note : {60, 64, 67}) {
        track.insert(track.end(), {0x00, 0x90, note, 0x7F});
    }
    // Variable-length delta time before the notes are released.
    std::vector<unsigned char> delta;
    unsigned value = holdTicks;
    delta.push_back(value & 0x7F);
    while ((value >>= 7) != 0) {
        delta.insert(delta.begin(), static_cast<unsigned char>(0x80 | (value & 0x7F)));
    }
    track.insert(track.end(), delta.begin(), delta.end());
    track.insert(track.end(), {0x80, 60, 0x40, 0x00, 0x80, 64, 0x40, 0x00, 0x80, 67, 0x40});
    track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});

    std::vector<unsigned char> out{'M', 'T', 'h', 'd'};
    put32be(out, 6);
    out.insert(out.end(), {0x00, 0x00, 0x00, 0x01});
    out.push_back(static_cast<unsigned char>(ticksPerQuarter >> 8));
    out.push_back(static_cast<unsigned char>(ticksPerQuarter & 0xFF));
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    put32be(out, static_cast<unsigned>(track.size()));
    out.insert(out.end(), track.begin(), track.end());
    return writeBytes(path, out);
}

}  // namespace testsound

// TestSoundFiles: tiny WAV, OGG and MIDI writers so sound tests never depend on the game's art.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace testsound {

// Sets an environment variable for as long as it lives, then puts back what was there. The
// sound tests point SDL at other audio drivers; every later test in the same process must find
// the environment it started with.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    bool had_ = false;
    std::string old_;
};

// A fresh empty directory under the system's temporary folder, with a trailing slash.
std::string makeScratchDir();
// Removes such a directory and everything in it.
void removeScratchDir(const std::string& dir);

// A mono 16-bit 44100 Hz sine tone; amplitude 1 is full scale.
bool writeWav(const std::string& path, double seconds, double frequencyHz, double amplitude = 0.6);

// A mono 44100 Hz sine tone, Ogg Vorbis encoded.
bool writeOgg(const std::string& path, double seconds, double frequencyHz, double amplitude = 0.6);

// A one-track MIDI file: a piano chord held for the given time.
bool writeMidi(const std::string& path, double seconds);

bool writeText(const std::string& path, const std::string& text);

// The whole of a raw file of signed 16-bit native-endian samples (SDL's disk audio output).
std::vector<short> readRawS16(const std::string& path);

// The largest magnitude among samples [from, to).
int peak(const std::vector<short>& samples, std::size_t from, std::size_t to);

}  // namespace testsound

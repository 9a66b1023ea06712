// Sounds: synthesises the game's effects (shot, explosion, click, three otter cries) and music.
#include <cmath>
#include <vector>

#include "render/AssetNames.h"
#include "tools/assetgen/AudioFiles.h"
#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/Generators.h"
#include "tools/assetgen/MidiSong.h"

namespace assetgen {
namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kDt = 1.0f / kSampleRate;

std::vector<float> silence(float seconds) {
    return std::vector<float>(size_t(seconds * kSampleRate), 0.0f);
}

// One-pole filters, enough to shape noise into hiss, rumble or splash.
struct LowPass {
    float state = 0.0f;
    float run(float in, float cutoffHz) {
        const float a = 1.0f - std::exp(-2.0f * kPi * cutoffHz * kDt);
        state += a * (in - state);
        return state;
    }
};

struct HighPass {
    LowPass low;
    float run(float in, float cutoffHz) { return in - low.run(in, cutoffHz); }
};

float noise(Rng& rng) { return rng.range(-1.0f, 1.0f); }

// Scales so the loudest sample reaches peak, and fades the last few milliseconds so no sound
// ends on a click.
void finish(std::vector<float>& s, float peak) {
    float max = 0.0f;
    for (float v : s)
        max = std::fmax(max, std::fabs(v));
    if (max > 0.0f) {
        for (float& v : s)
            v *= peak / max;
    }
    const size_t fade = std::min<size_t>(s.size(), kSampleRate / 200);
    for (size_t i = 0; i < fade; ++i) {
        s[s.size() - 1 - i] *= float(i) / float(fade);
    }
}

// A punchy cartoon blaster: a square-ish zap sweeping down, a noise crack and a low thump.
std::vector<float> blasterShot() {
    std::vector<float> s = silence(0.38f);
    Rng rng(11);
    LowPass crackFilter;
    float phase = 0.0f, thumpPhase = 0.0f;
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = i * kDt;
        const float freq = 180.0f + 1500.0f * std::exp(-t * 22.0f);
        phase += 2.0f * kPi * freq * kDt;
        const float zap = std::tanh(3.0f * std::sin(phase)) * std::exp(-t * 11.0f);
        const float crack = crackFilter.run(noise(rng), 5000.0f) * std::exp(-t * 45.0f);
        thumpPhase += 2.0f * kPi * (90.0f * std::exp(-t * 8.0f) + 45.0f) * kDt;
        const float thump = std::sin(thumpPhase) * std::exp(-t * 18.0f);
        const float attack = std::fmin(1.0f, t / 0.002f);
        s[i] = attack * (0.55f * zap + 0.5f * crack + 0.7f * thump);
    }
    finish(s, 0.9f);
    return s;
}

// The otter bursting at the building: a deep boom, rolling rumble and a wet, bubbly splash.
std::vector<float> wetExplosion() {
    std::vector<float> s = silence(1.6f);
    Rng rng(23);
    LowPass rumble, rumble2, splashLow;
    HighPass splashHigh;
    float boomPhase = 0.0f;
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = i * kDt;
        boomPhase += 2.0f * kPi * (30.0f + 70.0f * std::exp(-t * 6.0f)) * kDt;
        const float boom = std::sin(boomPhase) * std::exp(-t * 3.5f);
        const float roll =
            rumble2.run(rumble.run(noise(rng), 400.0f), 250.0f) * 4.0f * std::exp(-t * 2.2f);
        const float splashEnv = t < 0.05f ? 0.0f : std::exp(-(t - 0.05f) * 5.0f);
        const float splash = splashHigh.run(splashLow.run(noise(rng), 3500.0f), 900.0f) * splashEnv;
        const float attack = std::fmin(1.0f, t / 0.004f);
        s[i] = attack * (0.9f * boom + 0.7f * roll + 0.45f * splash);
    }
    // Bubbles: short rising sine chirps scattered through the splash.
    for (int b = 0; b < 28; ++b) {
        const float start = rng.range(0.06f, 1.0f);
        const float length = rng.range(0.02f, 0.06f);
        const float base = rng.range(500.0f, 1400.0f);
        const float level = rng.range(0.08f, 0.22f) * std::exp(-start * 2.0f);
        float phase = 0.0f;
        const size_t first = size_t(start * kSampleRate);
        const size_t count = size_t(length * kSampleRate);
        for (size_t i = 0; i < count && first + i < s.size(); ++i) {
            const float u = float(i) / count;
            phase += 2.0f * kPi * base * (1.0f + 1.5f * u) * kDt;
            s[first + i] += level * std::sin(phase) * std::sin(kPi * u);
        }
    }
    finish(s, 0.95f);
    return s;
}

// A soft, rounded menu click.
std::vector<float> softClick() {
    std::vector<float> s = silence(0.07f);
    Rng rng(5);
    LowPass tick;
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = i * kDt;
        const float body = std::sin(2.0f * kPi * 1250.0f * t) * std::exp(-t * 90.0f);
        const float knock = std::sin(2.0f * kPi * 420.0f * t) * std::exp(-t * 60.0f);
        const float grit = tick.run(noise(rng), 3000.0f) * std::exp(-t * 400.0f);
        s[i] = 0.6f * body + 0.4f * knock + 0.3f * grit;
    }
    finish(s, 0.6f);
    return s;
}

// One chirp of an otter cry: pitch path from f0 to f1 (with a hump), vibrato, a little breath.
void addChirp(std::vector<float>& s, Rng& rng, float start, float length, float f0, float f1,
              float hump, float vibratoHz, float level) {
    float phase = 0.0f;
    LowPass breath;
    const size_t first = size_t(start * kSampleRate);
    const size_t count = size_t(length * kSampleRate);
    for (size_t i = 0; i < count && first + i < s.size(); ++i) {
        const float u = float(i) / count;
        const float t = i * kDt;
        const float freq = f0 + (f1 - f0) * u + hump * std::sin(kPi * u) +
                           0.04f * f0 * std::sin(2.0f * kPi * vibratoHz * t);
        phase += 2.0f * kPi * freq * kDt;
        // A few harmonics make it nasal and squeaky rather than a pure whistle.
        const float voice = std::sin(phase) + 0.45f * std::sin(2.0f * phase) +
                            0.25f * std::sin(3.0f * phase) + 0.1f * std::sin(5.0f * phase);
        const float env = std::pow(std::sin(kPi * u), 0.6f);
        s[first + i] += level * env * (voice + 0.25f * breath.run(noise(rng), 2500.0f));
    }
}

std::vector<float> otterCry(int which) {
    Rng rng(100 + which);
    std::vector<float> s;
    switch (which) {
        case 0:  // "squee!": one rising squeak
            s = silence(0.42f);
            addChirp(s, rng, 0.0f, 0.38f, 900.0f, 1900.0f, 500.0f, 18.0f, 1.0f);
            break;
        case 1:  // "chk-chk-chirrr": quick chatter
            s = silence(0.6f);
            for (int k = 0; k < 4; ++k) {
                addChirp(s, rng, 0.02f + 0.11f * k, 0.08f, 1400.0f + 120.0f * k, 1100.0f, 300.0f,
                         30.0f, 0.9f);
            }
            addChirp(s, rng, 0.46f, 0.13f, 1300.0f, 1000.0f, 150.0f, 40.0f, 0.7f);
            break;
        default:  // "hmm-wheee?": a low grunt rising into a questioning whistle
            s = silence(0.62f);
            addChirp(s, rng, 0.0f, 0.22f, 420.0f, 520.0f, 80.0f, 12.0f, 1.0f);
            addChirp(s, rng, 0.24f, 0.36f, 1100.0f, 2100.0f, -200.0f, 9.0f, 0.85f);
            break;
    }
    finish(s, 0.85f);
    return s;
}

}  // namespace

bool generateSounds(const std::string& root) {
    const std::string dir = root + "/";
    using assetnames::inFolder;
    bool ok = writeOgg(dir + inFolder(assetnames::kShotSound), blasterShot());
    ok = writeOgg(dir + inFolder(assetnames::kExplosionSound), wetExplosion()) && ok;
    ok = writeOgg(dir + inFolder(assetnames::kClickSound), softClick()) && ok;
    for (int i = 0; i < assetnames::kOtterCryCount; ++i) {
        ok = writeWav(dir + inFolder(assetnames::kOtterCries[i]), otterCry(i)) && ok;
    }
    ok = writeMusic(dir + inFolder(assetnames::kSong)) && ok;
    return ok;
}

}  // namespace assetgen

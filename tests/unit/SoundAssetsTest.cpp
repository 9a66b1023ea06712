// Generated sounds: every effect decodes through SDL2_mixer and is audible; the song is sound.
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "sound/SdlAudioBackend.h"

namespace {

const char* const kEffects[] = {"detonation.ogg", "boom.ogg",    "clic.ogg",
                                "loutre1.wav",    "loutre2.wav", "loutre3.wav"};

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

class SoundAssetsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
        Mix_Init(MIX_INIT_OGG | MIX_INIT_MID);
        ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    }
    static void TearDownTestSuite() {
        Mix_CloseAudio();
        Mix_Quit();
        SDL_Quit();
    }
};

TEST_F(SoundAssetsTest, EveryEffectDecodesAndIsClearlyAudibleWithoutClipping) {
    for (const char* name : kEffects) {
        SCOPED_TRACE(name);
        Mix_Chunk* chunk = Mix_LoadWAV((std::string("ressources/sons/") + name).c_str());
        ASSERT_NE(chunk, nullptr) << Mix_GetError();
        const int16_t* samples = reinterpret_cast<const int16_t*>(chunk->abuf);
        const size_t count = chunk->alen / sizeof(int16_t);
        double sumSquares = 0.0;
        int peak = 0;
        for (size_t i = 0; i < count; ++i) {
            sumSquares += double(samples[i]) * samples[i];
            peak = std::max(peak, std::abs(int(samples[i])));
        }
        const double rms = std::sqrt(sumSquares / std::max<size_t>(count, 1));
        EXPECT_GT(count / 2, 44100u / 50) << "shorter than 20 ms";
        EXPECT_LT(count / 2, 44100u * 3) << "longer than 3 s";
        EXPECT_GT(rms, 1000.0);
        EXPECT_GT(peak, 12000);
        EXPECT_LT(peak, 32767) << "clipped";
        Mix_FreeChunk(chunk);
    }
}

TEST_F(SoundAssetsTest, TheSongLoadsAsMidiMusic) {
    Mix_Music* music = Mix_LoadMUS("ressources/sons/musique.mid");
    ASSERT_NE(music, nullptr) << Mix_GetError();
    EXPECT_EQ(Mix_GetMusicType(music), MUS_MID);
    Mix_FreeMusic(music);
}

using Instrument = std::pair<int, int>;  // bank, program; the drum kit is bank 128

// The presets a SoundFont (SF2, or SF3 which shares its layout) offers, from its 'phdr' chunk;
// the sample data is skipped, not read.
std::set<Instrument> fontPresets(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    auto u32 = [&in] {
        uint8_t b[4] = {};
        in.read(reinterpret_cast<char*>(b), 4);
        return uint32_t(b[0] | b[1] << 8 | b[2] << 16 | uint32_t(b[3]) << 24);
    };
    std::set<Instrument> presets;
    char id[4];
    in.seekg(12);  // "RIFF", size, "sfbk"
    while (in.read(id, 4)) {
        const uint32_t size = u32();
        if (std::string(id, 4) == "LIST") {
            in.seekg(4, std::ios::cur);  // the list's type; its chunks follow
            continue;
        }
        if (std::string(id, 4) == "phdr") {
            for (uint32_t i = 0; i + 38 <= size; i += 38) {
                uint8_t record[38];
                in.read(reinterpret_cast<char*>(record), 38);
                presets.insert({record[22] | record[23] << 8, record[20] | record[21] << 8});
            }
            return presets;
        }
        in.seekg(size + (size & 1), std::ios::cur);
    }
    return presets;
}

// Reads the song as a MIDI file: one well-formed track, a tempo, notes on the drum channel and
// on melodic channels, every note released, and a length of one to two minutes. Every
// instrument it plays must be in the General MIDI fonts the game may pick, or those notes
// would be silent or played by a stand-in.
TEST(SongFile, IsAWellFormedLoopOfOneToTwoMinutesPlayableWithTheGameFonts) {
    const std::vector<uint8_t> midi = readFile("ressources/sons/musique.mid");
    ASSERT_GE(midi.size(), 22u);
    ASSERT_EQ(std::string(midi.begin(), midi.begin() + 4), "MThd");
    const int division = midi[12] << 8 | midi[13];
    ASSERT_GT(division, 0);
    ASSERT_EQ(std::string(midi.begin() + 14, midi.begin() + 18), "MTrk");
    const size_t length = size_t(midi[18]) << 24 | midi[19] << 16 | midi[20] << 8 | midi[21];
    ASSERT_EQ(22 + length, midi.size());

    size_t pos = 22;
    long tick = 0;
    int tempo = 500000;
    int openNotes = 0, drumNotes = 0, melodicNotes = 0;
    bool ended = false;
    uint8_t status = 0;
    int programs[16] = {};
    std::set<Instrument> used;
    while (pos < midi.size() && !ended) {
        uint32_t delta = 0;
        uint8_t byte;
        do {
            byte = midi[pos++];
            delta = delta << 7 | (byte & 0x7F);
        } while ((byte & 0x80) && pos < midi.size());
        tick += delta;
        ASSERT_LT(pos, midi.size());
        if (midi[pos] & 0x80)
            status = midi[pos++];
        if (status == 0xFF) {
            const uint8_t type = midi[pos++];
            const uint8_t size = midi[pos++];
            if (type == 0x51)
                tempo = midi[pos] << 16 | midi[pos + 1] << 8 | midi[pos + 2];
            if (type == 0x2F)
                ended = true;
            pos += size;
            continue;
        }
        const int kind = status & 0xF0, channel = status & 0x0F;
        if (kind == 0xC0 || kind == 0xD0) {
            if (kind == 0xC0)
                programs[channel] = midi[pos];
            pos += 1;
            continue;
        }
        const uint8_t velocity = midi[pos + 1];
        if (kind == 0x90 && velocity > 0) {
            ++openNotes;
            (channel == 9 ? drumNotes : melodicNotes)++;
            used.insert(channel == 9 ? Instrument{128, programs[9]}
                                     : Instrument{0, programs[channel]});
        } else if (kind == 0x80 || (kind == 0x90 && velocity == 0)) {
            --openNotes;
        }
        pos += 2;
    }
    EXPECT_TRUE(ended);
    EXPECT_EQ(pos, midi.size());
    EXPECT_EQ(openNotes, 0);
    EXPECT_GT(drumNotes, 500);
    EXPECT_GT(melodicNotes, 500);
    const double seconds = double(tick) / division * tempo / 1e6;
    EXPECT_GE(seconds, 60.0);
    EXPECT_LE(seconds, 120.0);

    int fontsChecked = 0;
    for (const std::string& font : SdlAudioBackend::defaultSoundFonts()) {
        if (!std::ifstream(font)) {
            continue;
        }
        ++fontsChecked;
        const std::set<Instrument> presets = fontPresets(font);
        for (const Instrument& instrument : used) {
            EXPECT_EQ(presets.count(instrument), 1u)
                << font << " lacks bank " << instrument.first << " program " << instrument.second;
        }
    }
    EXPECT_GT(fontsChecked, 0) << "no General MIDI font installed";
    EXPECT_GE(used.size(), 5u) << "four melodic instruments and the drum kit";
}

}  // namespace

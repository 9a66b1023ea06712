// SdlAudioBackend on real SDL2_mixer writing to a file: effects, volumes, MIDI and its sound
// font, streams, no device.
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "sound/SdlAudioBackend.h"
#include "sound/SoundManager.h"
#include "tests/support/TestSoundFiles.h"

namespace {

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Bytes this process has read from files so far, all threads together: a sound font loaded by
// FluidSynth is read in full, so it shows here whoever opened it.
long long bytesRead() {
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value) {
        if (key == "rchar:") {
            return value;
        }
    }
    return -1;
}

// SDL's disk driver mixes in real time into a raw file, so what the mixer played can be read
// back afterwards.
class SdlAudioTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = testsound::makeScratchDir();
        output = dir + "out.raw";
        driver.emplace("SDL_AUDIODRIVER", "disk");
        diskFile.emplace("SDL_DISKAUDIOFILE", output);
    }
    void TearDown() override {
        audio.stop();
        testsound::removeScratchDir(dir);
    }

    void startAudio() {
        ASSERT_TRUE(audio.start(44100, 32));
        int rate = 0;
        Uint16 format = 0;
        int channels = 0;
        ASSERT_EQ(Mix_QuerySpec(&rate, &format, &channels), 1);
        ASSERT_EQ(format, AUDIO_S16SYS);
        ASSERT_EQ(channels, 2);
        ASSERT_EQ(rate, 44100);
    }

    std::vector<short> stopAndRead() {
        audio.stop();
        return testsound::readRawS16(output);
    }

    // The mixer runs on its own thread, which a loaded machine may hold back: waits (boundedly)
    // until the output holds ms more of sound than fromSamples; answers its sample count.
    std::size_t waitForOutput(std::size_t fromSamples, int ms) {
        const std::size_t wanted = fromSamples + static_cast<std::size_t>(ms) * 44100 / 1000 * 2;
        std::size_t have = 0;
        for (int waited = 0; waited < 5000; waited += 10) {
            have = testsound::readRawS16(output).size();
            if (have >= wanted) {
                break;
            }
            sleepMs(10);
        }
        return have;
    }

    std::string dir;
    std::string output;
    std::optional<testsound::ScopedEnv> driver;
    std::optional<testsound::ScopedEnv> diskFile;
    SdlAudioBackend audio;
};

TEST_F(SdlAudioTest, AnEffectIsHeardAtItsChannelVolume) {
    startAudio();
    ASSERT_TRUE(testsound::writeWav(dir + "tone.wav", 0.15, 440.0, 0.6));
    const SampleHandle tone = audio.loadSample(dir + "tone.wav");
    ASSERT_NE(tone, SampleHandle::None);

    const int channel = audio.playSample(tone);
    ASSERT_GE(channel, 0);
    ASSERT_LT(channel, 32);
    audio.setChannelVolume(channel, 255);
    // A play call that found no channel hands on -1; that must not silence every channel.
    audio.setChannelVolume(-1, 0);
    EXPECT_EQ(Mix_Volume(channel, -1), MIX_MAX_VOLUME);
    for (int waited = 0; waited < 3000 && Mix_Playing(channel) != 0; waited += 10) {
        sleepMs(10);
    }
    const std::vector<short> full = stopAndRead();
    EXPECT_GT(testsound::peak(full, 0, full.size()), 15000);
}

TEST_F(SdlAudioTest, GameVolumesMapOntoTheMixerScaleAndClamp) {
    startAudio();
    ASSERT_TRUE(testsound::writeWav(dir + "tone.wav", 2.0, 440.0));
    const SampleHandle tone = audio.loadSample(dir + "tone.wav");
    const int channel = audio.playSample(tone);
    ASSERT_GE(channel, 0);
    const struct {
        int game;
        int mixer;
    } cases[] = {{0, 0}, {-5, 0}, {1, 1}, {100, 51}, {254, 128}, {255, 128}, {265, 128}};
    for (const auto& c : cases) {
        audio.setChannelVolume(channel, c.game);
        EXPECT_EQ(Mix_Volume(channel, -1), c.mixer) << "game volume " << c.game;
    }
    // The music has no channel of its own: the number after the effect channels stands for it.
    audio.setChannelVolume(32, 100);
    EXPECT_EQ(Mix_VolumeMusic(-1), 51);
    audio.setChannelVolume(40, 10);  // past that, nothing
    EXPECT_EQ(Mix_VolumeMusic(-1), 51);
    audio.setChannelVolume(32, 255);

    // Freeing a sample still playing silences its channel; a second free is harmless.
    audio.freeSample(tone);
    EXPECT_EQ(Mix_Playing(channel), 0);
    audio.freeSample(tone);
    EXPECT_EQ(audio.playSample(tone), -1);
}

TEST_F(SdlAudioTest, AMidiSongHeldPausedIsSilentUntilUnpausedThenPausesAndResumes) {
    startAudio();
    ASSERT_TRUE(testsound::writeMidi(dir + "song.mid", 3.0));
    const SongHandle song = audio.loadSong(dir + "song.mid");
    ASSERT_NE(song, SongHandle::None) << Mix_GetError();
    audio.setSongPaused(song, true);
    audio.playSong(song);
    audio.setSongVolume(song, 100);
    EXPECT_EQ(Mix_VolumeMusic(-1), 51);
    audio.setSongVolume(song, 255);
    EXPECT_TRUE(audio.isSongPaused(song));
    const std::size_t held = waitForOutput(0, 150);

    audio.setSongPaused(song, false);
    EXPECT_FALSE(audio.isSongPaused(song));
    const std::size_t paused = waitForOutput(held, 400);
    audio.setSongPaused(song, true);
    // The mixer may already have mixed a buffer or two when the pause comes.
    const std::size_t settled = paused + 4 * 2048;
    const std::size_t resumed = waitForOutput(settled, 300);
    audio.setSongPaused(song, false);
    waitForOutput(resumed, 400);

    // Freed while it plays: the music stops at once.
    audio.freeSong(song);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    audio.freeSong(song);
    EXPECT_TRUE(audio.isSongPaused(song));
    const std::vector<short> out = stopAndRead();
    EXPECT_EQ(testsound::peak(out, 0, held), 0) << "the song sounded while held";
    EXPECT_GT(testsound::peak(out, held, paused), 500);
    EXPECT_EQ(testsound::peak(out, settled, resumed), 0) << "the song sounded while paused";
    EXPECT_GT(testsound::peak(out, resumed, out.size()), 500) << "not resumed";
}

TEST_F(SdlAudioTest, OnlyTheChosenSoundFontIsRead) {
    ASSERT_TRUE(testsound::writeMidi(dir + "song.mid", 0.5));
    std::string installed;
    for (const std::string& font : SdlAudioBackend::defaultSoundFonts()) {
        if (installed.empty() && access(font.c_str(), R_OK) == 0) {
            installed = font;
        }
    }
    ASSERT_FALSE(installed.empty()) << "no General MIDI font installed";
    // The player's own font (here a copy of the installed one) wins over the installed ones.
    const std::string player = dir + "player.sf2";
    {
        std::ifstream in(installed, std::ios::binary);
        std::ofstream(player, std::ios::binary) << in.rdbuf();
    }
    for (const std::string& chosen : {installed, player}) {
        testsound::ScopedEnv fonts("SDL_SOUNDFONTS", chosen == player ? player : "");
        struct stat font;
        ASSERT_EQ(stat(chosen.c_str(), &font), 0);
        const long long before = bytesRead();
        SdlAudioBackend backend;
        ASSERT_TRUE(backend.start(44100, 32));
        EXPECT_EQ(backend.soundFont(), chosen);
        EXPECT_NE(backend.loadSong(dir + "song.mid"), SongHandle::None) << Mix_GetError();
        const long long read = bytesRead() - before;
        backend.stop();
        // The chosen font once, and nothing of the size of another font besides.
        EXPECT_GE(read, font.st_size);
        EXPECT_LT(read, font.st_size + (4 << 20)) << "another sound font was read";
    }
}

TEST_F(SdlAudioTest, WithoutASoundFontTheMusicIsSilentAndEffectsStillPlay) {
    ASSERT_EQ(mkdir((dir + "sons").c_str(), 0755), 0);
    ASSERT_TRUE(testsound::writeMidi(dir + "sons/musique.mid", 1.0));
    ASSERT_TRUE(testsound::writeOgg(dir + "sons/detonation.ogg", 0.3, 440.0));
    testsound::ScopedEnv fonts("SDL_SOUNDFONTS", dir + "missing.sf2");
    const long long before = bytesRead();
    auto backend = std::make_unique<SdlAudioBackend>(std::vector<std::string>{});
    const SdlAudioBackend* seen = backend.get();
    std::size_t silent = 0;
    {
        SoundManager sound(std::move(backend), dir);
        EXPECT_TRUE(seen->soundFont().empty());
        sound.setMusicVolume(255);
        sound.toggleMusic();
        EXPECT_EQ(sound.musicState(), MusicState::Song);
        EXPECT_LT(bytesRead() - before, 1 << 20) << "a sound font was read";
        silent = waitForOutput(0, 300);
        sound.setEffectsVolume(255);
        sound.playShot();
        waitForOutput(silent, 400);
    }
    const std::vector<short> out = testsound::readRawS16(output);
    EXPECT_EQ(testsound::peak(out, 0, silent), 0) << "music without a font";
    EXPECT_GT(testsound::peak(out, silent, out.size()), 5000) << "the shot";
}

TEST_F(SdlAudioTest, AnOggStreamReportsItsLengthAndAMovingPosition) {
    startAudio();
    ASSERT_TRUE(testsound::writeOgg(dir + "track.ogg", 1.5, 440.0));
    const StreamHandle stream = audio.openStream(dir + "track.ogg");
    ASSERT_NE(stream, StreamHandle::None);
    const int length = audio.streamLengthMs(stream);
    EXPECT_NEAR(length, 1500, 5);

    // Polled, not slept for: the track is long enough that a late wake-up still finds it playing.
    EXPECT_EQ(audio.playStream(stream), 32);
    int position = 0;
    for (int waited = 0; waited < 5000 && position < 100; waited += 5) {
        sleepMs(5);
        position = audio.streamPositionMs(stream);
    }
    EXPECT_GE(position, 100) << "the position does not move";
    EXPECT_LT(position, length) << "counted as ended while it plays";

    for (int waited = 0; waited < 10000 && audio.streamPositionMs(stream) < length; waited += 10) {
        sleepMs(10);
    }
    EXPECT_EQ(audio.streamPositionMs(stream), length) << "ended";
    audio.closeStream(stream);
    EXPECT_EQ(audio.streamLengthMs(stream), 0);
}

TEST_F(SdlAudioTest, EmptyAndStaleHandlesAreHarmless) {
    startAudio();
    EXPECT_EQ(audio.loadSample(dir + "missing.wav"), SampleHandle::None);
    EXPECT_EQ(audio.loadSong(dir + "missing.mid"), SongHandle::None);
    // A song cut short is refused: looped by the mixer it would restart without pause.
    ASSERT_TRUE(testsound::writeMidi(dir + "cut.mid", 1.0));
    ASSERT_EQ(truncate((dir + "cut.mid").c_str(), 40), 0);
    EXPECT_EQ(audio.loadSong(dir + "cut.mid"), SongHandle::None);
    const StreamHandle missing = audio.openStream(dir + "missing.ogg");
    EXPECT_EQ(missing, StreamHandle::None);
    EXPECT_EQ(audio.openStream(""), StreamHandle::None);
    EXPECT_EQ(audio.openStream(dir), StreamHandle::None) << "a directory is no stream";
    // An empty stream counts as ended: position and length both 0.
    EXPECT_EQ(audio.streamLengthMs(missing), 0);
    EXPECT_EQ(audio.streamPositionMs(missing), 0);
    EXPECT_EQ(audio.playStream(missing), -1);
    EXPECT_EQ(audio.playSample(SampleHandle::None), -1);
    audio.closeStream(missing);
    audio.freeSample(SampleHandle::None);
    audio.playSong(SongHandle::None);
    audio.setSongPaused(SongHandle::None, false);
    audio.setSongVolume(SongHandle::None, 300);
    audio.freeSong(SongHandle::None);

    // A stream closed twice, or used after close.
    ASSERT_TRUE(testsound::writeOgg(dir + "t.ogg", 0.1, 440.0));
    const StreamHandle stream = audio.openStream(dir + "t.ogg");
    audio.closeStream(stream);
    audio.closeStream(stream);
    EXPECT_EQ(audio.playStream(stream), -1);
    audio.stop();
    audio.stop();
}

TEST_F(SdlAudioTest, NoDeviceLeavesTheGameRunningSilently) {
    driver.emplace("SDL_AUDIODRIVER", "nonexistent");
    ASSERT_TRUE(testsound::writeWav(dir + "tone.wav", 0.05, 440.0));
    EXPECT_FALSE(audio.start(44100, 32));
    EXPECT_EQ(audio.loadSample(dir + "tone.wav"), SampleHandle::None);
    audio.setChannelVolume(0, 100);
    audio.setChannelVolume(32, 100);
    audio.stop();
}

}  // namespace

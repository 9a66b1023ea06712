// SdlAudioBackend on real SDL2_mixer writing to a file: effects, volumes, MIDI, streams, no device.
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
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

TEST_F(SdlAudioTest, OggFilesLoadAsEffects) {
    startAudio();
    ASSERT_TRUE(testsound::writeOgg(dir + "shot.ogg", 0.05, 440.0));
    EXPECT_NE(audio.loadSample(dir + "shot.ogg"), SampleHandle::None) << Mix_GetError();
}

TEST_F(SdlAudioTest, GameVolumesMapOntoTheMixerScaleAndClamp) {
    startAudio();
    ASSERT_TRUE(testsound::writeWav(dir + "tone.wav", 0.05, 440.0));
    const int channel = audio.playSample(audio.loadSample(dir + "tone.wav"));
    ASSERT_GE(channel, 0);
    const struct {
        int game;
        int mixer;
    } cases[] = {{0, 0}, {-5, 0}, {1, 1}, {100, 51}, {254, 128}, {255, 128}, {265, 128}};
    for (const auto& c : cases) {
        audio.setChannelVolume(channel, c.game);
        EXPECT_EQ(Mix_Volume(channel, -1), c.mixer) << "game volume " << c.game;
    }
    // Channels past the effect channels, other than the music one, are left alone.
    audio.setChannelVolume(40, 10);
}

TEST_F(SdlAudioTest, AHeldMidiSongIsSilentUntilUnpaused) {
    startAudio();
    ASSERT_TRUE(testsound::writeMidi(dir + "song.mid", 1.0));
    const SongHandle song = audio.loadSong(dir + "song.mid");
    ASSERT_NE(song, SongHandle::None) << Mix_GetError();
    audio.setSongPaused(song, true);
    audio.playSong(song);
    audio.setSongVolume(song, 255);
    EXPECT_TRUE(audio.isSongPaused(song));
    const std::size_t heldSamples = waitForOutput(0, 150);

    audio.setSongPaused(song, false);
    EXPECT_FALSE(audio.isSongPaused(song));
    waitForOutput(heldSamples, 400);
    const std::vector<short> out = stopAndRead();
    EXPECT_EQ(testsound::peak(out, 0, heldSamples), 0) << "the song sounded while held";
    EXPECT_GT(testsound::peak(out, heldSamples, out.size()), 500);
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
    audio.stop();

    // The whole manager on that device: every call is harmless.
    SoundManager sound(std::make_unique<SdlAudioBackend>(), dir);
    EXPECT_FALSE(sound.effectsEnabled());
    EXPECT_EQ(sound.musicState(), MusicState::Stopped);
    sound.setEffectsEnabled(true);
    sound.playShot();
    sound.playOtterCry();
    sound.playExplosion();
    sound.playClick();
    sound.setMusicVolume(300);
    sound.setMusicEnabled(true);
    sound.update();
    sound.setMusicEnabled(false);
    EXPECT_EQ(sound.musicState(), MusicState::Stopped);
}

}  // namespace

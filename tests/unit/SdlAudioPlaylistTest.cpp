// A playlist on real SDL2_mixer: the second track follows the first without cutting it.
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "sound/SdlAudioBackend.h"
#include "sound/SoundManager.h"
#include "tests/support/TestSoundFiles.h"

namespace {

constexpr int kFramesPerMs = 44;  // 44.1 kHz, close enough for 1 ms blocks

TEST(SdlAudioPlaylist, TheNextTrackStartsOnlyAfterTheCurrentOneHasPlayedOut) {
    const std::string dir = testsound::makeScratchDir();
    const std::string output = dir + "out.raw";
    const testsound::ScopedEnv driver("SDL_AUDIODRIVER", "disk");
    const testsound::ScopedEnv diskFile("SDL_DISKAUDIOFILE", output);

    // Same pitch, told apart by loudness: a quiet first track, a loud second one.
    ASSERT_EQ(mkdir((dir + "playlist").c_str(), 0755), 0);
    ASSERT_TRUE(testsound::writeOgg(dir + "quiet.ogg", 0.5, 1000.0, 0.3));
    ASSERT_TRUE(testsound::writeOgg(dir + "loud.ogg", 0.5, 1000.0, 0.8));
    ASSERT_TRUE(testsound::writeText(dir + "playlist/base_repertoire.txt", dir + "\n"));
    ASSERT_TRUE(testsound::writeText(dir + "playlist/playlist.m3u", "quiet.ogg\nloud.ogg\n"));

    {
        SoundManager sound(std::make_unique<SdlAudioBackend>(), dir);
        ASSERT_TRUE(sound.playlist().isLoaded());
        sound.playlist().setRandom(false);
        sound.setMusicVolume(255);
        sound.toggleMusic();
        ASSERT_EQ(sound.playlist().currentIndex(), 0);
        // The game's idle step, every few milliseconds, until the second track has begun and
        // played for a while.
        const auto begin = std::chrono::steady_clock::now();
        auto elapsedMs = [&] {
            return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::steady_clock::now() - begin)
                                        .count());
        };
        int loudStartedAtMs = -1;
        // Generous bound: a loaded machine may hold the mixer thread back; the loop normally
        // ends well before it.
        while (elapsedMs() < 8000) {
            sound.update();
            if (loudStartedAtMs < 0 && sound.playlist().currentIndex() == 1) {
                loudStartedAtMs = elapsedMs();
            }
            if (loudStartedAtMs >= 0 && elapsedMs() - loudStartedAtMs > 300) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        ASSERT_GE(loudStartedAtMs, 0) << "the second track never started";
        ASSERT_GE(loudStartedAtMs, 450) << "the second track came too early";
    }

    // Classify every 1 ms block of the left channel by its peak.
    const std::vector<short> out = testsound::readRawS16(output);
    int quietMs = 0;
    int loudMs = 0;
    bool quietAfterLoud = false;
    for (std::size_t start = 0; start + 2 * kFramesPerMs <= out.size(); start += 2 * kFramesPerMs) {
        int blockPeak = 0;
        for (std::size_t i = start; i < start + 2 * kFramesPerMs; i += 2) {
            blockPeak = std::max(blockPeak, std::abs(static_cast<int>(out[i])));
        }
        if (blockPeak > 6000 && blockPeak < 14000) {
            quietMs += 1;
            quietAfterLoud = quietAfterLoud || loudMs > 0;
        } else if (blockPeak > 20000) {
            loudMs += 1;
        }
    }
    // 1 ms of the 1000 Hz tone holds one period, so a block's peak is the tone's amplitude.
    EXPECT_NEAR(quietMs, 500, 5) << "the first track was cut";
    EXPECT_GT(loudMs, 100) << "the second track did not play";
    EXPECT_FALSE(quietAfterLoud) << "the tracks overlapped or came back out of order";
    testsound::removeScratchDir(dir);
}

}  // namespace

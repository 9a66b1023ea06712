// SoundManager on the recording layer: start-up, effects, volumes, the music toggle, the playlist.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "sound/SoundManager.h"
#include "tests/support/FakeAudioBackend.h"
#include "tests/support/TestSoundFiles.h"

namespace {

class SoundManagerTest : public ::testing::Test {
protected:
    void SetUp() override { dir = testsound::makeScratchDir(); }
    void TearDown() override {
        manager.reset();
        testsound::removeScratchDir(dir);
    }

    // A ressources folder with a playlist of the given text (base directory "m").
    void addPlaylist(const std::string& m3u) {
        const std::string folder = dir + "playlist";
        ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
        ASSERT_TRUE(testsound::writeText(folder + "/base_repertoire.txt", "m\n"));
        ASSERT_TRUE(testsound::writeText(folder + "/playlist.m3u", m3u));
    }

    SoundManager& build() {
        auto fake = std::make_unique<FakeAudioBackend>();
        fake->startSucceeds = startSucceeds;
        fake->missingFiles = missingFiles;
        fake->streamLengthMsForNewStreams = streamLengthMs;
        audio = fake.get();
        manager = std::make_unique<SoundManager>(std::move(fake), dir);
        loadCalls = audio->calls;
        audio->calls.clear();
        probes = audio->streams.size();
        return *manager;
    }

    // Streams opened to play, after those loading opened to find out whether any entry plays.
    size_t played() const { return audio->streams.size() - probes; }
    FakeAudioBackend::Stream& playedStream(size_t i) { return audio->streams.at(probes + i); }

    int countCalls(const std::string& prefix) const {
        return static_cast<int>(
            std::count_if(audio->calls.begin(), audio->calls.end(),
                          [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
    }

    FakeAudioBackend::Song& song() { return audio->songs.at(0); }

    std::string dir;
    bool startSucceeds = true;
    std::set<std::string> missingFiles;
    int streamLengthMs = 180000;
    std::vector<std::string> loadCalls;
    size_t probes = 0;
    FakeAudioBackend* audio = nullptr;
    std::unique_ptr<SoundManager> manager;
};

// Which file each effect plays is checked by the effect tests below.
TEST_F(SoundManagerTest, StartsTheLayerFirstAndLoadsTheSixEffects) {
    auto fake = std::make_unique<FakeAudioBackend>();
    FakeAudioBackend* seen = fake.get();
    SoundManager sound(std::move(fake), dir);
    EXPECT_EQ(seen->calls.front(), "start 44100 32");
    EXPECT_EQ(seen->loadedSamples.size(), 6u);
    EXPECT_TRUE(sound.effectsEnabled());
    EXPECT_EQ(sound.effectsVolume(), 100);
    EXPECT_EQ(sound.musicVolume(), 100);
    EXPECT_EQ(sound.musicState(), MusicState::Stopped);
}

TEST_F(SoundManagerTest, WithoutPlaylistTheSongWaitsPausedAtTheMusicVolume) {
    auto fake = std::make_unique<FakeAudioBackend>();
    FakeAudioBackend* seen = fake.get();
    SoundManager sound(std::move(fake), dir);
    ASSERT_EQ(seen->songs.size(), 1u);
    const FakeAudioBackend::Song& s = seen->songs[0];
    EXPECT_EQ(s.path, dir + "sons/musique.mid");
    EXPECT_TRUE(s.playing);
    EXPECT_TRUE(s.paused);
    EXPECT_EQ(s.volume, 100);
    // Held paused before it is started, so not a note is heard.
    const auto pause = std::find(seen->calls.begin(), seen->calls.end(), "setSongPaused 1 1");
    const auto play = std::find(seen->calls.begin(), seen->calls.end(), "playSong 1");
    EXPECT_LT(pause, play);
    EXPECT_FALSE(sound.playlist().isLoaded());
}

TEST_F(SoundManagerTest, WithPlaylistNothingPlaysAndTheOrderIsRandom) {
    addPlaylist("a.ogg\nb.ogg\n");
    SoundManager& sound = build();
    EXPECT_TRUE(sound.playlist().isLoaded());
    EXPECT_TRUE(sound.playlist().isRandom());
    EXPECT_TRUE(sound.musicFromPlaylist());
    EXPECT_TRUE(audio->songs.empty());
    // Loading only checks that one entry plays: the first is opened and closed, not played.
    ASSERT_EQ(probes, 1u);
    EXPECT_EQ(audio->streams[0].path, "m/a.ogg");
    EXPECT_TRUE(audio->streams[0].closed);
    EXPECT_FALSE(audio->streams[0].played);
    sound.update();
    EXPECT_EQ(played(), 0u);
}

// The audio options announce the playlist only when one of its entries plays. Entries that
// are missing, empty or not audio are found at load, never opened again, and with none left
// the song is ready in the playlist's place.
TEST_F(SoundManagerTest, APlaylistIsUsedOnlyWhenOneOfItsEntriesPlays) {
    addPlaylist("gone.ogg\nnot-audio.txt\nlast.ogg\n");
    missingFiles = {"m/gone.ogg", "m/not-audio.txt"};
    SoundManager& sound = build();
    EXPECT_TRUE(sound.musicFromPlaylist());
    EXPECT_EQ(std::count(loadCalls.begin(), loadCalls.end(), "openStream m/last.ogg"), 1);
    sound.playlist().setRandom(false);
    sound.setMusicEnabled(true);
    EXPECT_EQ(countCalls("openStream"), 1) << "straight to the entry that plays";
    EXPECT_EQ(audio->lastStream()->path, "m/last.ogg");

    for (const bool empty : {false, true}) {
        manager.reset();
        missingFiles = {"m/gone.ogg", "m/not-audio.txt"};
        if (empty) {
            streamLengthMs = 0;  // the last entry opens, but holds nothing
        } else {
            missingFiles.insert("m/last.ogg");
        }
        SoundManager& none = build();
        EXPECT_TRUE(none.playlist().isLoaded());
        EXPECT_FALSE(none.musicFromPlaylist()) << empty;
        EXPECT_EQ(std::count_if(loadCalls.begin(), loadCalls.end(),
                                [](const std::string& c) { return c.rfind("openStream", 0) == 0; }),
                  3);
        ASSERT_EQ(audio->songs.size(), 1u);
        EXPECT_TRUE(song().paused);
        none.setMusicEnabled(true);
        none.update();
        EXPECT_EQ(none.musicState(), MusicState::Song);
        EXPECT_FALSE(song().paused);
        EXPECT_EQ(countCalls("openStream"), 0);
    }
}

TEST_F(SoundManagerTest, ADeviceThatWillNotOpenLeavesEverythingHarmless) {
    startSucceeds = false;
    addPlaylist("a.ogg\n");
    SoundManager& sound = build();
    EXPECT_FALSE(sound.effectsEnabled());
    EXPECT_EQ(sound.musicState(), MusicState::Stopped);
    EXPECT_TRUE(audio->loadedSamples.empty());
    EXPECT_TRUE(audio->songs.empty());
    EXPECT_FALSE(sound.playlist().isLoaded());

    // The configuration may switch everything on again: the calls go through on empty handles.
    sound.setEffectsEnabled(true);
    sound.playShot();
    sound.playExplosion();
    sound.setMusicEnabled(true);
    sound.setMusicVolume(50);
    sound.update();
    EXPECT_TRUE(audio->effects.empty());
    EXPECT_EQ(sound.musicState(), MusicState::Song);
    sound.setMusicEnabled(true);
    EXPECT_EQ(sound.musicState(), MusicState::Stopped);
}

TEST_F(SoundManagerTest, EffectsPlayAtTheEffectsVolumeAndTheExplosionTenAbove) {
    SoundManager& sound = build();
    sound.setEffectsVolume(250);
    sound.playShot();
    sound.playClick();
    sound.playExplosion();
    ASSERT_EQ(audio->effects.size(), 3u);
    EXPECT_EQ(audio->effects[0].path, dir + "sons/detonation.ogg");
    EXPECT_EQ(audio->effects[1].path, dir + "sons/clic.ogg");
    EXPECT_EQ(audio->effects[2].path, dir + "sons/boom.ogg");
    EXPECT_EQ(audio->channelVolumes[audio->effects[0].channel], 250);
    EXPECT_EQ(audio->channelVolumes[audio->effects[1].channel], 250);
    // Passed on unclamped; the layer caps it.
    EXPECT_EQ(audio->channelVolumes[audio->effects[2].channel], 260);
    sound.setEffectsVolume(-5);
    sound.playShot();
    EXPECT_EQ(audio->channelVolumes[audio->effects[3].channel], 0);
}

TEST_F(SoundManagerTest, EffectsOffSilencesEffectsButNotMusic) {
    SoundManager& sound = build();
    sound.setMusicEnabled(true);
    sound.setEffectsEnabled(false);
    sound.playShot();
    sound.playOtterCry();
    sound.playExplosion();
    sound.playClick();
    EXPECT_EQ(countCalls("playSample"), 0);
    EXPECT_FALSE(song().paused);
    EXPECT_EQ(sound.musicState(), MusicState::Song);
}

TEST_F(SoundManagerTest, MissingEffectFilesStaySilent) {
    auto fake = std::make_unique<FakeAudioBackend>();
    fake->missingFiles = {dir + "sons/detonation.ogg", dir + "sons/musique.mid"};
    FakeAudioBackend* seen = fake.get();
    SoundManager sound(std::move(fake), dir);
    sound.playShot();
    sound.setMusicEnabled(true);
    sound.setMusicVolume(10);
    EXPECT_TRUE(seen->effects.empty());
    EXPECT_EQ(sound.musicState(), MusicState::Song);
}

TEST_F(SoundManagerTest, OtterCriesAlwaysPickOneOfTheThree) {
    SoundManager& sound = build();
    const std::set<std::string> cries = {dir + "sons/loutre1.wav", dir + "sons/loutre2.wav",
                                         dir + "sons/loutre3.wav"};
    std::srand(12345);
    std::set<std::string> heard;
    for (int i = 0; i < 5000; ++i) {
        sound.playOtterCry();
    }
    ASSERT_EQ(audio->effects.size(), 5000u);
    for (const auto& effect : audio->effects) {
        ASSERT_EQ(cries.count(effect.path), 1u) << effect.path;
        heard.insert(effect.path);
    }
    EXPECT_EQ(heard, cries);
}

TEST_F(SoundManagerTest, SongToggleResumesWhereItPaused) {
    SoundManager& sound = build();
    sound.setMusicEnabled(false);  // Stopped + off: nothing at all
    EXPECT_TRUE(audio->calls.empty());
    EXPECT_EQ(sound.musicState(), MusicState::Stopped);

    sound.setMusicEnabled(true);
    EXPECT_EQ(sound.musicState(), MusicState::Song);
    EXPECT_FALSE(song().paused);
    EXPECT_EQ(countCalls("playSong"), 0) << "resumed, not restarted";

    sound.setMusicEnabled(true);  // a toggle while it plays: stops it
    EXPECT_EQ(sound.musicState(), MusicState::Stopped);
    EXPECT_TRUE(song().paused);

    sound.setMusicEnabled(true);
    sound.setMusicEnabled(false);  // off while playing: stops it too
    EXPECT_EQ(sound.musicState(), MusicState::Stopped);
    EXPECT_TRUE(song().paused);
    EXPECT_EQ(countCalls("playSong"), 0);
}

TEST_F(SoundManagerTest, StreamToggleStartsANewTrackAndClosesIt) {
    addPlaylist("a.ogg\nb.ogg\nc.ogg\n");
    SoundManager& sound = build();
    sound.playlist().setRandom(false);
    sound.setMusicVolume(80);

    sound.setMusicEnabled(false);  // Stopped + off
    EXPECT_EQ(played(), 0u);

    sound.setMusicEnabled(true);
    EXPECT_EQ(sound.musicState(), MusicState::Stream);
    ASSERT_EQ(played(), 1u);
    EXPECT_EQ(playedStream(0).path, "m/a.ogg");
    EXPECT_TRUE(playedStream(0).played);
    EXPECT_EQ(audio->channelVolumes[FakeAudioBackend::kStreamChannel], 80);
    sound.setMusicVolume(-20);
    EXPECT_EQ(audio->channelVolumes[FakeAudioBackend::kStreamChannel], 0);
    sound.setMusicVolume(300);
    EXPECT_EQ(audio->channelVolumes[FakeAudioBackend::kStreamChannel], 255);

    sound.setMusicEnabled(true);  // toggle: stops
    EXPECT_EQ(sound.musicState(), MusicState::Stopped);
    EXPECT_TRUE(playedStream(0).closed);

    sound.setMusicEnabled(true);  // a new track, not the old one resumed
    ASSERT_EQ(played(), 2u);
    EXPECT_EQ(playedStream(1).path, "m/b.ogg");
    sound.setMusicEnabled(false);
    EXPECT_EQ(sound.musicState(), MusicState::Stopped);
    EXPECT_TRUE(playedStream(1).closed);
    EXPECT_EQ(audio->openStreamCount(), 0);
}

TEST_F(SoundManagerTest, TheConfigurationStartAlwaysStartsTheMusic) {
    addPlaylist("a.ogg\n");
    SoundManager& sound = build();
    sound.setMusicState(MusicState::Stopped);
    sound.setMusicEnabled(true);
    EXPECT_EQ(sound.musicState(), MusicState::Stream);
    ASSERT_EQ(played(), 1u);
    EXPECT_TRUE(playedStream(0).played);
}

TEST_F(SoundManagerTest, UpdateChangesTrackOnlyOnceTheCurrentOneHasEnded) {
    addPlaylist("a.ogg\nb.ogg\n");
    SoundManager& sound = build();
    sound.playlist().setRandom(false);
    sound.setMusicEnabled(true);
    ASSERT_EQ(played(), 1u);

    // Even in its last two seconds the track plays on: the next one waits for its end.
    playedStream(0).positionMs = playedStream(0).lengthMs - 1;
    sound.update();
    EXPECT_EQ(played(), 1u);

    audio->finishStream(static_cast<StreamHandle>(audio->streams.size()));
    sound.update();
    ASSERT_EQ(played(), 2u);
    EXPECT_EQ(playedStream(1).path, "m/b.ogg");
    EXPECT_TRUE(playedStream(1).played);
    EXPECT_TRUE(playedStream(0).closed) << "a finished stream is released";
    EXPECT_EQ(audio->channelVolumes[FakeAudioBackend::kStreamChannel], 100);

    // A long session keeps exactly one stream open.
    for (int i = 0; i < 50; ++i) {
        audio->finishStream(static_cast<StreamHandle>(audio->streams.size()));
        sound.update();
    }
    EXPECT_EQ(played(), 52u);
    EXPECT_EQ(audio->openStreamCount(), 1);
    EXPECT_EQ(audio->streams.back().path, "m/b.ogg");
}

// Broken entries are passed over and never opened again; when none plays, the song does.
TEST_F(SoundManagerTest, UnplayableEntriesAreTriedOnceAndAllOfThemGiveWayToTheSong) {
    addPlaylist("gone.ogg\nb.ogg\nempty.ogg\n");
    SoundManager& sound = build();
    audio->missingFiles = {"m/gone.ogg"};
    sound.setMusicEnabled(true);  // random order, as the game plays it
    ASSERT_FALSE(audio->streams.empty());
    for (int step = 0; step < 200; ++step) {
        audio->finishStream(static_cast<StreamHandle>(audio->streams.size()));
        sound.update();
    }
    EXPECT_EQ(countCalls("openStream m/gone.ogg"), 1);
    EXPECT_EQ(audio->openStreamCount(), 1);

    audio->missingFiles.insert("m/b.ogg");
    audio->streamLengthMsForNewStreams = 0;  // opens, but holds nothing
    audio->calls.clear();
    audio->finishStream(static_cast<StreamHandle>(audio->streams.size()));
    for (int step = 0; step < 200; ++step) {
        sound.update();
    }
    EXPECT_EQ(countCalls("openStream"), 2) << "b and empty, once each";
    EXPECT_EQ(audio->openStreamCount(), 0);
    EXPECT_EQ(sound.musicState(), MusicState::Song);
    EXPECT_FALSE(sound.musicFromPlaylist());
    ASSERT_EQ(audio->songs.size(), 1u);
    EXPECT_FALSE(song().paused);
}

// A playlist file with no entry would leave nothing to play: the song takes its place.
TEST_F(SoundManagerTest, AnEmptyPlaylistFallsBackToTheSong) {
    addPlaylist("#EXTM3U\n");
    SoundManager& sound = build();
    EXPECT_TRUE(sound.playlist().isLoaded());
    EXPECT_FALSE(sound.musicFromPlaylist()) << "not announced as a playlist that will play";
    sound.setMusicEnabled(true);
    sound.update();
    EXPECT_EQ(sound.musicState(), MusicState::Song);
    EXPECT_FALSE(song().paused);
    EXPECT_TRUE(audio->streams.empty());
}

TEST_F(SoundManagerTest, DestructionReleasesEverythingThenStopsTheLayer) {
    addPlaylist("a.ogg\n");
    SoundManager& sound = build();
    sound.setMusicEnabled(true);
    std::vector<std::string> log;
    audio->outliving = &log;
    const std::string closePlaying = "closeStream " + std::to_string(audio->streams.size());
    manager.reset();
    EXPECT_EQ(log.front(), closePlaying);
    EXPECT_EQ(std::set<std::string>(log.begin(), log.end()).size(), 9u) << "six effects freed once";
    EXPECT_EQ(log.back(), "stop");
}

TEST(SoundManagerInstance, ALayerInstalledBeforeFirstUseIsTheOneUsed) {
    FakeAudioBackend* seen = FakeAudioBackend::forInstance();
    ASSERT_NE(seen, nullptr) << "the manager was built on another layer";
    SoundManager& sound = SoundManager::instance();
    EXPECT_EQ(&sound, &SoundManager::instance());
    ASSERT_FALSE(seen->calls.empty());
    EXPECT_EQ(seen->calls.front(), "start 44100 32");
    // Too late now: the manager keeps the layer it was built with.
    EXPECT_FALSE(SoundManager::useBackendForInstance(std::make_unique<FakeAudioBackend>()));
}

}  // namespace

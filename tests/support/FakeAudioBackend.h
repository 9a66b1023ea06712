// FakeAudioBackend: an audio layer that records every call and plays nothing, for tests.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "sound/AudioBackend.h"

class FakeAudioBackend : public AudioBackend {
public:
    struct Stream {
        std::string path;
        int lengthMs = 0;
        int positionMs = 0;
        bool played = false;
        bool closed = false;
    };
    struct Song {
        std::string path;
        bool paused = false;
        bool playing = false;
        int volume = -1;
        bool freed = false;
    };
    struct Effect {
        std::string path;
        int channel = -1;
    };

    // What the fake answers.
    bool startSucceeds = true;
    std::set<std::string> missingFiles;  // loading these gives empty handles
    int streamLengthMsForNewStreams = 180000;

    // What it saw, in call order.
    std::vector<std::string> calls;
    // When set, every call is also noted there, for tests that outlive the fake.
    std::vector<std::string>* outliving = nullptr;
    std::vector<std::string> loadedSamples;  // paths, one per loadSample call
    std::vector<Effect> effects;             // one per playSample that found a channel
    std::map<int, int> channelVolumes;       // last volume given to each channel
    std::vector<Stream> streams;             // indexed by handle - 1
    std::vector<Song> songs;                 // indexed by handle - 1
    std::set<int> freedSamples;
    bool started = false;
    bool stopped = false;

    // The stream handle last opened, or nullptr.
    Stream* lastStream();
    // Plays the stream out: its position reaches its length.
    void finishStream(StreamHandle stream);
    int openStreamCount() const;

    bool start(int mixRateHz, int channelCount) override;
    void stop() override;

    SampleHandle loadSample(const std::string& path) override;
    void freeSample(SampleHandle sample) override;
    int playSample(SampleHandle sample) override;
    void setChannelVolume(int channel, int volume) override;

    StreamHandle openStream(const std::string& path) override;
    int playStream(StreamHandle stream) override;
    void closeStream(StreamHandle stream) override;
    int streamLengthMs(StreamHandle stream) override;
    int streamPositionMs(StreamHandle stream) override;

    SongHandle loadSong(const std::string& path) override;
    void freeSong(SongHandle song) override;
    void playSong(SongHandle song) override;
    void setSongPaused(SongHandle song, bool paused) override;
    bool isSongPaused(SongHandle song) override;
    void setSongVolume(SongHandle song, int volume) override;

    // The fake that SoundManager::instance() plays on in this test process, installed on the
    // first call; nullptr when the manager was already built on another layer. Tests of code
    // that sounds through the game's one manager share it, whatever order they run in.
    static FakeAudioBackend* forInstance();

    // The channel number the fake gives streams, after the 32 effect channels.
    static constexpr int kStreamChannel = 32;

private:
    void note(const std::string& call);
    Stream* findStream(StreamHandle stream);
    Song* findSong(SongHandle song);
    std::vector<std::string> samplePaths_;
    int nextChannel_ = 0;
};

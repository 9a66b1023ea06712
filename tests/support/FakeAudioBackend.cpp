// FakeAudioBackend: an audio layer that records every call and plays nothing, for tests.
#include "tests/support/FakeAudioBackend.h"

#include <memory>
#include <string>

#include "sound/SoundManager.h"

FakeAudioBackend* FakeAudioBackend::forInstance() {
    static FakeAudioBackend* const installed = [] {
        auto fake = std::make_unique<FakeAudioBackend>();
        FakeAudioBackend* raw = fake.get();
        return SoundManager::useBackendForInstance(std::move(fake)) ? raw : nullptr;
    }();
    return installed;
}

void FakeAudioBackend::note(const std::string& call) {
    calls.push_back(call);
    if (outliving != nullptr) {
        outliving->push_back(call);
    }
}

bool FakeAudioBackend::start(int mixRateHz, int channelCount) {
    note("start " + std::to_string(mixRateHz) + " " + std::to_string(channelCount));
    started = startSucceeds;
    return startSucceeds;
}

void FakeAudioBackend::stop() {
    note("stop");
    stopped = true;
}

SampleHandle FakeAudioBackend::loadSample(const std::string& path) {
    note("loadSample " + path);
    loadedSamples.push_back(path);
    if (!started || missingFiles.count(path) != 0) {
        return SampleHandle::None;
    }
    samplePaths_.push_back(path);
    return static_cast<SampleHandle>(samplePaths_.size());
}

void FakeAudioBackend::freeSample(SampleHandle sample) {
    note("freeSample " + std::to_string(static_cast<int>(sample)));
    if (sample != SampleHandle::None) {
        freedSamples.insert(static_cast<int>(sample));
    }
}

int FakeAudioBackend::playSample(SampleHandle sample) {
    const int id = static_cast<int>(sample);
    note("playSample " + std::to_string(id));
    if (id <= 0 || id > static_cast<int>(samplePaths_.size())) {
        return -1;
    }
    const int channel = nextChannel_;
    nextChannel_ = (nextChannel_ + 1) % kStreamChannel;
    effects.push_back({samplePaths_[id - 1], channel});
    return channel;
}

void FakeAudioBackend::setChannelVolume(int channel, int volume) {
    note("setChannelVolume " + std::to_string(channel) + " " + std::to_string(volume));
    if (channel >= 0) {
        channelVolumes[channel] = volume;
    }
}

FakeAudioBackend::Stream* FakeAudioBackend::findStream(StreamHandle stream) {
    const int id = static_cast<int>(stream);
    if (id <= 0 || id > static_cast<int>(streams.size()) || streams[id - 1].closed) {
        return nullptr;
    }
    return &streams[id - 1];
}

FakeAudioBackend::Stream* FakeAudioBackend::lastStream() {
    return streams.empty() ? nullptr : &streams.back();
}

void FakeAudioBackend::finishStream(StreamHandle stream) {
    if (Stream* s = findStream(stream)) {
        s->positionMs = s->lengthMs;
    }
}

int FakeAudioBackend::openStreamCount() const {
    int open = 0;
    for (const Stream& s : streams) {
        open += s.closed ? 0 : 1;
    }
    return open;
}

StreamHandle FakeAudioBackend::openStream(const std::string& path) {
    note("openStream " + path);
    if (!started || path.empty() || missingFiles.count(path) != 0) {
        return StreamHandle::None;
    }
    Stream s;
    s.path = path;
    s.lengthMs = streamLengthMsForNewStreams;
    streams.push_back(s);
    return static_cast<StreamHandle>(streams.size());
}

int FakeAudioBackend::playStream(StreamHandle stream) {
    note("playStream " + std::to_string(static_cast<int>(stream)));
    Stream* s = findStream(stream);
    if (s == nullptr) {
        return -1;
    }
    s->played = true;
    return kStreamChannel;
}

void FakeAudioBackend::closeStream(StreamHandle stream) {
    note("closeStream " + std::to_string(static_cast<int>(stream)));
    if (Stream* s = findStream(stream)) {
        s->closed = true;
    }
}

int FakeAudioBackend::streamLengthMs(StreamHandle stream) {
    const Stream* s = findStream(stream);
    return s == nullptr ? 0 : s->lengthMs;
}

int FakeAudioBackend::streamPositionMs(StreamHandle stream) {
    const Stream* s = findStream(stream);
    return s == nullptr ? 0 : s->positionMs;
}

FakeAudioBackend::Song* FakeAudioBackend::findSong(SongHandle song) {
    const int id = static_cast<int>(song);
    if (id <= 0 || id > static_cast<int>(songs.size()) || songs[id - 1].freed) {
        return nullptr;
    }
    return &songs[id - 1];
}

SongHandle FakeAudioBackend::loadSong(const std::string& path) {
    note("loadSong " + path);
    if (!started || missingFiles.count(path) != 0) {
        return SongHandle::None;
    }
    Song s;
    s.path = path;
    songs.push_back(s);
    return static_cast<SongHandle>(songs.size());
}

void FakeAudioBackend::freeSong(SongHandle song) {
    note("freeSong " + std::to_string(static_cast<int>(song)));
    if (Song* s = findSong(song)) {
        s->freed = true;
    }
}

void FakeAudioBackend::playSong(SongHandle song) {
    note("playSong " + std::to_string(static_cast<int>(song)));
    if (Song* s = findSong(song)) {
        s->playing = true;
    }
}

void FakeAudioBackend::setSongPaused(SongHandle song, bool paused) {
    note(std::string("setSongPaused ") + std::to_string(static_cast<int>(song)) +
         (paused ? " 1" : " 0"));
    if (Song* s = findSong(song)) {
        s->paused = paused;
    }
}

bool FakeAudioBackend::isSongPaused(SongHandle song) {
    const Song* s = findSong(song);
    return s == nullptr || s->paused;
}

void FakeAudioBackend::setSongVolume(SongHandle song, int volume) {
    note("setSongVolume " + std::to_string(static_cast<int>(song)) + " " + std::to_string(volume));
    if (Song* s = findSong(song)) {
        s->volume = volume;
    }
}

// SoundManager: the one object through which the game makes sound: effects, MIDI song, playlist.
#include "sound/SoundManager.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "render/AssetNames.h"
#include "render/Clock.h"
#include "sound/SdlAudioBackend.h"

namespace {

constexpr int kMixRateHz = 44100;
constexpr int kChannelCount = 32;

std::unique_ptr<AudioBackend>& pendingBackend() {
    static std::unique_ptr<AudioBackend> backend;
    return backend;
}

bool& instanceBuilt() {
    static bool built = false;
    return built;
}

}  // namespace

SoundManager& SoundManager::instance() {
    static SoundManager manager([] {
        instanceBuilt() = true;
        std::unique_ptr<AudioBackend> backend = std::move(pendingBackend());
        if (!backend) {
            backend = std::make_unique<SdlAudioBackend>();
        }
        return backend;
    }());
    return manager;
}

bool SoundManager::useBackendForInstance(std::unique_ptr<AudioBackend> backend) {
    if (instanceBuilt()) {
        return false;
    }
    pendingBackend() = std::move(backend);
    return true;
}

SoundManager::SoundManager(std::unique_ptr<AudioBackend> backend, const std::string& ressourcesDir)
    : audio_(std::move(backend)) {
    gameclock::TimedPart part("sound");
    if (!audio_->start(kMixRateHz, kChannelCount)) {
        // No device: effects off and no music source. Every later call stays harmless, on
        // empty handles, even if the configuration switches effects back on.
        effectsEnabled_ = false;
        musicState_ = MusicState::Stopped;
        return;
    }
    using assetnames::inFolder;
    shot_ = audio_->loadSample(ressourcesDir + inFolder(assetnames::kShotSound));
    for (int i = 0; i < assetnames::kOtterCryCount; ++i) {
        cries_[i] = audio_->loadSample(ressourcesDir + inFolder(assetnames::kOtterCries[i]));
    }
    click_ = audio_->loadSample(ressourcesDir + inFolder(assetnames::kClickSound));
    explosion_ = audio_->loadSample(ressourcesDir + inFolder(assetnames::kExplosionSound));

    playlist_.readBaseDirectory(ressourcesDir + inFolder(assetnames::kPlaylistBaseFolder));
    playlist_.readM3u(ressourcesDir + inFolder(assetnames::kPlaylist));
    musicState_ = MusicState::Stopped;
    if (playlist_.isLoaded()) {
        playlist_.setRandom(true);
    }
    // A playlist file without a single entry would leave the game with no music at all: the
    // song plays instead, as when there is no playlist.
    fromPlaylist_ = playlist_.isLoaded() && !playlist_.entries().empty();
    songPath_ = ressourcesDir + inFolder(assetnames::kSong);
    if (fromPlaylist_) {
        unplayable_.assign(playlist_.entries().size(), false);
        // Nothing plays yet: the configuration decides whether music is on. But whether the
        // playlist can play at all is found out now, so that the audio options never announce
        // a playlist that will not play, and the song is ready in its place when none does.
        fromPlaylist_ = findPlayableEntry();
        if (fromPlaylist_) {
            return;
        }
    }
    startSong(false);
}

bool SoundManager::findPlayableEntry() {
    const std::vector<std::string>& entries = playlist_.entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        const StreamHandle probe = audio_->openStream(entries[i]);
        const bool plays = probe != StreamHandle::None && audio_->streamLengthMs(probe) > 0;
        audio_->closeStream(probe);
        if (plays) {
            return true;
        }
        unplayable_[i] = true;
        ++unplayableCount_;
    }
    return false;
}

void SoundManager::startSong(bool playing) {
    // The song is started held paused, ready for setMusicEnabled. Pausing first keeps even
    // its first notes from being heard.
    song_ = audio_->loadSong(songPath_);
    audio_->setSongPaused(song_, true);
    audio_->playSong(song_);
    audio_->setSongVolume(song_, musicVolume_);
    if (playing) {
        audio_->setSongPaused(song_, false);
    }
}

SoundManager::~SoundManager() {
    audio_->closeStream(stream_);
    audio_->freeSample(shot_);
    for (SampleHandle cry : cries_) {
        audio_->freeSample(cry);
    }
    audio_->freeSample(click_);
    audio_->freeSample(explosion_);
    audio_->freeSong(song_);
    audio_->stop();
}

void SoundManager::playEffect(SampleHandle sample, int volume) {
    if (!effectsEnabled_) {
        return;
    }
    const int channel = audio_->playSample(sample);
    audio_->setChannelVolume(channel, volume);
}

void SoundManager::playShot() { playEffect(shot_, effectsVolume_); }

void SoundManager::playClick() { playEffect(click_, effectsVolume_); }

// Louder than the other effects on purpose; the layer caps it at its full volume.
void SoundManager::playExplosion() { playEffect(explosion_, effectsVolume_ + 10); }

void SoundManager::playOtterCry() {
    if (!effectsEnabled_) {
        return;
    }
    int index = static_cast<int>(std::fabs(std::cos(static_cast<double>(std::rand()))) * 3.0);
    if (index > 2) {
        index = 2;
    }
    playEffect(cries_[index], effectsVolume_);
}

void SoundManager::setEffectsVolume(int volume) { effectsVolume_ = std::clamp(volume, 0, 255); }

void SoundManager::setMusicVolume(int volume) {
    musicVolume_ = std::clamp(volume, 0, 255);
    audio_->setSongVolume(song_, musicVolume_);
    audio_->setChannelVolume(streamChannel_, musicVolume_);
}

void SoundManager::setMusicEnabled(bool on) {
    switch (musicState_) {
        case MusicState::Stopped:
            if (!on) {
                return;
            }
            if (fromPlaylist_) {
                musicState_ = MusicState::Stream;
                startNextTrack();
            } else {
                // Resumes the song where it was paused.
                musicState_ = MusicState::Song;
                audio_->setSongPaused(song_, false);
            }
            return;
        case MusicState::Song:
            if (!audio_->isSongPaused(song_)) {
                audio_->setSongPaused(song_, true);
            }
            musicState_ = MusicState::Stopped;
            return;
        case MusicState::Stream:
            audio_->closeStream(stream_);
            stream_ = StreamHandle::None;
            musicState_ = MusicState::Stopped;
            return;
    }
}

void SoundManager::startNextTrack() {
    if (!streaming()) {
        return;
    }
    // The mixer plays one music at a time, so the next track starts once the current one has
    // ended (see update); the finished stream is released here so a long session does not grow.
    audio_->closeStream(stream_);
    stream_ = StreamHandle::None;
    if (!openNextPlayableTrack()) {
        if (unplayableCount_ == static_cast<int>(unplayable_.size())) {
            // Not one entry plays: the song takes the playlist's place, as with no playlist.
            fromPlaylist_ = false;
            musicState_ = MusicState::Song;
            startSong(true);
        }
        return;
    }
    streamChannel_ = audio_->playStream(stream_);
    audio_->setChannelVolume(streamChannel_, musicVolume_);
}

bool SoundManager::openNextPlayableTrack() {
    // A random pick may land on known broken entries many times in a row; a bounded number of
    // picks per step keeps the step short, and the next step tries again.
    const int entries = static_cast<int>(unplayable_.size());
    for (int pick = 0; pick < 4 * entries && unplayableCount_ < entries; ++pick) {
        const std::string path = playlist_.nextTrack();
        const int index = playlist_.currentIndex();
        if (index < 0 || index >= entries || unplayable_[index]) {
            continue;
        }
        stream_ = audio_->openStream(path);
        if (stream_ != StreamHandle::None && audio_->streamLengthMs(stream_) > 0) {
            return true;
        }
        audio_->closeStream(stream_);
        stream_ = StreamHandle::None;
        unplayable_[index] = true;
        ++unplayableCount_;
    }
    return false;
}

void SoundManager::update() {
    if (!streaming()) {
        return;
    }
    // An empty stream (an entry that would not open) answers 0 and 0: it counts as ended and
    // the playlist moves on to the next entry.
    if (audio_->streamPositionMs(stream_) >= audio_->streamLengthMs(stream_)) {
        startNextTrack();
    }
}

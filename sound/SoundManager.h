// SoundManager: the one object through which the game makes sound: effects, MIDI song, playlist.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sound/AudioBackend.h"
#include "sound/Playlist.h"

// Which music source plays. Stored as 32 bits in the configuration ("music on" = not Stopped).
enum class MusicState : std::int32_t { Stopped = 0, Song = 1, Stream = 2 };

class SoundManager {
public:
    // The game's single manager, built on first use on the real audio device and destroyed at
    // program exit.
    static SoundManager& instance();
    // Lets a test run instance() on a fake layer. Only takes effect before the first
    // instance() call; answers whether it did.
    static bool useBackendForInstance(std::unique_ptr<AudioBackend> backend);

    // Starts the audio layer and loads everything from ressourcesDir (with its trailing slash).
    explicit SoundManager(std::unique_ptr<AudioBackend> backend,
                          const std::string& ressourcesDir = "./ressources/");
    virtual ~SoundManager();
    SoundManager(const SoundManager&) = delete;
    SoundManager& operator=(const SoundManager&) = delete;

    void playShot();
    void playOtterCry();
    void playExplosion();
    void playClick();
    // Once per idle step: moves the playlist on when the current track has ended.
    void update();

    void setEffectsEnabled(bool enabled) { effectsEnabled_ = enabled; }
    bool effectsEnabled() const { return effectsEnabled_; }
    void setEffectsVolume(int volume);
    int effectsVolume() const { return effectsVolume_; }
    void setMusicVolume(int volume);
    int musicVolume() const { return musicVolume_; }

    // A toggle while music plays: any call in Song or Stream stops the music. From Stopped,
    // true starts the playlist when one was found, the MIDI song otherwise.
    void setMusicEnabled(bool on);
    MusicState musicState() const { return musicState_; }
    // The configuration loader marks the music stopped before switching it on, so that music
    // saved as on always starts; nothing else uses this.
    void setMusicState(MusicState state) { musicState_ = state; }

    Playlist& playlist() { return playlist_; }
    // Whether music streams the playlist rather than the MIDI song: decided at construction
    // (a playlist of which no entry plays is not used), and given up for the song once every
    // entry has proved unplayable. What the audio options announce.
    bool musicFromPlaylist() const { return fromPlaylist_; }

private:
    void playEffect(SampleHandle sample, int volume);
    void startNextTrack();
    // Opens the playlist's next entry, skipping those already found unplayable; false when
    // none opened this time.
    bool openNextPlayableTrack();
    // Opens the entries in file order until one plays, marking those that do not; false when
    // none does. Once, at construction.
    bool findPlayableEntry();
    // Loads the MIDI song and plays it held paused (or at once, when `playing`).
    void startSong(bool playing);
    bool streaming() const { return fromPlaylist_ && musicState_ == MusicState::Stream; }

    std::unique_ptr<AudioBackend> audio_;
    int streamChannel_ = -1;
    int effectsVolume_ = 100;
    int musicVolume_ = 100;
    bool effectsEnabled_ = true;
    MusicState musicState_ = MusicState::Stopped;
    SampleHandle shot_ = SampleHandle::None;
    SampleHandle cries_[3] = {SampleHandle::None, SampleHandle::None, SampleHandle::None};
    SampleHandle click_ = SampleHandle::None;
    SampleHandle explosion_ = SampleHandle::None;
    SongHandle song_ = SongHandle::None;
    Playlist playlist_;
    bool fromPlaylist_ = false;
    StreamHandle stream_ = StreamHandle::None;
    std::string songPath_;
    // Entries that would not open or held nothing, by playlist index: never opened again, so
    // a playlist of broken tracks costs no file access on every step.
    std::vector<bool> unplayable_;
    int unplayableCount_ = 0;
};

// SdlAudioBackend: the audio layer on SDL2_mixer (effects on channels, music, MIDI by FluidSynth).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "sound/AudioBackend.h"

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

class SdlAudioBackend : public AudioBackend {
public:
    // The General MIDI sound fonts to look for, best first: the small one, then the large one.
    static std::vector<std::string> defaultSoundFonts();

    // soundFontCandidates replaces the installed fonts looked for (tests give none or their own).
    explicit SdlAudioBackend(std::vector<std::string> soundFontCandidates = defaultSoundFonts());
    ~SdlAudioBackend() override;
    SdlAudioBackend(const SdlAudioBackend&) = delete;
    SdlAudioBackend& operator=(const SdlAudioBackend&) = delete;

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

    // The sound font(s) the MIDI song is played with, as handed to the mixer: the player's
    // SDL_SOUNDFONTS when it names a readable file, else the first candidate installed. Empty
    // when there is none; MIDI songs then do not load and the music stays silent.
    const std::string& soundFont() const { return soundFont_; }

private:
    struct Stream {
        Mix_Music* music = nullptr;
        int lengthMs = 0;
    };
    struct Song {
        Mix_Music* music = nullptr;
        bool paused = false;
        bool playRequested = false;  // playSong was called, possibly while held paused
        bool begun = false;          // the mixer really plays (or pauses) it
    };

    int nextId();
    void beginSong(Song& song);
    void forgetMusic(Mix_Music* music);

    std::vector<std::string> soundFontCandidates_;
    std::string soundFont_;
    bool started_ = false;
    int channelCount_ = 0;
    int lastId_ = 0;
    // SDL_mixer plays one music at a time, streams and song alike: the one it plays now.
    Mix_Music* currentMusic_ = nullptr;
    std::map<int, Mix_Chunk*> samples_;
    std::map<int, Stream> streams_;
    std::map<int, Song> songs_;
};

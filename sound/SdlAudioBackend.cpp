// SdlAudioBackend: the audio layer on SDL2_mixer (effects on channels, music, MIDI by FluidSynth).
#include "sound/SdlAudioBackend.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

#include "sound/MidiFileCheck.h"

namespace {

// Small enough that an effect answers a click at once, large enough for FluidSynth.
constexpr int kChunkFrames = 1024;

// The game counts volumes 0..255; the mixer 0..MIX_MAX_VOLUME. Rounded up so that any volume
// above 0 stays audible. Out-of-range values (an explosion at effects volume + 10) are clamped.
int mixerVolume(int volume) {
    const int clamped = std::clamp(volume, 0, 255);
    return (clamped * MIX_MAX_VOLUME + 254) / 255;
}

bool readable(const std::string& path) { return access(path.c_str(), R_OK) == 0; }

// The mixer reads a list of fonts separated by colons; it is usable when one of them is there.
bool anyReadable(const std::string& list) {
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(':', start), list.size());
        if (end > start && readable(list.substr(start, end - start))) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

std::string chooseSoundFont(const std::vector<std::string>& candidates) {
    const char* player = std::getenv("SDL_SOUNDFONTS");
    if (player != nullptr && anyReadable(player)) {
        return player;
    }
    for (const std::string& path : candidates) {
        if (readable(path)) {
            return path;
        }
    }
    return std::string();
}

}  // namespace

std::vector<std::string> SdlAudioBackend::defaultSoundFonts() {
    // The large Fluid font costs 145 MB of memory and half a second of start-up for a song
    // that sounds the same with the 6 MB one.
    return {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
            "/usr/share/sounds/sf3/FluidR3_GM.sf3"};
}

SdlAudioBackend::SdlAudioBackend(std::vector<std::string> soundFontCandidates)
    : soundFontCandidates_(std::move(soundFontCandidates)) {}

SdlAudioBackend::~SdlAudioBackend() { stop(); }

bool SdlAudioBackend::start(int mixRateHz, int channelCount) {
    if (started_) {
        return true;
    }
    // The game ends on SIGINT and SIGTERM through its own handlers, which SDL would replace.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return false;
    }
    // The mixer, left to itself, loads the system's default font (often the 148 MB one) even
    // over the player's SDL_SOUNDFONTS; a font set here, before it starts, is the only one read.
    soundFont_ = chooseSoundFont(soundFontCandidates_);
    int decoders = MIX_INIT_OGG | MIX_INIT_MP3 | MIX_INIT_FLAC;
    if (!soundFont_.empty()) {
        Mix_SetSoundFonts(soundFont_.c_str());
        decoders |= MIX_INIT_MID;
    }
    // Whatever decoders are missing only make those playlist entries silent.
    Mix_Init(decoders);
    if (Mix_OpenAudio(mixRateHz, MIX_DEFAULT_FORMAT, 2, kChunkFrames) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    channelCount_ = Mix_AllocateChannels(channelCount);
    started_ = true;
    return true;
}

void SdlAudioBackend::stop() {
    if (!started_) {
        return;
    }
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    for (auto& [id, chunk] : samples_) {
        Mix_FreeChunk(chunk);
    }
    for (auto& [id, stream] : streams_) {
        Mix_FreeMusic(stream.music);
    }
    for (auto& [id, song] : songs_) {
        Mix_FreeMusic(song.music);
    }
    samples_.clear();
    streams_.clear();
    songs_.clear();
    currentMusic_ = nullptr;
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    started_ = false;
}

int SdlAudioBackend::nextId() { return ++lastId_; }

SampleHandle SdlAudioBackend::loadSample(const std::string& path) {
    if (!started_ || path.empty()) {
        return SampleHandle::None;
    }
    Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
    if (chunk == nullptr) {
        return SampleHandle::None;
    }
    const int id = nextId();
    samples_[id] = chunk;
    return static_cast<SampleHandle>(id);
}

void SdlAudioBackend::freeSample(SampleHandle sample) {
    auto it = samples_.find(static_cast<int>(sample));
    if (it == samples_.end()) {
        return;
    }
    Mix_FreeChunk(it->second);  // also halts the channels still playing it
    samples_.erase(it);
}

int SdlAudioBackend::playSample(SampleHandle sample) {
    auto it = samples_.find(static_cast<int>(sample));
    if (it == samples_.end()) {
        return -1;
    }
    return Mix_PlayChannel(-1, it->second, 0);
}

void SdlAudioBackend::setChannelVolume(int channel, int volume) {
    // A negative channel means "every channel" to SDL_mixer; here it only ever comes from a
    // play call that found no channel, which must not change the others.
    if (!started_ || channel < 0) {
        return;
    }
    if (channel == channelCount_) {
        Mix_VolumeMusic(mixerVolume(volume));
    } else if (channel < channelCount_) {
        Mix_Volume(channel, mixerVolume(volume));
    }
}

StreamHandle SdlAudioBackend::openStream(const std::string& path) {
    if (!started_ || path.empty()) {
        return StreamHandle::None;
    }
    Mix_Music* music = Mix_LoadMUS(path.c_str());
    if (music == nullptr) {
        return StreamHandle::None;
    }
    Stream stream;
    stream.music = music;
    const double seconds = Mix_MusicDuration(music);
    // A decoder that cannot tell the length: the stream reports "not yet ended" until the
    // mixer is done with it.
    stream.lengthMs = seconds < 0.0 ? INT_MAX : static_cast<int>(seconds * 1000.0);
    const int id = nextId();
    streams_[id] = stream;
    return static_cast<StreamHandle>(id);
}

int SdlAudioBackend::playStream(StreamHandle stream) {
    auto it = streams_.find(static_cast<int>(stream));
    if (it == streams_.end() || Mix_PlayMusic(it->second.music, 0) != 0) {
        return -1;
    }
    currentMusic_ = it->second.music;
    // Music is not mixed on a channel: the number after the effect channels stands for it.
    return channelCount_;
}

void SdlAudioBackend::forgetMusic(Mix_Music* music) {
    if (currentMusic_ == music) {
        Mix_HaltMusic();
        currentMusic_ = nullptr;
    }
    Mix_FreeMusic(music);
}

void SdlAudioBackend::closeStream(StreamHandle stream) {
    auto it = streams_.find(static_cast<int>(stream));
    if (it == streams_.end()) {
        return;
    }
    forgetMusic(it->second.music);
    streams_.erase(it);
}

int SdlAudioBackend::streamLengthMs(StreamHandle stream) {
    auto it = streams_.find(static_cast<int>(stream));
    return it == streams_.end() ? 0 : it->second.lengthMs;
}

int SdlAudioBackend::streamPositionMs(StreamHandle stream) {
    auto it = streams_.find(static_cast<int>(stream));
    if (it == streams_.end()) {
        return 0;
    }
    const Stream& s = it->second;
    if (currentMusic_ != s.music || !Mix_PlayingMusic()) {
        return s.lengthMs;
    }
    // The decoder's position may touch the length a moment before the mixer has finished the
    // last samples; only the mixer's own end counts, so no track is ever cut short.
    const double seconds = Mix_GetMusicPosition(s.music);
    const int ms = seconds < 0.0 ? 0 : static_cast<int>(seconds * 1000.0);
    return std::clamp(ms, 0, std::max(s.lengthMs - 1, 0));
}

SongHandle SdlAudioBackend::loadSong(const std::string& path) {
    // Without a font of our choosing the mixer would fall back on whatever font it finds.
    if (!started_ || path.empty() || soundFont_.empty()) {
        return SongHandle::None;
    }
    // A broken song would be restarted by the mixer for ever (see MidiFileCheck): it stays
    // silent instead, as a missing one does.
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    if (!midicheck::playable(bytes)) {
        return SongHandle::None;
    }
    Mix_Music* music = Mix_LoadMUS(path.c_str());
    if (music == nullptr) {
        return SongHandle::None;
    }
    Song song;
    song.music = music;
    const int id = nextId();
    songs_[id] = song;
    return static_cast<SongHandle>(id);
}

void SdlAudioBackend::freeSong(SongHandle song) {
    auto it = songs_.find(static_cast<int>(song));
    if (it == songs_.end()) {
        return;
    }
    forgetMusic(it->second.music);
    songs_.erase(it);
}

void SdlAudioBackend::beginSong(Song& song) {
    song.begun = Mix_PlayMusic(song.music, -1) == 0;
    if (song.begun) {
        currentMusic_ = song.music;
    }
}

void SdlAudioBackend::playSong(SongHandle song) {
    auto it = songs_.find(static_cast<int>(song));
    if (it == songs_.end()) {
        return;
    }
    Song& s = it->second;
    s.playRequested = true;
    s.begun = false;
    // A song held paused is started by the mixer only when unpaused: starting and pausing at
    // once would let the mixer thread sound its first notes in between.
    if (!s.paused) {
        beginSong(s);
    }
}

void SdlAudioBackend::setSongPaused(SongHandle song, bool paused) {
    auto it = songs_.find(static_cast<int>(song));
    if (it == songs_.end() || it->second.paused == paused) {
        return;
    }
    Song& s = it->second;
    s.paused = paused;
    const bool current = s.begun && currentMusic_ == s.music;
    if (paused) {
        if (current) {
            Mix_PauseMusic();
        }
    } else if (s.playRequested && !s.begun) {
        beginSong(s);
    } else if (current) {
        Mix_ResumeMusic();
    }
}

bool SdlAudioBackend::isSongPaused(SongHandle song) {
    auto it = songs_.find(static_cast<int>(song));
    // An empty song never sounds.
    return it == songs_.end() || it->second.paused;
}

void SdlAudioBackend::setSongVolume(SongHandle song, int volume) {
    if (songs_.count(static_cast<int>(song)) != 0) {
        Mix_VolumeMusic(mixerVolume(volume));
    }
}

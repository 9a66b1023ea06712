// AudioBackend: the thin audio layer the sound manager plays through, real or recorded in tests.
#pragma once

#include <string>

// Handles are small ids the layer hands out. The zero value means "nothing loaded" (a missing
// file, a device that never opened) and every operation accepts it without effect.
enum class SampleHandle : int { None = 0 };
enum class StreamHandle : int { None = 0 };
enum class SongHandle : int { None = 0 };

// Only what the game uses: effects on free channels, one streamed music track at a time, and
// one MIDI song. Volumes are on the game's 0..255 scale; the layer clamps anything outside it.
class AudioBackend {
public:
    virtual ~AudioBackend() = default;

    // Opens the output device; false when there is no usable device (the game then stays
    // silent). stop() is harmless when start() failed or was never called.
    virtual bool start(int mixRateHz, int channelCount) = 0;
    virtual void stop() = 0;

    virtual SampleHandle loadSample(const std::string& path) = 0;
    virtual void freeSample(SampleHandle sample) = 0;
    // Plays the sample once on a free channel; the channel, or -1 when none could be used.
    virtual int playSample(SampleHandle sample) = 0;
    // Volume of a channel returned by playSample or playStream; negative channels are ignored.
    virtual void setChannelVolume(int channel, int volume) = 0;

    // A music file streamed from disk. Opening does not play it.
    virtual StreamHandle openStream(const std::string& path) = 0;
    // Starts the stream from its beginning, replacing any music playing; its channel or -1.
    virtual int playStream(StreamHandle stream) = 0;
    virtual void closeStream(StreamHandle stream) = 0;
    // Length and play position in milliseconds. The position equals the length exactly when
    // the stream has ended (played out, replaced, or never playable), so "position >= length"
    // is the end test; an empty handle answers 0 and 0.
    virtual int streamLengthMs(StreamHandle stream) = 0;
    virtual int streamPositionMs(StreamHandle stream) = 0;

    // The MIDI song, looping. A song paused before playSong starts held, without a sound.
    virtual SongHandle loadSong(const std::string& path) = 0;
    virtual void freeSong(SongHandle song) = 0;
    virtual void playSong(SongHandle song) = 0;
    virtual void setSongPaused(SongHandle song, bool paused) = 0;
    virtual bool isSongPaused(SongHandle song) = 0;
    virtual void setSongVolume(SongHandle song, int volume) = 0;
};

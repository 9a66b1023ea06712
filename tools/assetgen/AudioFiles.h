// AudioFiles: writers for 44.1 kHz 16-bit mono sounds as WAV and as Ogg Vorbis.
#pragma once

#include <string>
#include <vector>

namespace assetgen {

constexpr int kSampleRate = 44100;

// Samples are floats in [-1, 1]; anything outside is clipped.
bool writeWav(const std::string& path, const std::vector<float>& samples);
// Ogg Vorbis through libvorbisenc, with a fixed stream serial so the bytes never change.
bool writeOgg(const std::string& path, const std::vector<float>& samples, float quality = 0.5f);

}  // namespace assetgen

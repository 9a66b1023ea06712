// TestSoundFiles: tiny WAV, OGG and MIDI writers so sound tests never depend on the game's art.
#include "tests/support/TestSoundFiles.h"

#include <stdlib.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace testsound {

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

std::vector<float> sine(double seconds, double frequencyHz, double amplitude) {
    std::vector<float> out(static_cast<std::size_t>(seconds * kRate));
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<float>(amplitude * std::sin(2.0 * kPi * frequencyHz * i / kRate));
    }
    return out;
}

void put16(std::vector<unsigned char>& out, unsigned value) {
    out.push_back(value & 0xFF);
    out.push_back((value >> 8) & 0xFF);
}

void put32(std::vector<unsigned char>& out, unsigned value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

void put32be(std::vector<unsigned char>& out, unsigned value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back((value >> shift) & 0xFF);
    }
}

bool writeBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

void appendPage(std::vector<unsigned char>& out, const ogg_page& page) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

}  // namespace

ScopedEnv::ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) {
        had_ = true;
        old_ = old;
    }
    setenv(name, value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
    if (had_) {
        setenv(name_.c_str(), old_.c_str(), 1);
    } else {
        unsetenv(name_.c_str());
    }
}

std::string makeScratchDir() {
    char pattern[] = "/tmp/zorblat-sound-XXXXXX";
    const char* dir = mkdtemp(pattern);
    return dir == nullptr ? std::string() : std::string(dir) + "/";
}

void removeScratchDir(const std::string& dir) {
    if (!dir.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
}

bool writeText(const std::string& path, const std::string& text) {
    return writeBytes(path, std::vector<unsigned char>(text.begin(), text.end()));
}

std::vector<short> readRawS16(const std::string& path) {
    std::vector<short> samples;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return samples;
    }
    short buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, sizeof(short), 4096, file)) > 0) {
        samples.insert(samples.end(), buffer, buffer + got);
    }
    std::fclose(file);
    return samples;
}

int peak(const std::vector<short>& samples, std::size_t from, std::size_t to) {
    int best = 0;
    for (std::size_t i = from; i < to && i < samples.size(); ++i) {
        best = std::max(best, std::abs(static_cast<int>(samples[i])));
    }
    return best;
}

bool writeWav(const std::string& path, double seconds, double frequencyHz, double amplitude) {
    const std::vector<float> samples = sine(seconds, frequencyHz, amplitude);
    const unsigned dataBytes = static_cast<unsigned>(samples.size() * 2);
    std::vector<unsigned char> out{'R', 'I', 'F', 'F'};
    put32(out, 36 + dataBytes);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, kRate);
    put32(out, kRate * 2);
    put16(out, 2);
    put16(out, 16);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    put32(out, dataBytes);
    for (float s : samples) {
        put16(out, static_cast<unsigned>(static_cast<std::int16_t>(s * 32767.0f)) & 0xFFFF);
    }
    return writeBytes(path, out);
}

bool writeOgg(const std::string& path, double seconds, double frequencyHz, double amplitude) {
    const std::vector<float> samples = sine(seconds, frequencyHz, amplitude);
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 1, kRate, 0.4f) != 0) {
        vorbis_info_clear(&info);
        return false;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1);

    std::vector<unsigned char> out;
    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0) {
        appendPage(out, page);
    }

    // Feed everything, then an empty write marks the end of the stream.
    std::size_t fed = 0;
    bool ended = false;
    while (!ended) {
        const std::size_t count = std::min<std::size_t>(1024, samples.size() - fed);
        if (count > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
            std::copy(samples.begin() + fed, samples.begin() + fed + count, buffer[0]);
        }
        vorbis_analysis_wrote(&dsp, static_cast<int>(count));
        fed += count;
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) {
                    appendPage(out, page);
                    ended = ended || ogg_page_eos(&page) != 0;
                }
            }
        }
        if (count == 0 && !ended) {
            while (ogg_stream_flush(&stream, &page) != 0) {
                appendPage(out, page);
            }
            ended = true;
        }
    }

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return writeBytes(path, out);
}

bool writeMidi(const std::string& path, double seconds) {
    const unsigned ticksPerQuarter = 480;  // at the default 120 beats a minute: 960 a second
    const unsigned holdTicks = static_cast<unsigned>(seconds * 960.0);
    std::vector<unsigned char> track;
    // Acoustic grand piano, a C major chord at full velocity.
    track.insert(track.end(), {0x00, 0xC0, 0x00});
    for (unsigned char note : {60, 64, 67}) {
        track.insert(track.end(), {0x00, 0x90, note, 0x7F});
    }
    // Variable-length delta time before the notes are released.
    std::vector<unsigned char> delta;
    unsigned value = holdTicks;
    delta.push_back(value & 0x7F);
    while ((value >>= 7) != 0) {
        delta.insert(delta.begin(), static_cast<unsigned char>(0x80 | (value & 0x7F)));
    }
    track.insert(track.end(), delta.begin(), delta.end());
    track.insert(track.end(), {0x80, 60, 0x40, 0x00, 0x80, 64, 0x40, 0x00, 0x80, 67, 0x40});
    track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});

    std::vector<unsigned char> out{'M', 'T', 'h', 'd'};
    put32be(out, 6);
    out.insert(out.end(), {0x00, 0x00, 0x00, 0x01});
    out.push_back(static_cast<unsigned char>(ticksPerQuarter >> 8));
    out.push_back(static_cast<unsigned char>(ticksPerQuarter & 0xFF));
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    put32be(out, static_cast<unsigned>(track.size()));
    out.insert(out.end(), track.begin(), track.end());
    return writeBytes(path, out);
}

}  // namespace testsound

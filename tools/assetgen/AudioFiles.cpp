// AudioFiles: RIFF/WAVE PCM and Ogg Vorbis encoding of generated sounds.
#include "tools/assetgen/AudioFiles.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>

#include "tools/assetgen/LittleEndian.h"

namespace assetgen {
namespace {

struct FileCloser {
    void operator()(FILE* f) const {
        if (f)
            std::fclose(f);
    }
};
using File = std::unique_ptr<FILE, FileCloser>;

using littleendian::put16;
using littleendian::put32;

void putTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

bool writeAll(FILE* f, const void* data, size_t size) {
    return std::fwrite(data, 1, size, f) == size;
}

}  // namespace

bool writeWav(const std::string& path, const std::vector<float>& samples) {
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, kSampleRate);
    put32(out, kSampleRate * 2);
    put16(out, 2);
    put16(out, 16);
    putTag(out, "data");
    put32(out, dataBytes);
    for (float s : samples) {
        const int v = int(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f));
        put16(out, uint32_t(uint16_t(int16_t(v))));
    }
    File f(std::fopen(path.c_str(), "wb"));
    if (!f) {
        std::perror(path.c_str());
        return false;
    }
    return writeAll(f.get(), out.data(), out.size());
}

bool writeOgg(const std::string& path, const std::vector<float>& samples, float quality) {
    File f(std::fopen(path.c_str(), "wb"));
    if (!f) {
        std::perror(path.c_str());
        return false;
    }
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 1, kSampleRate, quality) != 0) {
        std::fprintf(stderr, "assetgen: the Vorbis encoder refused its settings\n");
        vorbis_info_clear(&info);
        return false;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "ENCODER", "zorblat assetgen");
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 0x5a0b1a7);  // fixed serial: identical bytes on every build

    bool ok = true;
    ogg_page page;
    ogg_packet packet;
    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    while (ogg_stream_flush(&stream, &page) != 0) {
        ok = writeAll(f.get(), page.header, page.header_len) && ok;
        ok = writeAll(f.get(), page.body, page.body_len) && ok;
    }

    const size_t chunk = 4096;
    size_t done = 0;
    bool ended = false;
    while (!ended) {
        const size_t n = std::min(chunk, samples.size() - done);
        if (n == 0) {
            vorbis_analysis_wrote(&dsp, 0);  // end of stream
        } else {
            float** buffer = vorbis_analysis_buffer(&dsp, int(n));
            for (size_t i = 0; i < n; ++i) {
                buffer[0][i] = std::clamp(samples[done + i], -1.0f, 1.0f);
            }
            vorbis_analysis_wrote(&dsp, int(n));
            done += n;
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) {
                    ok = writeAll(f.get(), page.header, page.header_len) && ok;
                    ok = writeAll(f.get(), page.body, page.body_len) && ok;
                    if (ogg_page_eos(&page)) {
                        ended = true;
                    }
                }
            }
        }
        if (n == 0) {
            ended = true;
        }
    }
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return ok;
}

}  // namespace assetgen

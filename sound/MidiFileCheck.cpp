// MidiFileCheck: tells a complete, playable Standard MIDI File from a broken one.
#include "sound/MidiFileCheck.h"

#include <cstdint>

namespace midicheck {
namespace {

class Reader {
public:
    Reader(std::string_view bytes, size_t begin, size_t end)
        : bytes_(bytes), at_(begin), end_(end) {}

    bool byte(uint8_t& out) {
        if (at_ >= end_) {
            return false;
        }
        out = static_cast<uint8_t>(bytes_[at_++]);
        return true;
    }
    bool bigEndian(int count, uint32_t& out) {
        out = 0;
        for (int i = 0; i < count; ++i) {
            uint8_t b = 0;
            if (!byte(b)) {
                return false;
            }
            out = (out << 8) | b;
        }
        return true;
    }
    // A variable-length quantity: at most four bytes of seven bits.
    bool varLength(uint32_t& out) {
        out = 0;
        for (int i = 0; i < 4; ++i) {
            uint8_t b = 0;
            if (!byte(b)) {
                return false;
            }
            out = (out << 7) | (b & 0x7f);
            if ((b & 0x80) == 0) {
                return true;
            }
        }
        return false;
    }
    bool skip(uint32_t count) {
        if (count > end_ - at_) {
            return false;
        }
        at_ += count;
        return true;
    }
    bool tag(std::string_view expected) {
        if (end_ - at_ < expected.size() || bytes_.substr(at_, expected.size()) != expected) {
            return false;
        }
        at_ += expected.size();
        return true;
    }
    size_t at() const { return at_; }
    bool atEnd() const { return at_ >= end_; }

private:
    std::string_view bytes_;
    size_t at_;
    size_t end_;
};

// Walks one track's events; returns false unless they parse and end with end-of-track.
bool readTrack(Reader& in, uint64_t& ticks) {
    uint8_t running = 0;
    while (!in.atEnd()) {
        uint32_t delta = 0;
        uint8_t status = 0;
        if (!in.varLength(delta) || !in.byte(status)) {
            return false;
        }
        ticks += delta;
        if (status == 0xff) {
            uint8_t type = 0;
            uint32_t length = 0;
            if (!in.byte(type) || !in.varLength(length) || !in.skip(length)) {
                return false;
            }
            if (type == 0x2f) {
                return true;
            }
            continue;
        }
        if (status == 0xf0 || status == 0xf7) {
            uint32_t length = 0;
            if (!in.varLength(length) || !in.skip(length)) {
                return false;
            }
            continue;
        }
        int dataBytes = 0;
        if (status & 0x80) {
            if (status >= 0xf0) {
                return false;  // real-time and common messages have no place in a file
            }
            running = status;
        } else {
            if (running == 0) {
                return false;
            }
            dataBytes = -1;  // the byte read was the first data byte
        }
        const uint8_t kind = running & 0xf0;
        dataBytes += (kind == 0xc0 || kind == 0xd0) ? 1 : 2;
        if (!in.skip(static_cast<uint32_t>(dataBytes))) {
            return false;
        }
    }
    return false;
}

}  // namespace

bool playable(std::string_view bytes) {
    Reader file(bytes, 0, bytes.size());
    uint32_t headerLength = 0;
    uint32_t format = 0;
    uint32_t tracks = 0;
    uint32_t division = 0;
    if (!file.tag("MThd") || !file.bigEndian(4, headerLength) || headerLength < 6 ||
        !file.bigEndian(2, format) || !file.bigEndian(2, tracks) || !file.bigEndian(2, division) ||
        !file.skip(headerLength - 6) || tracks == 0 || division == 0) {
        return false;
    }
    uint64_t longest = 0;
    uint32_t found = 0;
    while (found < tracks) {
        uint32_t length = 0;
        const bool isTrack = file.tag("MTrk");
        if (!isTrack && !file.skip(4)) {
            return false;
        }
        if (!file.bigEndian(4, length)) {
            return false;
        }
        const size_t begin = file.at();
        if (!file.skip(length)) {
            return false;
        }
        if (!isTrack) {
            continue;  // chunks of other kinds are skipped, as players do
        }
        Reader track(bytes, begin, begin + length);
        uint64_t ticks = 0;
        if (!readTrack(track, ticks)) {
            return false;
        }
        longest = ticks > longest ? ticks : longest;
        ++found;
    }
    return longest > 0;
}

}  // namespace midicheck

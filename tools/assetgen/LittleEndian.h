// LittleEndian: appends 16- and 32-bit values low byte first, as BMP and WAV files store them.
#pragma once

#include <cstdint>
#include <vector>

namespace littleendian {

inline void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

inline void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

}  // namespace littleendian

// bmp_fuzzer: hostile bytes through the BMP decoder and the texture resampler.
// seeds: bmp
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "render/BmpImage.h"
#include "render/TexturePixels.h"
#include "tools/assetgen/LittleEndian.h"

namespace {

using littleendian::put16;
using littleendian::put32;

// The same bytes as the colour table and pixels behind a well-formed header. From an empty
// corpus random bytes almost never make a valid header, so without this the pixel decoders
// (and RLE above all) would hardly be reached until the generated art seeds the corpus.
std::vector<uint8_t> behindValidHeader(const uint8_t* data, size_t size) {
    struct Kind {
        uint16_t bits;
        uint32_t compression;
    };
    static const Kind kinds[] = {{1, 0}, {4, 0}, {8, 0}, {16, 0}, {24, 0}, {32, 0}, {8, 1}, {4, 2}};
    const Kind kind = kinds[data[0] % 8];
    const bool topDown = kind.compression == 0 && (data[0] & 0x80) != 0;
    const int32_t width = 1 + data[1] % 48;
    const int32_t height = 1 + data[2] % 48;
    // A short colour table keeps room for pixels; out-of-table indices are part of the test.
    const uint32_t colours = kind.bits <= 8 ? 1 + data[3] % 16 : 0;

    std::vector<uint8_t> out;
    put32(out, 40);
    put32(out, uint32_t(width));
    put32(out, uint32_t(topDown ? -height : height));
    put16(out, 1);
    put16(out, kind.bits);
    put32(out, kind.compression);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, colours);
    put32(out, 0);
    out.insert(out.end(), data + 4, data + size);
    return out;
}

void exercise(const uint8_t* data, size_t size) {
    const std::unique_ptr<BmpImage> image = decodeBmp(data, size);
    if (image == nullptr) {
        return;
    }
    // Every result must be as large as it claims.
    if (image->sizeX <= 0 || image->sizeY <= 0 || image->data == nullptr) {
        __builtin_trap();
    }
    volatile uint8_t last = image->data[image->byteCount() - 1];
    (void)last;
    // Resampling touches every output pixel; keep it to pictures small enough to stay fast.
    if (uint64_t(image->sizeX) * uint64_t(image->sizeY) <= (1u << 16)) {
        const int reduction = image->data[0] % 5;
        const TexturePixels px = makeTexturePixels(image->data.get(), image->sizeX, image->sizeY,
                                                   reduction, ColourKey{});
        if (px.rgba.size() != size_t(px.width) * size_t(px.height) * 4) {
            __builtin_trap();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Copied so the decoder sees a buffer that ends exactly where the input does.
    std::vector<uint8_t> raw(data, data + size);
    exercise(raw.data(), raw.size());
    if (size >= 4) {
        const std::vector<uint8_t> wrapped = behindValidHeader(data, size);
        exercise(wrapped.data(), wrapped.size());
    }
    return 0;
}

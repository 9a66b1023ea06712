// TexturePixels: point-sampled reduction and colour keying before a texture upload.
#include "render/TexturePixels.h"

namespace {

// Source index for output index i of n when shrinking a side of the given length. Exact
// integer arithmetic: with a floating-point quotient, i / n * length can land just below i
// (length 22, no reduction), which would copy a neighbouring column in place of the right one.
int sourceIndex(int i, int n, int length) { return int(int64_t(length) * i / n); }

}  // namespace

TexturePixels makeTexturePixels(const uint8_t* rgb, int width, int height, int reduction,
                                const ColourKey& key) {
    TexturePixels out;
    if (reduction < 0) {
        reduction = 0;
    }
    // Shifting by 31 or more is undefined; a shift of 30 already shrinks any picture to 1 x 1.
    const int shift = reduction > 30 ? 30 : reduction;
    out.width = width >> shift;
    out.height = height >> shift;
    if (out.width < 1) {
        out.width = 1;
    }
    if (out.height < 1) {
        out.height = 1;
    }
    out.rgba.resize(size_t(out.width) * size_t(out.height) * 4);

    uint8_t* dst = out.rgba.data();
    for (int j = 0; j < out.height; ++j) {
        const int sy = sourceIndex(j, out.height, height);
        const uint8_t* srcRow = rgb + size_t(sy) * size_t(width) * 3;
        for (int i = 0; i < out.width; ++i, dst += 4) {
            const uint8_t* src = srcRow + size_t(sourceIndex(i, out.width, width)) * 3;
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
            const bool keyed = src[0] == key.red && src[1] == key.green && src[2] == key.blue;
            dst[3] = keyed ? key.keyAlpha : key.otherAlpha;
            out.keyFound = out.keyFound || keyed;
        }
    }
    return out;
}

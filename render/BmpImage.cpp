// BmpImage: portable BMP decoder for the formats the game's art may use.
#include "render/BmpImage.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace {

// Little-endian reads that refuse to look outside the file. Offsets are 64-bit so that sums
// of untrusted 32-bit header fields cannot wrap.
class ByteReader {
public:
    ByteReader(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size) {}

    bool has(uint64_t offset, uint64_t count) const {
        return offset <= size_ && count <= size_ - offset;
    }
    // Only after has(offset, n) for the n bytes the caller will look at.
    const uint8_t* at(uint64_t offset) const { return bytes_ + offset; }

    bool u8(uint64_t offset, uint8_t& out) const {
        if (!has(offset, 1)) {
            return false;
        }
        out = bytes_[offset];
        return true;
    }
    bool u16(uint64_t offset, uint16_t& out) const {
        if (!has(offset, 2)) {
            return false;
        }
        out = uint16_t(bytes_[offset] | bytes_[offset + 1] << 8);
        return true;
    }
    bool u32(uint64_t offset, uint32_t& out) const {
        if (!has(offset, 4)) {
            return false;
        }
        out = uint32_t(bytes_[offset]) | uint32_t(bytes_[offset + 1]) << 8 |
              uint32_t(bytes_[offset + 2]) << 16 | uint32_t(bytes_[offset + 3]) << 24;
        return true;
    }

private:
    const uint8_t* bytes_;
    size_t size_;
};

constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionRle8 = 1;
constexpr uint32_t kCompressionRle4 = 2;

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

// Everything the pixel decoders need to know, taken from the headers.
struct BmpLayout {
    int32_t width = 0;
    int32_t height = 0;  // always positive; topDown remembers the sign
    bool topDown = false;
    uint16_t bitCount = 0;
    uint32_t compression = kCompressionNone;
    uint64_t pixelOffset = 0;
    // R, G, B per index. Indices the file's table does not cover stay black, so a stray index
    // in the pixel data is harmless.
    uint8_t palette[256][3] = {};
};

// Where a stored row goes in the result: bottom row first whatever the file's row order.
uint8_t* outputRow(BmpImage& image, const BmpLayout& layout, int32_t storedRow) {
    const int32_t row = layout.topDown ? layout.height - 1 - storedRow : storedRow;
    return image.data.get() + size_t(row) * size_t(layout.width) * 3;
}

uint64_t storedRowBytes(const BmpLayout& layout) {
    return (uint64_t(layout.width) * layout.bitCount + 31) / 32 * 4;
}

// Uncompressed rows must all be present; the padding after the very last row may be missing.
bool uncompressedPixelsPresent(const ByteReader& in, const BmpLayout& layout) {
    const uint64_t lastRowBytes = (uint64_t(layout.width) * layout.bitCount + 7) / 8;
    const uint64_t needed = storedRowBytes(layout) * uint64_t(layout.height - 1) + lastRowBytes;
    return in.has(layout.pixelOffset, needed);
}

bool paletteFormat(uint16_t bitCount) { return bitCount == 1 || bitCount == 4 || bitCount == 8; }

BmpError readColourTable(const ByteReader& in, uint64_t offset, uint64_t entries,
                         uint32_t entrySize, BmpLayout& layout) {
    const uint64_t usable = paletteFormat(layout.bitCount) ? (1u << layout.bitCount) : 0;
    const uint64_t count = entries < usable ? entries : usable;
    if (!in.has(offset, count * entrySize)) {
        return BmpError::ConversionFailed;
    }
    for (uint64_t i = 0; i < count; ++i) {
        const uint8_t* bgr = in.at(offset + i * entrySize);
        layout.palette[i][0] = bgr[2];
        layout.palette[i][1] = bgr[1];
        layout.palette[i][2] = bgr[0];
    }
    return BmpError::None;
}

BmpError readLayout(const ByteReader& in, BmpLayout& layout) {
    // With the "BM" file header the pixel data can be anywhere; without it they follow the
    // colour table directly.
    uint64_t infoOffset = 0;
    bool hasFileHeader = false;
    uint32_t fileDataOffset = 0;
    uint8_t b0 = 0, b1 = 0;
    if (in.u8(0, b0) && in.u8(1, b1) && b0 == 'B' && b1 == 'M') {
        if (!in.u32(10, fileDataOffset)) {
            return BmpError::ConversionFailed;
        }
        hasFileHeader = true;
        infoOffset = kFileHeaderSize;
    }

    uint32_t headerSize = 0;
    if (!in.u32(infoOffset, headerSize)) {
        return BmpError::ConversionFailed;
    }
    if (headerSize != kCoreHeaderSize && headerSize != kInfoHeaderSize) {
        return BmpError::UnknownFormat;
    }
    if (!in.has(infoOffset, headerSize)) {
        return BmpError::ConversionFailed;
    }

    int64_t width = 0;
    int64_t height = 0;
    uint32_t colorsUsed = 0;
    uint32_t entrySize = 0;
    if (headerSize == kCoreHeaderSize) {
        // The old OS/2 header: unsigned 16-bit sides, 3-byte colour entries, no compression.
        uint16_t w = 0, h = 0;
        in.u16(infoOffset + 4, w);
        in.u16(infoOffset + 6, h);
        in.u16(infoOffset + 10, layout.bitCount);
        width = w;
        height = h;
        entrySize = 3;
    } else {
        uint32_t w = 0, h = 0;
        in.u32(infoOffset + 4, w);
        in.u32(infoOffset + 8, h);
        in.u16(infoOffset + 14, layout.bitCount);
        in.u32(infoOffset + 16, layout.compression);
        in.u32(infoOffset + 32, colorsUsed);
        width = int32_t(w);
        height = int32_t(h);
        entrySize = 4;
    }

    if (width <= 0 || height == 0) {
        return BmpError::ConversionFailed;
    }
    layout.topDown = height < 0;
    if (layout.topDown) {
        height = -height;  // 64-bit, so even INT32_MIN negates safely; the size cap rejects it
    }
    if (uint64_t(width) * uint64_t(height) > kBmpMaxPixels) {
        return BmpError::ConversionFailed;
    }
    layout.width = int32_t(width);
    layout.height = int32_t(height);

    const uint16_t bits = layout.bitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return BmpError::ConversionFailed;
    }
    // Run-length data are always stored bottom-up and only for their own bit depth.
    const bool validCompression =
        layout.compression == kCompressionNone ||
        (layout.compression == kCompressionRle8 && bits == 8 && !layout.topDown) ||
        (layout.compression == kCompressionRle4 && bits == 4 && !layout.topDown);
    if (!validCompression) {
        return BmpError::ConversionFailed;
    }

    uint64_t entries = colorsUsed;
    if (entries == 0) {
        entries = paletteFormat(bits) ? (1u << bits) : 0;
    }
    const uint64_t tableOffset = infoOffset + headerSize;
    const BmpError tableError = readColourTable(in, tableOffset, entries, entrySize, layout);
    if (tableError != BmpError::None) {
        return tableError;
    }
    layout.pixelOffset = hasFileHeader ? fileDataOffset : tableOffset + entries * entrySize;
    return BmpError::None;
}

// 1-, 4- and 8-bit palette indices, most significant bits first within a byte.
bool decodeIndexed(const ByteReader& in, const BmpLayout& layout, BmpImage& image) {
    if (!uncompressedPixelsPresent(in, layout)) {
        return false;
    }
    const unsigned bits = layout.bitCount;
    const unsigned mask = (1u << bits) - 1;
    const uint64_t rowBytes = storedRowBytes(layout);
    for (int32_t y = 0; y < layout.height; ++y) {
        const uint8_t* src = in.at(layout.pixelOffset + rowBytes * uint64_t(y));
        uint8_t* dst = outputRow(image, layout, y);
        for (int32_t x = 0; x < layout.width; ++x) {
            const uint64_t bit = uint64_t(x) * bits;
            const unsigned shift = 8 - bits - unsigned(bit % 8);
            const unsigned index = (src[bit / 8] >> shift) & mask;
            std::memcpy(dst + size_t(x) * 3, layout.palette[index], 3);
        }
    }
    return true;
}

// 16-bit X1R5G5B5; the 5-bit channels are widened by repeating their top bits, so 31 is 255.
bool decode16(const ByteReader& in, const BmpLayout& layout, BmpImage& image) {
    if (!uncompressedPixelsPresent(in, layout)) {
        return false;
    }
    const uint64_t rowBytes = storedRowBytes(layout);
    for (int32_t y = 0; y < layout.height; ++y) {
        const uint8_t* src = in.at(layout.pixelOffset + rowBytes * uint64_t(y));
        uint8_t* dst = outputRow(image, layout, y);
        for (int32_t x = 0; x < layout.width; ++x, src += 2, dst += 3) {
            const unsigned v = unsigned(src[0]) | unsigned(src[1]) << 8;
            const unsigned r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
            dst[0] = uint8_t(r << 3 | r >> 2);
            dst[1] = uint8_t(g << 3 | g >> 2);
            dst[2] = uint8_t(b << 3 | b >> 2);
        }
    }
    return true;
}

// 24-bit B, G, R and 32-bit B, G, R, unused.
bool decodeTrueColour(const ByteReader& in, const BmpLayout& layout, BmpImage& image) {
    if (!uncompressedPixelsPresent(in, layout)) {
        return false;
    }
    const unsigned step = layout.bitCount / 8;
    const uint64_t rowBytes = storedRowBytes(layout);
    for (int32_t y = 0; y < layout.height; ++y) {
        const uint8_t* src = in.at(layout.pixelOffset + rowBytes * uint64_t(y));
        uint8_t* dst = outputRow(image, layout, y);
        for (int32_t x = 0; x < layout.width; ++x, src += step, dst += 3) {
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
        }
    }
    return true;
}

// RLE8 and RLE4: pairs (count, value) paint count pixels; a zero count introduces an escape
// (0 end of line, 1 end of bitmap, 2 delta, 3+ an absolute run padded to a 16-bit boundary).
// Pixels the stream never reaches stay black. Runs may go on past the end of a row (some
// encoders, ImageMagick among them, run-length the padded row): those pixels are dropped, not
// wrapped. Painting above the top row, or a stream that ends before its end-of-bitmap escape,
// fails the whole decode.
bool decodeRle(const ByteReader& in, const BmpLayout& layout, BmpImage& image) {
    const bool nibbles = layout.compression == kCompressionRle4;
    uint64_t pos = layout.pixelOffset;
    uint64_t x = 0;
    uint64_t y = 0;
    auto put = [&](unsigned index) {
        if (y >= uint64_t(layout.height)) {
            return false;
        }
        if (x < uint64_t(layout.width)) {
            uint8_t* dst = image.data.get() + (y * uint64_t(layout.width) + x) * 3;
            std::memcpy(dst, layout.palette[index], 3);
        }
        ++x;
        return true;
    };
    // In RLE4 both a run's value byte and absolute bytes hold two pixels, high nibble first.
    auto indexAt = [&](uint8_t byte, unsigned k) {
        return nibbles ? unsigned(k % 2 == 0 ? byte >> 4 : byte & 15) : unsigned(byte);
    };

    for (;;) {
        uint8_t count = 0, value = 0;
        if (!in.u8(pos, count) || !in.u8(pos + 1, value)) {
            return false;
        }
        pos += 2;
        if (count > 0) {
            for (unsigned k = 0; k < count; ++k) {
                if (!put(indexAt(value, k))) {
                    return false;
                }
            }
            continue;
        }
        switch (value) {
            case 0:  // end of line
                x = 0;
                ++y;
                break;
            case 1:  // end of bitmap
                return true;
            case 2: {  // delta: move right and up without painting
                uint8_t dx = 0, dy = 0;
                if (!in.u8(pos, dx) || !in.u8(pos + 1, dy)) {
                    return false;
                }
                pos += 2;
                x += dx;
                y += dy;
                break;
            }
            default: {  // absolute run of `value` pixels
                const uint64_t bytes = nibbles ? (uint64_t(value) + 1) / 2 : value;
                if (!in.has(pos, bytes)) {
                    return false;
                }
                const uint8_t* src = in.at(pos);
                for (unsigned k = 0; k < value; ++k) {
                    if (!put(indexAt(src[nibbles ? k / 2 : k], k))) {
                        return false;
                    }
                }
                pos += (bytes + 1) & ~uint64_t(1);
                break;
            }
        }
    }
}

bool decodePixels(const ByteReader& in, const BmpLayout& layout, BmpImage& image) {
    if (layout.compression != kCompressionNone) {
        return decodeRle(in, layout, image);
    }
    switch (layout.bitCount) {
        case 16:
            return decode16(in, layout, image);
        case 24:
        case 32:
            return decodeTrueColour(in, layout, image);
        default:
            return decodeIndexed(in, layout, image);
    }
}

// A read-only mapping of a whole file, released on every path.
class MappedFile {
public:
    explicit MappedFile(const char* path) {
        fd_ = ::open(path, O_RDONLY | O_CLOEXEC);
        if (fd_ < 0) {
            return;
        }
        struct stat st;
        if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0) {
            return;
        }
        void* p = ::mmap(nullptr, size_t(st.st_size), PROT_READ, MAP_PRIVATE, fd_, 0);
        if (p == MAP_FAILED) {
            return;
        }
        bytes_ = static_cast<const uint8_t*>(p);
        size_ = size_t(st.st_size);
    }
    ~MappedFile() {
        if (bytes_ != nullptr) {
            ::munmap(const_cast<uint8_t*>(bytes_), size_);
        }
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    const uint8_t* bytes() const { return bytes_; }
    size_t size() const { return size_; }

private:
    int fd_ = -1;
    const uint8_t* bytes_ = nullptr;
    size_t size_ = 0;
};

}  // namespace

std::unique_ptr<BmpImage> decodeBmp(const uint8_t* bytes, size_t size, BmpError* error) {
    BmpError status = BmpError::None;
    BmpError* result = error != nullptr ? error : &status;
    *result = BmpError::None;

    const ByteReader in(bytes, bytes != nullptr ? size : 0);
    BmpLayout layout;
    *result = readLayout(in, layout);
    if (*result != BmpError::None) {
        return nullptr;
    }

    auto image = std::make_unique<BmpImage>();
    image->sizeX = layout.width;
    image->sizeY = layout.height;
    // Zeroed: run-length pictures leave skipped pixels black.
    image->data.reset(static_cast<uint8_t*>(std::calloc(image->byteCount(), 1)));
    if (image->data == nullptr) {
        *result = BmpError::OutOfMemory;
        return nullptr;
    }
    if (!decodePixels(in, layout, *image)) {
        *result = BmpError::ConversionFailed;
        return nullptr;
    }
    return image;
}

std::unique_ptr<BmpImage> loadBmpImage(const char* path) {
    const MappedFile file(path);
    if (file.bytes() == nullptr) {
        std::fprintf(stderr, "Failed to open DIB file %s.\n", path);
        return nullptr;
    }
    BmpError error = BmpError::None;
    std::unique_ptr<BmpImage> image = decodeBmp(file.bytes(), file.size(), &error);
    if (image == nullptr) {
        std::fprintf(stderr, "%s\n", bmpErrorText(error));
    }
    return image;
}

const char* bmpErrorText(BmpError error) {
    switch (error) {
        case BmpError::None:
            return "";
        case BmpError::OpenFailed:
            return "Failed to open DIB file %s.\n";
        case BmpError::UnknownFormat:
            return "Unknown DIB file format.";
        case BmpError::OutOfMemory:
            return "Out of memory.";
        case BmpError::ConversionFailed:
            return "Image file conversion error.";
    }
    return "";
}

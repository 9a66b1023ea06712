// decodeBmp / loadBmpImage on damaged and hostile files: a message, no record, no stray access.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "render/BmpImage.h"
#include "tests/support/BmpWriter.h"

namespace {

using bmptest::RawBmp;

void set32(std::vector<uint8_t>& file, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        file[at + i] = uint8_t(v >> (8 * i));
    }
}

RawBmp small24() {
    RawBmp raw;
    raw.width = 2;
    raw.height = 2;
    raw.pixels.assign(16, 0x40);
    return raw;
}

RawBmp rle8(std::vector<uint8_t> stream) {
    RawBmp raw;
    raw.width = 4;
    raw.height = 2;
    raw.bitCount = 8;
    raw.compression = 1;
    raw.palette.assign(256, {1, 2, 3});
    raw.pixels = std::move(stream);
    return raw;
}

// Runs the file through loadBmpImage and returns what it wrote on the error stream.
std::string loadFailure(const std::vector<uint8_t>& file, const std::string& name) {
    const std::string path = bmptest::tempPath(name);
    EXPECT_TRUE(bmptest::writeFile(path, file));
    testing::internal::CaptureStderr();
    const std::unique_ptr<BmpImage> image = loadBmpImage(path.c_str());
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_EQ(image, nullptr);
    std::remove(path.c_str());
    return message;
}

TEST(BmpHostileTest, EachFailureReportsItsMessageAndReturnsNoRecord) {
    const std::string unknown = "Unknown DIB file format.\n";
    const std::string conversion = "Image file conversion error.\n";
    struct Case {
        const char* what;
        std::vector<uint8_t> file;
        std::string message;
    };
    std::vector<Case> cases;
    for (const uint32_t size : {108u, 124u, 64u, 0u}) {
        RawBmp raw = small24();
        raw.infoSize = size;
        cases.push_back({"info header size", bmptest::assemble(raw), unknown});
    }
    {
        std::vector<uint8_t> file = bmptest::assemble(small24());
        file.resize(file.size() - 5);
        cases.push_back({"pixel rows cut short", file, conversion});
        file.resize(20);
        cases.push_back({"info header cut short", file, conversion});
        file.resize(3);
        cases.push_back({"file header cut short", file, conversion});
    }
    // Header fields that no decoder may trust.
    const std::pair<const char*, void (*)(RawBmp&)> fields[] = {
        {"zero width", [](RawBmp& r) { r.width = 0; }},
        {"negative width", [](RawBmp& r) { r.width = -2; }},
        {"zero height", [](RawBmp& r) { r.height = 0; }},
        {"most negative height", [](RawBmp& r) { r.height = INT32_MIN; }},
        {"absurd size", [](RawBmp& r) { r.width = r.height = 65536; }},
        {"size whose product wraps in 32 bits", [](RawBmp& r) { r.width = r.height = 0x10001; }},
        {"bit count 2", [](RawBmp& r) { r.bitCount = 2; }},
        {"bit fields compression", [](RawBmp& r) { r.compression = 3; }},
        {"RLE8 on a 24-bit picture", [](RawBmp& r) { r.compression = 1; }},
        {"colour table past the end of file", [](RawBmp& r) {
             r.bitCount = 8;
             r.pixels.assign(8, 0);
         }}};
    for (const auto& [what, change] : fields) {
        RawBmp raw = small24();
        change(raw);
        cases.push_back({what, bmptest::assemble(raw), conversion});
    }
    {
        RawBmp raw = rle8({0, 1});
        raw.height = -2;
        cases.push_back({"top-down RLE", bmptest::assemble(raw), conversion});
    }
    {
        std::vector<uint8_t> file = bmptest::assemble(small24());
        set32(file, 10, 0xFFFFFFF0u);
        cases.push_back({"pixel offset beyond the file", file, conversion});
    }
    cases.push_back({"RLE delta then paint above the top row",
                     bmptest::assemble(rle8({0, 2, 0, 2, 1, 1, 0, 1})), conversion});
    cases.push_back({"RLE line ends above the top row",
                     bmptest::assemble(rle8({0, 0, 0, 0, 1, 1, 0, 1})), conversion});
    cases.push_back(
        {"RLE stream without end of bitmap", bmptest::assemble(rle8({4, 1, 0, 0})), conversion});
    cases.push_back(
        {"RLE absolute run cut short", bmptest::assemble(rle8({0, 9, 1, 2})), conversion});
    cases.push_back({"RLE delta cut short", bmptest::assemble(rle8({0, 2, 1})), conversion});

    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].what);
        EXPECT_EQ(loadFailure(cases[i].file, "hostile" + std::to_string(i) + ".bmp"),
                  cases[i].message);
    }
}

TEST(BmpHostileTest, FilesThatCannotBeOpenedOrMappedNameThePath) {
    const std::string missing = bmptest::tempPath("does_not_exist.bmp");
    const std::string empty = bmptest::tempPath("empty.bmp");
    ASSERT_TRUE(bmptest::writeFile(empty, {}));
    for (const std::string& path : {missing, empty, ::testing::TempDir()}) {
        SCOPED_TRACE(path);
        testing::internal::CaptureStderr();
        EXPECT_EQ(loadBmpImage(path.c_str()), nullptr);
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "Failed to open DIB file " + path + ".\n");
    }
    std::remove(empty.c_str());
}

TEST(BmpHostileTest, EveryPrefixOfAValidFileFailsCleanlyOrDecodes) {
    for (const bmptest::Format format : {bmptest::Format{8, true, true, false, false, false},
                                         bmptest::Format{4, false, false, true, false, false},
                                         bmptest::Format{24, false, true, false, true, false}}) {
        SCOPED_TRACE(format.name());
        bmptest::Picture pic{5, 3, {}};
        for (int i = 0; i < 15; ++i) {
            pic.rgb.insert(pic.rgb.end(), {uint8_t(i % 3 * 100), 0, uint8_t(i % 2 * 255)});
        }
        const std::vector<uint8_t> file = bmptest::encode(pic, format);
        for (size_t n = 0; n < file.size(); ++n) {
            // A copy of exactly n bytes, so the sanitizer sees any read past the end.
            const std::vector<uint8_t> prefix(file.begin(), file.begin() + n);
            const std::unique_ptr<BmpImage> image = decodeBmp(prefix.data(), prefix.size());
            if (image != nullptr) {
                EXPECT_EQ(image->byteCount(), pic.rgb.size()) << n;
            }
        }
    }
}

}  // namespace

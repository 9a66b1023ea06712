// Settings file: its 48-byte layout, short and hostile files, and the all-or-nothing save.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "menus/ConfigFile.h"
#include "menus/Settings.h"

namespace {

namespace fs = std::filesystem;

struct Bytes {
    uint8_t data[kConfigFileSize];
    void setInt(int field, int32_t v) { std::memcpy(data + 4 * field, &v, 4); }
    void setFloat(int field, float v) { std::memcpy(data + 4 * field, &v, 4); }
};

Bytes serialized(const ConfigValues& v) {
    Bytes b;
    serializeConfig(v, b.data);
    return b;
}

void expectSame(const ConfigValues& a, const ConfigValues& b) {
    Bytes x = serialized(a), y = serialized(b);
    EXPECT_EQ(0, std::memcmp(x.data, y.data, kConfigFileSize));
}

TEST(ConfigFile, DefaultsFileHasTheKnownLayoutAndEveryFieldRoundTrips) {
    // Little-endian, no header: the file other copies of the game read and write.
    const uint8_t expected[kConfigFileSize] = {
        11, 0, 0, 0, 0x52, 0x49, 0x9d, 0x3a, 0xfa, 0xed, 0xeb, 0x3a, 1,   0, 0, 0,
        1,  0, 0, 0, 100,  0,    0,    0,    1,    0,    0,    0,    100, 0, 0, 0,
        0,  0, 0, 0, 2,    0,    0,    0,    0,    0,    0,    0,    3,   0, 0, 0};
    Bytes defaults = serialized(ConfigValues());
    EXPECT_EQ(0, std::memcmp(defaults.data, expected, kConfigFileSize));

    ConfigValues v;
    v.difficulty = 17;
    v.verticalSensitivity = 0.0027f;
    v.horizontalSensitivity = 0.0009f;
    v.mouseDirection = -1;
    v.effectsEnabled = 0;
    v.effectsVolume = 250;
    v.musicEnabled = 0;
    v.musicVolume = 30;
    v.lowQualityOtter = 1;
    v.glowLevel = 1;
    v.textureQuality = 3;
    v.textureFiltering = 0;
    Bytes b = serialized(v);
    expectSame(parseConfig(b.data, kConfigFileSize), v);
    // Bytes past the 48 are not settings and change nothing.
    std::vector<uint8_t> longer(b.data, b.data + kConfigFileSize);
    longer.resize(100, 0xff);
    expectSame(parseConfig(longer.data(), longer.size()), v);
}

TEST(ConfigFile, AShortFileKeepsTheDefaultsOfTheFieldsItLacks) {
    Bytes b;
    std::memset(b.data, 0, sizeof b.data);
    b.setInt(0, 20);
    b.setFloat(1, 0.0021f);
    b.setFloat(2, 0.0030f);
    expectSame(parseConfig(b.data, 0), ConfigValues());
    ConfigValues two = parseConfig(b.data, 10);  // half of the third field
    EXPECT_EQ(two.difficulty, 20);
    EXPECT_EQ(two.verticalSensitivity, 0.0021f);
    EXPECT_EQ(two.horizontalSensitivity, 0.0018f);
    EXPECT_EQ(two.mouseDirection, 1);
    EXPECT_EQ(two.textureFiltering, 3);
    EXPECT_EQ(parseConfig(b.data, 47).textureFiltering, 3);
}

TEST(ConfigFile, ValuesThatWouldBreakTheGameFallBackOneByOne) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (int32_t difficulty : {INT_MIN, -1, 0, 4, 21, 1000000, INT_MAX}) {
        Bytes b = serialized(ConfigValues());
        b.setInt(0, difficulty);
        EXPECT_EQ(parseConfig(b.data, kConfigFileSize).difficulty, 11) << difficulty;
    }
    // Far beyond the slider's reach the view would turn several times per pixel.
    for (float s : {nan, inf, -inf, 0.0f, -0.0f, -0.0018f, 0.0101f, 0.5f, 0.9f, 1.5f, 3e38f}) {
        Bytes b = serialized(ConfigValues());
        b.setFloat(1, s);
        b.setFloat(2, s);
        const ConfigValues v = parseConfig(b.data, kConfigFileSize);
        EXPECT_EQ(v.verticalSensitivity, 0.0012f) << s;
        EXPECT_EQ(v.horizontalSensitivity, 0.0018f) << s;
    }
    for (int32_t direction : {0, 2, -2, INT_MIN}) {
        Bytes b = serialized(ConfigValues());
        b.setInt(3, direction);
        EXPECT_EQ(parseConfig(b.data, kConfigFileSize).mouseDirection, 1) << direction;
    }
}

TEST(ConfigFile, VolumesAreClampedAsTheSoundSettersDo) {
    struct Case {
        int32_t stored, loaded;
    };
    for (const Case c : {Case{INT_MIN, 0}, Case{-1, 0}, Case{0, 0}, Case{5, 5}, Case{255, 255},
                         Case{256, 255}, Case{300, 255}, Case{INT_MAX, 255}}) {
        Bytes b = serialized(ConfigValues());
        b.setInt(5, c.stored);
        b.setInt(7, c.stored);
        const ConfigValues v = parseConfig(b.data, kConfigFileSize);
        EXPECT_EQ(v.effectsVolume, c.loaded) << c.stored;
        EXPECT_EQ(v.musicVolume, c.loaded) << c.stored;
    }
}

// Existing files keep loading: every pair the options slider sets, the camera's first pair
// moved along the slider, and values up to the limit stay exactly as stored.
TEST(ConfigFile, EverySensitivityTheSliderReachesIsKeptExactly) {
    std::vector<std::pair<float, float>> pairs = {{0.0012f, 0.0018f}, {0.01f, 0.01f}};
    for (int s = -5; s <= 9; ++s) {
        const float vertical = static_cast<float>(s * 0.0003 + 0.0018);
        pairs.push_back({vertical, static_cast<float>(s * 0.0002 + 0.0012)});
        pairs.push_back({vertical, static_cast<float>(s * 0.0002 + 0.0012 + 0.001)});
    }
    for (const auto& [vertical, horizontal] : pairs) {
        ConfigValues stored;
        stored.verticalSensitivity = vertical;
        stored.horizontalSensitivity = horizontal;
        const ConfigValues v = parseConfig(serialized(stored).data, kConfigFileSize);
        EXPECT_EQ(v.verticalSensitivity, vertical);
        EXPECT_EQ(v.horizontalSensitivity, horizontal);
    }
}

TEST(ConfigFile, OddValuesTheGameToleratesAreKept) {
    Bytes b = serialized(ConfigValues());
    b.setInt(0, 7);    // between two levels: the options show no name, arrows step by 3
    b.setInt(3, -1);   // inverted mouse
    b.setInt(4, 2);    // only 1 means on: applied as off
    b.setInt(6, 5);    // music: only 1 means on
    b.setInt(9, 7);    // a glow level without a name
    b.setInt(10, -2);  // quality clamped by the video settings
    b.setInt(11, 9);   // filtering outside 0..3 is nearest
    const ConfigValues v = parseConfig(b.data, kConfigFileSize);
    EXPECT_EQ(v.difficulty, 7);
    EXPECT_EQ(v.mouseDirection, -1);
    EXPECT_EQ(v.effectsEnabled, 2);
    EXPECT_EQ(v.musicEnabled, 5);
    EXPECT_EQ(v.glowLevel, 7);
    EXPECT_EQ(v.textureQuality, -2);
    EXPECT_EQ(v.textureFiltering, 9);
}

class ReplaceFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("zorblat-config-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        path = (dir / "config.cfg").string();
        std::ofstream(path, std::ios::binary) << "previous";
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string contents() const {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    size_t fileCount() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir), {}));
    }

    fs::path dir;
    std::string path;
    const char* next = "next settings";
};

TEST_F(ReplaceFileTest, ReplacesTheWholeFileAndLeavesNoTemporary) {
    EXPECT_TRUE(configfile::replaceFile(path.c_str(), next, std::strlen(next)));
    EXPECT_EQ(contents(), next);
    EXPECT_EQ(fileCount(), 1u);
}

TEST_F(ReplaceFileTest, ARefusedRenameKeepsThePreviousFile) {
    auto refuse = [](const char*, const char*) { return -1; };
    EXPECT_FALSE(configfile::replaceFile(path.c_str(), next, std::strlen(next), refuse));
    EXPECT_EQ(contents(), "previous");
    EXPECT_EQ(fileCount(), 1u);
}

TEST_F(ReplaceFileTest, AFullDiskKeepsThePreviousFile) {
    // A file size limit makes the write fail as a full disk would.
    rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    void (*previousHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = 4;
    setrlimit(RLIMIT_FSIZE, &tiny);
    const bool ok = configfile::replaceFile(path.c_str(), next, std::strlen(next));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(ok);
    EXPECT_EQ(contents(), "previous");
    EXPECT_EQ(fileCount(), 1u);
}

TEST(ReplaceFile, AFolderNobodyMayWriteToGetsNothingAndHearsNothing) {
    // /proc refuses new files even to root, where a chmod'ed folder would not.
    ::testing::internal::CaptureStderr();
    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(configfile::replaceFile("/proc/zorblat-config.cfg", "x", 1));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(fs::exists("/proc/zorblat-config.cfg"));
}

}  // namespace

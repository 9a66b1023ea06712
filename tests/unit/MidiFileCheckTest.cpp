// MidiFileCheck: only complete songs that last reach the mixer, which would loop a broken one.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "sound/MidiFileCheck.h"
#include "tests/support/TestSoundFiles.h"

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(MidiFileCheckTest, WholeSongsPassAndEveryCutOrEmptySongFails) {
    const std::string written = ::testing::TempDir() + "check.mid";
    ASSERT_TRUE(testsound::writeMidi(written, 1.0));
    for (const std::string& path : {written, std::string("ressources/sons/musique.mid")}) {
        const std::string song = readFile(path);
        ASSERT_GT(song.size(), 22u) << path;
        EXPECT_TRUE(midicheck::playable(song)) << path;
        // Cut anywhere, the song would end at once: the mixer would restart it without pause.
        for (size_t keep = 0; keep < song.size(); ++keep) {
            EXPECT_FALSE(midicheck::playable(song.substr(0, keep))) << path << " cut at " << keep;
        }
    }

    const std::string header("MThd\0\0\0\6\0\0\0\1\0\x60", 14);
    // A track of nothing but its end: zero ticks long.
    EXPECT_FALSE(midicheck::playable(header + std::string("MTrk\0\0\0\4\0\xff\x2f\0", 12)));
    // One note then the end: playable, and wrong in each of three ways it is not.
    const std::string note("\0\x90\x3c\x40\x60\x3c\0\0\xff\x2f\0", 11);
    const std::string track = std::string("MTrk\0\0\0\x0b", 8) + note;
    EXPECT_TRUE(midicheck::playable(header + track));
    std::string system = header + track;
    system[14 + 8 + 1] = '\xf3';  // a system message where a note-on was
    EXPECT_FALSE(midicheck::playable(system));
    std::string noStatus = header + track;
    noStatus[14 + 8 + 1] = '\x3c';  // running status with no status before it
    EXPECT_FALSE(midicheck::playable(noStatus));
    std::string noEnd = header + track;
    noEnd[noEnd.size() - 2] = '\x01';  // a text event instead of the end of the track
    EXPECT_FALSE(midicheck::playable(noEnd));
}

}  // namespace

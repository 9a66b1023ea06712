// Playlist: base directory and M3U reading (slashes, CR LF, comments, last line), track order.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "sound/Playlist.h"
#include "tests/support/TestSoundFiles.h"

namespace {

using Entries = std::vector<std::string>;

Playlist withBase(const std::string& base) {
    Playlist playlist;
    playlist.parseBaseDirectory(base);
    return playlist;
}

TEST(PlaylistBaseDirectory, DefaultsToZMp3AndKeepsItWhenTheFileIsMissing) {
    Playlist playlist;
    EXPECT_EQ(playlist.baseDirectory(), "z:/mp3/");
    playlist.readBaseDirectory("/nonexistent/base_repertoire.txt");
    EXPECT_EQ(playlist.baseDirectory(), "z:/mp3/");
}

TEST(PlaylistBaseDirectory, ConvertsBackslashesAndAlwaysAddsASlash) {
    EXPECT_EQ(withBase("C:\\Musique\\").baseDirectory(), "C:/Musique//");
    EXPECT_EQ(withBase("/home/me/mp3").baseDirectory(), "/home/me/mp3/");
}

TEST(PlaylistBaseDirectory, TheLastNonEmptyLineWinsWhateverTheLineEnds) {
    EXPECT_EQ(withBase("first\nsecond\n\n").baseDirectory(), "second/");
    EXPECT_EQ(withBase("first\r\nsecond\r\n\r\n").baseDirectory(), "second/");
    EXPECT_EQ(withBase("first\nlast").baseDirectory(), "last/");
    // Nothing but empty lines: the default stays.
    EXPECT_EQ(withBase("\n\r\n\n").baseDirectory(), "z:/mp3/");
}

TEST(PlaylistM3u, SkipsCommentLinesAndPrefixesTheBase) {
    Playlist playlist = withBase("d");
    playlist.parseM3u("#EXTM3U\n#EXTINF:123,Titre\na\\b.mp3\n");
    EXPECT_EQ(playlist.entries(), Entries{"d/a/b.mp3"});
    EXPECT_TRUE(playlist.isLoaded());
}

TEST(PlaylistM3u, CrLfFilesReadLikeLfFiles) {
    Playlist lf = withBase("d");
    lf.parseM3u("#EXTM3U\none.ogg\ntwo.ogg\n");
    Playlist crlf = withBase("d");
    crlf.parseM3u("#EXTM3U\r\none.ogg\r\ntwo.ogg\r\n");
    EXPECT_EQ(crlf.entries(), lf.entries());
    EXPECT_EQ(crlf.entries(), (Entries{"d/one.ogg", "d/two.ogg"}));
}

TEST(PlaylistM3u, LastLineWithoutLineFeedAndEmptyLinesAreEntries) {
    Playlist playlist = withBase("d");
    playlist.parseM3u("one.ogg\n\nlast.ogg");
    EXPECT_EQ(playlist.entries(), (Entries{"d/one.ogg", "d/", "d/last.ogg"}));
    // A final line feed closes the last line; it does not open an empty one.
    Playlist closed = withBase("d");
    closed.parseM3u("one.ogg\n");
    EXPECT_EQ(closed.entries(), Entries{"d/one.ogg"});
}

TEST(PlaylistM3u, AMissingFileLeavesThePlaylistUnloaded) {
    Playlist playlist;
    playlist.readM3u("/nonexistent/playlist.m3u");
    EXPECT_FALSE(playlist.isLoaded());
    EXPECT_TRUE(playlist.entries().empty());
}

TEST(PlaylistM3u, ReadsBothFilesFromDisk) {
    const std::string dir = testsound::makeScratchDir();
    ASSERT_TRUE(testsound::writeText(dir + "base.txt", "C:\\Musique\r\n"));
    ASSERT_TRUE(testsound::writeText(dir + "list.m3u", "#EXTM3U\r\nRock\\un.mp3\r\ndeux.mp3"));
    Playlist playlist;
    playlist.readBaseDirectory(dir + "base.txt");
    playlist.readM3u(dir + "list.m3u");
    EXPECT_TRUE(playlist.isLoaded());
    EXPECT_EQ(playlist.entries(), (Entries{"C:/Musique/Rock/un.mp3", "C:/Musique/deux.mp3"}));
    testsound::removeScratchDir(dir);
}

TEST(PlaylistNextTrack, AnEmptyPlaylistGivesAnEmptyNameInEitherOrder) {
    Playlist playlist;
    playlist.parseM3u("#EXTM3U\n#only comments\n");
    EXPECT_TRUE(playlist.isLoaded());
    EXPECT_EQ(playlist.nextTrack(), "");
    playlist.setRandom(true);
    EXPECT_EQ(playlist.nextTrack(), "");
    // And a playlist that never loaded behaves the same.
    EXPECT_EQ(Playlist().nextTrack(), "");
}

TEST(PlaylistNextTrack, FileOrderWrapsAround) {
    Playlist playlist = withBase("d");
    playlist.parseM3u("a\nb\nc\n");
    std::vector<std::string> got;
    for (int i = 0; i < 5; ++i) {
        got.push_back(playlist.nextTrack());
    }
    EXPECT_EQ(got, (Entries{"d/a", "d/b", "d/c", "d/a", "d/b"}));
}

TEST(PlaylistNextTrack, RandomStaysInRangeAndReachesEveryEntry) {
    Playlist playlist = withBase("d");
    playlist.parseM3u("a\nb\nc\nd\ne\n");
    playlist.setRandom(true);
    std::srand(7);
    std::set<std::string> seen;
    for (int i = 0; i < 2000; ++i) {
        const std::string track = playlist.nextTrack();
        ASSERT_GE(playlist.currentIndex(), 0);
        ASSERT_LT(playlist.currentIndex(), 5);
        EXPECT_EQ(track, playlist.entries()[playlist.currentIndex()]);
        seen.insert(track);
    }
    EXPECT_EQ(seen.size(), 5u);
}

TEST(PlaylistNextTrack, SwitchingToFileOrderContinuesFromTheLastTrack) {
    Playlist playlist = withBase("d");
    playlist.parseM3u("a\nb\nc\nd\n");
    playlist.setRandom(true);
    std::srand(3);
    playlist.nextTrack();
    const int last = playlist.currentIndex();
    playlist.setRandom(false);
    EXPECT_EQ(playlist.nextTrack(), playlist.entries()[(last + 1) % 4]);
}

}  // namespace

// DataFolders: which folder's art is used and where the settings are kept, from given facts.
#include "app/DataFolders.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <set>
#include <string>
#include <vector>

namespace {

const std::string kCurrent = "/home/ann/games";
const std::string kExecutableFolder = "/opt/zorblat/games";
const std::string kFromExecutable = "/opt/zorblat/share/games/zorblat";

// A file system where the named folders hold art or are writable and the named files exist.
struct FakeDisk {
    std::set<std::string> art, writable, files;
    FolderFacts facts() const {
        FolderFacts f;
        f.holdsArt = [this](const std::string& folder) { return art.count(folder) > 0; };
        f.writable = [this](const std::string& folder) { return writable.count(folder) > 0; };
        f.exists = [this](const std::string& file) { return files.count(file) > 0; };
        return f;
    }
};

GameEnvironment environment() {
    GameEnvironment e;
    e.currentFolder = kCurrent;
    e.executableFolder = kExecutableFolder;
    e.home = "/home/ann";
    return e;
}

TEST(DataFolders, ArtIsTakenFromTheFirstPlaceThatHoldsIt) {
    ASSERT_EQ(std::string(DataFolders::kInstalledArtFromExecutable), "../share/games/zorblat");
    const std::string installed = DataFolders::kInstalledArtFolder;
    const std::vector<std::string> order = {kCurrent, kExecutableFolder, kFromExecutable,
                                            installed};
    FakeDisk disk;
    EXPECT_EQ(DataFolders(environment(), disk.facts()).artCandidates(), order);
    EXPECT_EQ(DataFolders(environment(), disk.facts()).artFolder(), "");
    // Each place wins over every later one, and is found when it is the only one.
    for (size_t first = order.size(); first-- > 0;) {
        disk.art.insert(order[first]);
        EXPECT_EQ(DataFolders(environment(), disk.facts()).artFolder(), order[first]);
        FakeDisk alone;
        alone.art.insert(order[first]);
        EXPECT_EQ(DataFolders(environment(), alone.facts()).artFolder(), order[first]);
    }

    // Started in its own folder: that folder is looked at once; with no known executable
    // folder only the current and installed folders are left.
    GameEnvironment inPlace = environment();
    inPlace.currentFolder = kExecutableFolder;
    EXPECT_EQ(DataFolders(inPlace, disk.facts()).artCandidates(),
              (std::vector<std::string>{kExecutableFolder, kFromExecutable, installed}));
    GameEnvironment unknown = environment();
    unknown.executableFolder.clear();
    EXPECT_EQ(DataFolders(unknown, disk.facts()).artCandidates(),
              (std::vector<std::string>{kCurrent, installed}));
}

TEST(DataFolders, SettingsStayBesideAPortableCopyAndGoToTheUserConfigFolderOtherwise) {
    const std::string user = "/home/ann/.config/zorblat/config.cfg";
    FakeDisk disk;
    disk.writable = {kCurrent, kExecutableFolder};
    const DataFolders folders(environment(), disk.facts());
    // Art in a writable current folder: a portable copy started in place, file or not.
    EXPECT_EQ(folders.configPath(kCurrent), kCurrent + "/config.cfg");
    // Art beside the game elsewhere: portable only once a config.cfg stands there.
    EXPECT_EQ(folders.configPath(kExecutableFolder), user);
    disk.files.insert(kExecutableFolder + "/config.cfg");
    EXPECT_EQ(folders.configPath(kExecutableFolder), kExecutableFolder + "/config.cfg");
    // A folder that cannot take the replacement file is never used, config.cfg or not.
    disk.writable.clear();
    disk.files.insert(kCurrent + "/config.cfg");
    EXPECT_EQ(folders.configPath(kCurrent), user);
    EXPECT_EQ(folders.configPath(kExecutableFolder), user);
    EXPECT_EQ(folders.configPath(DataFolders::kInstalledArtFolder), user);

    GameEnvironment xdg = environment();
    xdg.xdgConfigHome = "/srv/conf/";
    EXPECT_EQ(DataFolders(xdg, disk.facts()).configPath(kFromExecutable),
              "/srv/conf/zorblat/config.cfg");
    xdg.home.clear();
    EXPECT_EQ(DataFolders(xdg, disk.facts()).configPath(kFromExecutable),
              "/srv/conf/zorblat/config.cfg");
    xdg.xdgConfigHome.clear();
    EXPECT_EQ(DataFolders(xdg, disk.facts()).configPath(kFromExecutable), "");
}

TEST(DataFolders, RelativeHomeOrConfigFolderFromTheEnvironmentIsIgnored) {
    // The game changes folder at start-up: a relative folder would then point elsewhere.
    const char* oldHome = getenv("HOME");
    const std::string savedHome = oldHome ? oldHome : "";
    setenv("HOME", "/home/bob", 1);
    setenv("XDG_CONFIG_HOME", "conf", 1);
    EXPECT_EQ(DataFolders::ofThisProcess(nullptr).configPath("/proc"),
              "/home/bob/.config/zorblat/config.cfg");
    setenv("HOME", "bob", 1);
    EXPECT_EQ(DataFolders::ofThisProcess(nullptr).configPath("/proc"), "");
    unsetenv("XDG_CONFIG_HOME");
    if (oldHome) {
        setenv("HOME", savedHome.c_str(), 1);
    } else {
        unsetenv("HOME");
    }
}

}  // namespace

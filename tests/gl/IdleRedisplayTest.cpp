// The shared idle step of the options and results screens keeps the playlist going.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "framework/ScreenDefaults.h"
#include "sound/SoundManager.h"
#include "tests/support/FakeAudioBackend.h"
#include "tests/support/GlContext.h"

namespace {

bool writeFile(const char* path, const char* text) {
    FILE* f = std::fopen(path, "w");
    return f != nullptr && std::fputs(text, f) >= 0 && std::fclose(f) == 0;
}

// Runs in a fresh child process, so that the game's one sound manager is built here, in a
// folder whose ressources hold a playlist. Ends with _exit so that the child's own leak check
// (of driver allocations) cannot change the code: 0 when the idle step started a new track.
[[noreturn]] void idleAfterTheTrackEnded() {
    char folder[] = "/tmp/zorblat-idle-XXXXXX";
    if (mkdtemp(folder) == nullptr || chdir(folder) != 0 || mkdir("ressources", 0700) != 0 ||
        mkdir("ressources/playlist", 0700) != 0 ||
        !writeFile("ressources/playlist/base_repertoire.txt", "/musique\n") ||
        !writeFile("ressources/playlist/playlist.m3u", "un.ogg\ndeux.ogg\n")) {
        _exit(2);
    }
    gltest::ensureContext();
    FakeAudioBackend* audio = FakeAudioBackend::forInstance();
    if (audio == nullptr) {
        _exit(3);
    }
    SoundManager::instance().setMusicEnabled(true);
    const size_t opened = audio->streams.size();
    audio->finishStream(static_cast<StreamHandle>(opened));
    idleRedisplay();
    const bool moved = audio->streams.size() == opened + 1 && audio->streams.back().played;
    std::remove("ressources/playlist/base_repertoire.txt");
    std::remove("ressources/playlist/playlist.m3u");
    rmdir("ressources/playlist");
    rmdir("ressources");
    rmdir(folder);
    _exit(moved ? 0 : 1);
}

TEST(IdleRedisplayTest, StartsTheNextTrackOnceTheStreamHasEnded) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(idleAfterTheTrackEnded(), ::testing::ExitedWithCode(0), "");
}

}  // namespace

// soak: plays a long game on a stepping clock and checks that nothing grows or drifts.
//
// Usage: soak [--minutes M] [--step MS] [--fire-every N] [--difficulty D] [--seed S]
//   --minutes M      simulated minutes of play (default 60)
//   --step MS        game time per frame (default 100, so an hour is 36,000 frames)
//   --fire-every N   a shot every N frames (default 2)
//   --difficulty D   5, 8, 11, 14, 17 or 20 (default 11)
//
// The player looks at the nearest otter, fires steadily and once a minute walks out and back. A
// lost game is followed at once by a new one. Every simulated minute prints the resident memory
// (VmRSS), the effects alive, kills / hits / shots, respawns, giants and games lost; the last line
// is the verdict:
//   soak: PASS ...   or   soak: FAIL <reasons>
// Memory counts as flat when it grows by at most 4 MiB between the end of the first minute
// (textures and effect pools warmed up) and the end. Exit status 0 on PASS, 1 on FAIL, 2 usage.
// Needs an X display and the ressources/ tree (run where gamereview runs).
#include <GL/freeglut.h>
#include <malloc.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "entities/Building.h"
#include "entities/EffectList.h"
#include "entities/Otter.h"
#include "entities/OtterHerd.h"
#include "entities/Weapon.h"
#include "game/GameScreen.h"
#include "game/ScriptedPlay.h"

namespace {

struct Options {
    int minutes = 60;
    int stepMs = 100;
    int fireEvery = 2;
    int difficulty = 11;
    unsigned seed = 1;
};

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const int value = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--minutes") == 0 && value > 0) {
            o.minutes = value;
        } else if (std::strcmp(argv[i], "--step") == 0 && value > 0 && value <= 1000) {
            o.stepMs = value;
        } else if (std::strcmp(argv[i], "--fire-every") == 0 && value > 0) {
            o.fireEvery = value;
        } else if (std::strcmp(argv[i], "--difficulty") == 0 && value >= 5 && value <= 20 &&
                   value % 3 == 2) {
            o.difficulty = value;
        } else if (std::strcmp(argv[i], "--seed") == 0 && value >= 0) {
            o.seed = static_cast<unsigned>(value);
        } else {
            return false;
        }
    }
    return argc % 2 == 1;
}

long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, 6, "VmRSS:") == 0) {
            return std::atol(line.c_str() + 6);
        }
    }
    return -1;
}

// Bytes the heap hands out now: unlike the resident size, it does not move when the driver
// first touches a texture's finer levels, so a leak shows here first.
long heapInUseKiB() { return static_cast<long>(mallinfo2().uordblks / 1024); }

bool findRessources() {
    for (int up = 0; up < 4; ++up) {
        if (access("ressources/textures", F_OK) == 0) {
            return true;
        }
        if (chdir("..") != 0) {
            return false;
        }
    }
    return false;
}

bool finite(const Vector3& v) {
    return std::isfinite(v.x()) && std::isfinite(v.y()) && std::isfinite(v.z());
}

// Looks at the middle of the nearest live otter, as a good player would: the soak is about
// many kills, respawns and giants, not about aiming.
void aimAtNearestOtter(Weapon& player, const OtterHerd& herd) {
    const Vector3 eye = player.position();
    float best = 1e30f;
    for (int i = 0; i < herd.count(); ++i) {
        const Otter& otter = herd.otter(i);
        const Vector3 d = otter.position() - eye;
        const float flat = std::sqrt(d.x() * d.x() + d.z() * d.z());
        if (!otter.isAlive() || flat >= best || flat < 1.0f) {
            continue;
        }
        best = flat;
        player.setYaw(std::atan2(d.x(), d.z()));
        const float middle = otter.position().y() + 15.0f * otter.effectiveScale();
        player.setPitch(std::atan2(eye.y() - middle, flat));
    }
}

struct Totals {
    long respawns = 0;
    long giants = 0;
    long lost = 0;
    long kills = 0;  // over all games
    long hits = 0;
    long shots = 0;
    int maxEffects = 0;
    std::vector<std::string> faults;

    void fault(const std::string& what) {
        if (faults.size() < 10) {
            faults.push_back(what);
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: %s [--minutes M] [--step MS] [--fire-every N] [--difficulty D] "
                     "[--seed S]\n",
                     argv[0]);
        return 2;
    }
    if (!findRessources()) {
        std::fprintf(stderr, "soak: no ressources/ folder here or above\n");
        return 2;
    }
    ScriptedPlay::useSilentSoundDevice();
    ScriptedPlay::openGameWindow("soak");
    GameScreen& screen = GameScreen::instance();

    PlayScript script;
    script.difficulty = options.difficulty;
    script.seed = options.seed;
    script.frameStepMs = options.stepMs;
    // The cheapest picture: the soak is about the game's state, and llvmpipe is slow.
    script.glowLevel = 0;
    script.textureQuality = 3;
    const long framesPerMinute = 60000 / options.stepMs;
    script.frames = static_cast<int>(framesPerMinute * options.minutes);

    ScriptedPlay play(screen, script);
    play.start();
    Weapon& player = screen.player();
    OtterHerd& herd = play.herd();

    Totals totals;
    std::vector<char> wasAlive(herd.count(), 1);
    int shotsThisGame = 0;
    PlayCounters last;
    long rssAfterFirstMinute = -1;
    long rssStart = residentKiB();
    int lastScore = 0;
    std::printf(
        "soak: %d min at %d ms per frame, difficulty %d, a shot every %d frames; "
        "RSS at start %ld KiB\n",
        options.minutes, options.stepMs, options.difficulty, options.fireEvery, rssStart);

    for (long frame = 0; frame < script.frames; ++frame) {
        aimAtNearestOtter(player, herd);
        const long inMinute = frame % framesPerMinute;
        if (inMinute == 10) {
            screen.keyboard('z', 0, 0);
        } else if (inMinute == 30) {
            screen.keyboardUp('z', 0, 0);
            screen.keyboard('s', 0, 0);
        } else if (inMinute == 50) {
            screen.keyboardUp('s', 0, 0);
        }
        if (frame % options.fireEvery == 0) {
            screen.mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 512, 384);
            screen.mouse(GLUT_LEFT_BUTTON, GLUT_UP, 512, 384);
            ++shotsThisGame;
        }
        play.playFrame();

        const PlayCounters now = play.counters();
        if (!(now.kills <= now.hits && now.hits <= now.shots) || now.shots != shotsThisGame) {
            totals.fault("counters out of step at frame " + std::to_string(frame));
        }
        if (player.score() < lastScore) {
            totals.fault("score went down at frame " + std::to_string(frame));
        }
        lastScore = player.score();
        if (!finite(player.position())) {
            totals.fault("player position not finite at frame " + std::to_string(frame));
        }
        for (int i = 0; i < herd.count(); ++i) {
            const Otter& otter = herd.otter(i);
            if (!finite(otter.position())) {
                totals.fault("otter " + std::to_string(i) + " not finite at frame " +
                             std::to_string(frame));
            }
            const bool alive = otter.isAlive();
            if (alive && !wasAlive[i]) {
                ++totals.respawns;
                totals.giants += otter.giant() ? 1 : 0;
            }
            wasAlive[i] = alive;
        }
        if (play.effectCount() > totals.maxEffects) {
            totals.maxEffects = play.effectCount();
        }
        last = now;

        if (herd.building().life() <= 0) {
            // Lost: the next game starts at once, as a player pressing "new game" would.
            ++totals.lost;
            totals.kills += now.kills;
            totals.hits += now.hits;
            totals.shots += now.shots;
            screen.newGame();
            shotsThisGame = 0;
            lastScore = 0;
            last = PlayCounters{};
            wasAlive.assign(herd.count(), 1);
        }

        if ((frame + 1) % framesPerMinute == 0) {
            const long rss = residentKiB();
            if (rssAfterFirstMinute < 0) {
                rssAfterFirstMinute = rss;
            }
            std::printf(
                "minute %3ld: RSS %ld KiB, heap in use %ld KiB, effects %d (max %d), game "
                "kills/hits/shots "
                "%d/%d/%d, respawns %ld, giants %ld, games lost %ld\n",
                (frame + 1) / framesPerMinute, rss, heapInUseKiB(), play.effectCount(),
                totals.maxEffects, now.kills, now.hits, now.shots, totals.respawns, totals.giants,
                totals.lost);
            std::fflush(stdout);
        }
    }
    totals.kills += last.kills;
    totals.hits += last.hits;
    totals.shots += last.shots;

    const long rssEnd = residentKiB();
    const long growth = rssEnd - rssAfterFirstMinute;
    if (rssAfterFirstMinute >= 0 && growth > 4096) {
        totals.fault("resident memory grew by " + std::to_string(growth) + " KiB");
    }
    if (totals.maxEffects > EffectList::kMaxEffects) {
        totals.fault("effect list past its bound");
    }
    if (totals.hits == 0 || totals.respawns == 0) {
        totals.fault("the soak never hit an otter or saw a respawn: it tested too little");
    }
    std::printf(
        "soak: %s RSS start %ld KiB, after minute 1 %ld KiB, end %ld KiB; max effects "
        "%d; kills/hits/shots %ld/%ld/%ld; respawns %ld, giants %ld, games lost %ld\n",
        totals.faults.empty() ? "PASS" : "FAIL", rssStart, rssAfterFirstMinute, rssEnd,
        totals.maxEffects, totals.kills, totals.hits, totals.shots, totals.respawns, totals.giants,
        totals.lost);
    for (const std::string& fault : totals.faults) {
        std::printf("soak: fault: %s\n", fault.c_str());
    }
    return totals.faults.empty() ? 0 : 1;
}

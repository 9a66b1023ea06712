// gamereview: plays a game on the real game screen from a fixed seed and writes the last frame.
//
// Usage: gamereview [options] --out FRAME.png
//   --frames N         frames to play (default 120), 16 ms of game time each
//   --difficulty D     5, 8, 11, 14, 17 or 20 (default 11)
//   --seed S           the random seed (default 1)
//   --turn F:R         turn by R radians at frame F (positive turns left); F1-F2:R turns by R
//                      at every frame from F1 to F2. Repeatable.
//   --walk F1-F2:K     hold the walking key K (z, q, s or d) from frame F1 to F2. Repeatable.
//   --fire F,F,...     press the left button at these frames
//   --glow L           glow level 0, 1 or 2 (default 2)
//   --low-otter        the low-polygon otter
//   --quality Q        texture quality 0 (best) to 3 (default 0)
//   --filtering F      texture filtering 0 to 3 (default 3)
//   --life N           set the building's life to N right after the game starts
//   --distant-detail D otters farther than D units from the eye use the low-polygon model
//
// The menus are not built and the sound plays on SDL's silent driver. Run it where the
// ressources/ tree is (the build folder), or anywhere inside that build folder. Needs an X
// display; a virtual one serves:
//   Xvfb :5 -screen 0 1024x768x24 & DISPLAY=:5 build/release/tools/gamereview/gamereview ...
// Exit status: 0 written; 1 the picture cannot be written or ressources/ is not found; 2 usage.
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "entities/Building.h"
#include "entities/Otter.h"
#include "entities/OtterHerd.h"
#include "entities/Weapon.h"
#include "game/GameScreen.h"
#include "game/QualityGovernor.h"
#include "game/ScriptedPlay.h"
#include "render/GlExtensions.h"
#include "tools/modelviewer/PngWriter.h"

namespace {

struct Options {
    PlayScript script;
    std::string out;
    int life = -1;
    int distantDetail = 0;
};

bool parseInt(const char* text, const char** end, long low, long high, int& value) {
    char* stop = nullptr;
    errno = 0;
    const long v = std::strtol(text, &stop, 10);
    if (stop == text || errno != 0 || v < low || v > high) {
        return false;
    }
    value = static_cast<int>(v);
    if (end) {
        *end = stop;
    } else if (*stop != '\0') {
        return false;
    }
    return true;
}

// "F" or "F1-F2", followed by ':' (the rest is returned in rest).
bool parseSpan(const char* text, int& first, int& last, const char*& rest) {
    const char* p = nullptr;
    if (!parseInt(text, &p, 0, INT_MAX - 1, first)) {
        return false;
    }
    last = first;
    if (*p == '-' && !parseInt(p + 1, &p, first, INT_MAX - 1, last)) {
        return false;
    }
    if (*p != ':') {
        return false;
    }
    rest = p + 1;
    return true;
}

bool parseTurn(const char* text, PlayScript::Turn& turn) {
    const char* rest = nullptr;
    if (!parseSpan(text, turn.first, turn.last, rest)) {
        return false;
    }
    char* stop = nullptr;
    turn.radiansPerFrame = std::strtof(rest, &stop);
    return stop != rest && *stop == '\0' && turn.radiansPerFrame == turn.radiansPerFrame;
}

bool parseWalk(const char* text, PlayScript::Walk& walk) {
    const char* rest = nullptr;
    if (!parseSpan(text, walk.first, walk.last, rest) || std::strlen(rest) != 1 ||
        std::strchr("zqsd", rest[0]) == nullptr) {
        return false;
    }
    walk.key = rest[0];
    return true;
}

bool parseShots(const char* text, std::vector<int>& shots) {
    const char* p = text;
    for (;;) {
        int frame = 0;
        if (!parseInt(p, &p, 0, INT_MAX, frame)) {
            return false;
        }
        shots.push_back(frame);
        if (*p == '\0') {
            return true;
        }
        if (*p++ != ',') {
            return false;
        }
    }
}

bool parseOptions(int argc, char** argv, Options& o) {
    PlayScript& s = o.script;
    for (int i = 1; i < argc; ++i) {
        const char* name = argv[i];
        if (std::strcmp(name, "--low-otter") == 0) {
            s.lowQualityOtter = true;
            continue;
        }
        if (i + 1 >= argc) {
            return false;
        }
        const char* value = argv[++i];
        bool ok = true;
        if (std::strcmp(name, "--frames") == 0) {
            ok = parseInt(value, nullptr, 1, 1000000, s.frames);
        } else if (std::strcmp(name, "--difficulty") == 0) {
            ok = parseInt(value, nullptr, 5, 20, s.difficulty) && s.difficulty % 3 == 2;
        } else if (std::strcmp(name, "--seed") == 0) {
            int seed = 0;
            ok = parseInt(value, nullptr, 0, INT_MAX, seed);
            s.seed = static_cast<unsigned>(seed);
        } else if (std::strcmp(name, "--turn") == 0) {
            s.turns.emplace_back();
            ok = parseTurn(value, s.turns.back());
        } else if (std::strcmp(name, "--walk") == 0) {
            s.walks.emplace_back();
            ok = parseWalk(value, s.walks.back());
        } else if (std::strcmp(name, "--fire") == 0) {
            ok = parseShots(value, s.shotFrames);
        } else if (std::strcmp(name, "--glow") == 0) {
            ok = parseInt(value, nullptr, 0, 2, s.glowLevel);
        } else if (std::strcmp(name, "--quality") == 0) {
            ok = parseInt(value, nullptr, 0, 3, s.textureQuality);
        } else if (std::strcmp(name, "--filtering") == 0) {
            ok = parseInt(value, nullptr, 0, 3, s.textureFiltering);
        } else if (std::strcmp(name, "--step") == 0) {
            ok = parseInt(value, nullptr, 0, qualitysteps::kCount - 1, s.qualityStep);
        } else if (std::strcmp(name, "--life") == 0) {
            ok = parseInt(value, nullptr, 0, 1000, o.life);
        } else if (std::strcmp(name, "--distant-detail") == 0) {
            ok = parseInt(value, nullptr, 0, 100000, o.distantDetail);
        } else if (std::strcmp(name, "--out") == 0) {
            o.out = value;
        } else {
            ok = false;
        }
        if (!ok) {
            std::fprintf(stderr, "gamereview: bad value for %s: %s\n", name, value);
            return false;
        }
    }
    return !o.out.empty();
}

// The game reads ./ressources/; from inside a build folder, climb to where it is.
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

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: %s [--frames N] [--difficulty D] [--seed S] [--turn F[-F]:RAD]...\n"
                     "       [--walk F-F:KEY]... [--fire F,F...] [--glow 0|1|2] [--low-otter]\n"
                     "       [--quality Q] [--filtering F] [--life N] [--distant-detail D]\n"
                     "       --out FRAME.png\n",
                     argv[0]);
        return 2;
    }
    if (options.out[0] != '/') {
        char cwd[4096];
        if (getcwd(cwd, sizeof cwd) == nullptr) {
            return 1;
        }
        options.out = std::string(cwd) + "/" + options.out;
    }
    if (!findRessources()) {
        std::fprintf(stderr, "gamereview: no ressources/ folder here or above\n");
        return 1;
    }

    ScriptedPlay::useSilentSoundDevice();
    ScriptedPlay::openGameWindow("gamereview");
    GameScreen& screen = GameScreen::instance();
    FramePicture last;
    {
        ScriptedPlay play(screen, options.script);
        play.start();
        screen.setOtterDetailDistance(static_cast<float>(options.distantDetail));
        if (options.life >= 0) {
            play.herd().building().setLife(options.life);
        }
        play.playAll(&last);

        if (!writePng(options.out.c_str(), last.width, last.height, last.topRowFirst())) {
            std::fprintf(stderr, "gamereview: cannot write %s\n", options.out.c_str());
            return 1;
        }
        std::printf(
            "gamereview: %d frames at difficulty %d, seed %u, glow %d, %s renderer: score %d, "
            "life %d; written to %s\n",
            play.frame(), options.script.difficulty, options.script.seed, options.script.glowLevel,
            !multitextureSupported   ? "software"
            : vertexProgramSupported ? "vertex program"
                                     : "multitexture",
            screen.player().score(), play.herd().building().life(), options.out.c_str());
    }
    return 0;
}

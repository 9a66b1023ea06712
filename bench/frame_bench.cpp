// frame_bench: whole game frames at 1024 x 768 (update and drawing) for each toon renderer,
// glow level and otter model, beside a bare frame (clear, sky box, ground) drawn in the same
// process; where a frame's time goes step by step; heap allocations per frame.
//
// Usage: frame_bench [MEASURED_FRAMES [CONFIG...]]   (default 200 frames, every configuration;
// configurations are numbered from 1 in the order printed, for profiling one alone). Needs an X
// display. Each configuration runs in a child process of its own, because the renderer variant is
// forced through the driver's extension string, which Mesa reads when the context is created.
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <dlfcn.h>
#include <execinfo.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>
#include <vector>

#include "entities/Weapon.h"
#include "game/FrameStepProbe.h"
#include "game/GameScreen.h"
#include "game/GroundQuad.h"
#include "game/QualityGovernor.h"
#include "game/ScriptedPlay.h"
#include "render/GlExtensions.h"
#include "render/SkyBox.h"
#include "render/Texture.h"
#include "render/TextureSets.h"

// Every allocation of the process is counted, and those made from inside the driver apart: the
// software rasteriser compiles a new shader variant through LLVM the first time it meets a
// combination of state, which the game cannot avoid. What is left is the game's own.
namespace {
std::atomic<long> allocationCount{0};
std::atomic<long> driverAllocationCount{0};
thread_local bool classifying = false;
// Telling them apart walks the stack, which is slow: only the measured frames are classified.
std::atomic<bool> measuring{false};

bool calledFromDriver() {
    void* frames[8];
    const int n = backtrace(frames, 8);
    for (int i = 2; i < n; ++i) {
        Dl_info info{};
        if (dladdr(frames[i], &info) && info.dli_fname &&
            (std::strstr(info.dli_fname, "libLLVM") || std::strstr(info.dli_fname, "_dri."))) {
            return true;
        }
    }
    return false;
}

void countAllocation() {
    allocationCount.fetch_add(1, std::memory_order_relaxed);
    if (measuring.load(std::memory_order_relaxed) && !classifying) {
        classifying = true;
        if (calledFromDriver()) {
            driverAllocationCount.fetch_add(1, std::memory_order_relaxed);
        }
        classifying = false;
    }
}
}  // namespace

void* operator new(std::size_t size) {
    countAllocation();
    if (void* p = std::malloc(size ? size : 1)) {
        return p;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    countAllocation();
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

constexpr int kWarmUpFrames = 30;
constexpr int kInstrumentedFrames = 60;
constexpr int kShotEvery = 25;

struct Config {
    const char* renderer;           // as the game reports the variant it chose
    const char* extensionOverride;  // null: the driver as it is
    int difficulty;
    int glowLevel;
    bool lowOtter;
    int qualityStep;  // the drawing quality the game would lower itself to on a slow machine
};

double nowMs() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Processor time of every thread of the process, the driver's rasteriser threads included. On
// a shared machine wall times stretch with the load while this stays close to the work done.
double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1.0e6;
}

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const size_t i = std::min(values.size() - 1, size_t(p * double(values.size() - 1) + 0.5));
    return values[i];
}

// The same camera path for every configuration: face the building, back away from it while
// turning, then walk round with the view sweeping across the herd, firing now and then.
PlayScript cameraPath(const Config& config, int frames) {
    PlayScript script;
    script.frames = frames;
    script.seed = 7;
    script.difficulty = config.difficulty;
    script.glowLevel = config.glowLevel;
    script.lowQualityOtter = config.lowOtter;
    script.qualityStep = config.qualityStep;
    script.turns = {{0, 0, 3.14f}, {1, frames, 0.006f}};
    script.walks = {{0, 80, 's'}, {120, 200, 'q'}, {260, 400, 'z'}};
    // One shot in the warm-up, so the driver has compiled what a shot draws before the
    // measured frames start (its first sight of a state costs a shader compile).
    script.shotFrames.push_back(kWarmUpFrames / 3);
    for (int f = kWarmUpFrames; f < frames; f += kShotEvery) {
        script.shotFrames.push_back(f);
    }
    return script;
}

// The bare frame: what any 3D frame costs before the game draws anything of its own.
struct BareFrame {
    SkyBox sky;
    Texture ground;
    void load() {
        sky.load("./ressources/textures/skybox", 0, 3);
        texturesets::loadWorldRepeating(ground, "./ressources/textures/sol.bmp", 0, 3);
    }
    void draw(const Weapon& camera) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        camera.apply();
        glEnable(GL_TEXTURE_2D);
        glColor3f(0.5f, 0.5f, 0.5f);
        const Vector3& eye = camera.position();
        sky.draw(eye.x(), eye.y(), eye.z());
        glBindTexture(GL_TEXTURE_2D, ground.id());
        glBegin(GL_QUADS);
        const float repeat[4][2] = {{0, 0}, {200, 0}, {200, 200}, {0, 200}};
        for (int i = 0; i < 4; ++i) {
            glTexCoord2f(repeat[i][0], repeat[i][1]);
            glVertex3f(groundquad::kCorners[i][0], 0.0f, groundquad::kCorners[i][1]);
        }
        glEnd();
        glutSwapBuffers();
        glFinish();
    }
};

// The calling thread's processor time: the game's own work and the driver's vertex stage,
// without the rasteriser threads.
double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1.0e6;
}

struct StepTimes {
    double startMs = 0.0;
    double startThreadMs = 0.0;
    double sums[int(FrameStep::Count)] = {};
    double threadSums[int(FrameStep::Count)] = {};
    void start() {
        glFinish();
        startMs = cpuMs();
        startThreadMs = threadCpuMs();
    }
};

void timeStep(FrameStep step, void* context) {
    auto* times = static_cast<StepTimes*>(context);
    glFinish();
    const double now = cpuMs();
    const double nowThread = threadCpuMs();
    times->sums[int(step)] += now - times->startMs;
    times->threadSums[int(step)] += nowThread - times->startThreadMs;
    times->startMs = now;
    times->startThreadMs = nowThread;
}

void runConfig(const Config& config, int measuredFrames) {
    if (config.extensionOverride) {
        setenv("MESA_EXTENSION_OVERRIDE", config.extensionOverride, 1);
    }
    ScriptedPlay::useSilentSoundDevice();
    ScriptedPlay::openGameWindow("frame_bench");
    GameScreen& screen = GameScreen::instance();
    const char* chosen = !multitextureSupported   ? "software"
                         : vertexProgramSupported ? "vertex program"
                                                  : "multitexture";
    BareFrame bare;
    bare.load();

    const int total = kWarmUpFrames + measuredFrames + kInstrumentedFrames;
    PlayScript script = cameraPath(config, total);
    ScriptedPlay play(screen, script);
    play.start();
    while (play.frame() < kWarmUpFrames) {
        play.playFrame();
    }
    glFinish();

    std::vector<double> frameMs, bareMs, frameCpuMs, bareCpuMs, shotCpuMs;
    // Room for every figure up front: the counts below must see the game's allocations only.
    for (auto* figures : {&frameMs, &bareMs, &frameCpuMs, &bareCpuMs, &shotCpuMs}) {
        figures->reserve(size_t(measuredFrames));
    }
    long quietAllocations = 0, quietFrames = 0, shotAllocations = 0, shotFrames = 0;
    long mostInAQuietFrame = 0, driverAllocations = 0;
    measuring = true;
    for (int i = 0; i < measuredFrames; ++i) {
        const bool shot =
            std::count(script.shotFrames.begin(), script.shotFrames.end(), play.frame()) > 0;
        const long before = allocationCount.load();
        const long driverBefore = driverAllocationCount.load();
        const double start = nowMs();
        const double startCpu = cpuMs();
        play.playFrame();
        glFinish();
        frameMs.push_back(nowMs() - start);
        frameCpuMs.push_back(cpuMs() - startCpu);
        const long driverMade = driverAllocationCount.load() - driverBefore;
        driverAllocations += driverMade;
        const long made = allocationCount.load() - before - driverMade;
        (shot ? shotAllocations : quietAllocations) += made;
        ++(shot ? shotFrames : quietFrames);
        if (shot) {
            shotCpuMs.push_back(frameCpuMs.back());
        }
        if (!shot) {
            mostInAQuietFrame = std::max(mostInAQuietFrame, made);
        }
        // The bare frame from the same place, interleaved so both see the same machine load.
        const double bareStart = nowMs();
        const double bareStartCpu = cpuMs();
        bare.draw(screen.player());
        bareMs.push_back(nowMs() - bareStart);
        bareCpuMs.push_back(cpuMs() - bareStartCpu);
    }

    measuring = false;
    StepTimes steps;
    frameprobe::install(timeStep, &steps);
    for (int i = 0; i < kInstrumentedFrames; ++i) {
        steps.start();
        play.playFrame();
    }
    frameprobe::install(nullptr, nullptr);

    const double median = percentile(frameMs, 0.5);
    const double bareMedian = percentile(bareMs, 0.5);
    std::printf(
        "%-14s d%-2d glow %d %-6s step %d  median %7.2f ms  p99 %7.2f ms  bare %6.2f ms  "
        "x%5.2f  game allocs/frame %.2f (max %ld; %.1f in a shot frame; driver %ld in all)\n",
        chosen, config.difficulty, config.glowLevel, config.lowOtter ? "low" : "normal",
        config.qualityStep, median, percentile(frameMs, 0.99), bareMedian, median / bareMedian,
        quietFrames ? double(quietAllocations) / quietFrames : 0.0, mostInAQuietFrame,
        shotFrames ? double(shotAllocations) / shotFrames : 0.0, driverAllocations);
    const double cpuMedian = percentile(frameCpuMs, 0.5);
    const double bareCpuMedian = percentile(bareCpuMs, 0.5);
    std::printf(
        "    processor time, all threads: median %.2f ms  p99 %.2f ms  bare %.2f ms  x%5.2f  "
        "shot frames' median %.2f ms\n",
        cpuMedian, percentile(frameCpuMs, 0.99), bareCpuMedian, cpuMedian / bareCpuMedian,
        shotCpuMs.empty() ? 0.0 : percentile(shotCpuMs, 0.5));
    std::printf("    per step (processor ms, of which the main thread's; glFinish after each):");
    for (int s = 0; s < int(FrameStep::Count); ++s) {
        std::printf("%s %s %.2f (%.2f)", s ? "," : "", frameStepName(FrameStep(s)),
                    steps.sums[s] / kInstrumentedFrames, steps.threadSums[s] / kInstrumentedFrames);
    }
    std::printf("\n");
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const int measured = argc > 1 ? std::max(10, std::atoi(argv[1])) : 200;
    const Config configs[] = {
        {"software", "-GL_ARB_multitexture", 11, 2, false, 0},
        {"software", "-GL_ARB_multitexture", 20, 2, false, 0},
        {"multitexture", "-GL_ARB_vertex_program", 11, 2, false, 0},
        {"multitexture", "-GL_ARB_vertex_program", 20, 2, false, 0},
        {"default", nullptr, 11, 2, false, 0},
        {"default", nullptr, 20, 2, false, 0},
        {"default", nullptr, 11, 0, false, 0},
        {"default", nullptr, 20, 0, false, 0},
        {"default", nullptr, 11, 1, false, 0},
        {"default", nullptr, 20, 1, false, 0},
        {"default", nullptr, 11, 2, true, 0},
        {"default", nullptr, 20, 2, true, 0},
        {"default", nullptr, 11, 2, false, 1},
        {"default", nullptr, 20, 2, false, 1},
        {"default", nullptr, 11, 2, false, 2},
        {"default", nullptr, 20, 2, false, 2},
        {"default", nullptr, 11, 2, false, qualitysteps::kCount - 1},
        {"default", nullptr, 20, 2, false, qualitysteps::kCount - 1},
    };
    std::printf(
        "frame_bench: %d measured frames per configuration at 1024 x 768, seed 7, "
        "glFinish after each frame; bare = clear + sky box + ground\n",
        measured);
    std::fflush(stdout);
    const int configCount = int(sizeof(configs) / sizeof(configs[0]));
    std::vector<int> chosen;
    for (int a = 2; a < argc; ++a) {
        const int n = std::atoi(argv[a]);
        if (n >= 1 && n <= configCount) {
            chosen.push_back(n - 1);
        }
    }
    if (chosen.empty()) {
        for (int n = 0; n < configCount; ++n) {
            chosen.push_back(n);
        }
    }
    for (int n : chosen) {
        const Config& config = configs[n];
        const pid_t child = fork();
        if (child == 0) {
            runConfig(config, measured);
            std::fflush(stdout);
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::printf("  (%s, difficulty %d: the run failed)\n", config.renderer,
                        config.difficulty);
        }
    }
    return 0;
}

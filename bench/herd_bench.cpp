// herd_bench: processor time of the otter herd's logic per frame, and heap use during it.
//
// Run from the build folder (where ressources/ is generated) on an X display, e.g.
//   cd build/release && DISPLAY=:5 bench/herd_bench
// The herd's logic is timed with the otters and the building drawn by no renderer, so only
// the walking, judging, respawning and culling remain (the frustum still reads the matrices).
// A second run draws everything through the toon renderer; the difference is the drawing.
// Exits with status 1 when a frame without an arrival allocated on the heap.
#include <GL/freeglut.h>
#include <GL/glu.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <new>

#include "entities/Building.h"
#include "entities/Otter.h"
#include "entities/OtterHerd.h"
#include "render/Clock.h"
#include "render/GlExtensions.h"
#include "render/Model.h"
#include "render/Texture.h"
#include "render/TextureSets.h"
#include "render/ToonRendererFactory.h"
#include "sound/SoundManager.h"

namespace {

std::atomic<long> allocations{0};

constexpr int kDifficulty = 20;  // d + 10 = 30 otters
constexpr int kOtters = kDifficulty + 10;
constexpr int kFrameMs = 16;
constexpr int kLogicFrames = 6000;  // long enough for every otter to arrive and come back
constexpr int kDrawnFrames = 300;

int simulatedNow = 0;

double processorMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1.0e6;
}

std::unique_ptr<OtterHerd> makeHerd(Model& otterModel, Model& buildingModel, ToonRenderer* renderer,
                                    const Vector3& light) {
    auto herd = std::make_unique<OtterHerd>();
    auto building = std::make_unique<Building>();
    building->setModel(&buildingModel);
    building->setRenderer(renderer);
    building->setLight(&light);
    building->setLife(50 - kDifficulty);
    herd->setBuilding(std::move(building));
    auto otters = std::make_unique<Otter[]>(kOtters);
    for (int i = 0; i < kOtters; ++i) {
        otters[i].setModel(&otterModel);
        otters[i].setRenderer(renderer);
        otters[i].setLight(&light);
        otters[i].setLife(kDifficulty / 5 + 1);
        otters[i].setSpeed(static_cast<float>((kDifficulty / 10 + 1.0) * 0.03));
    }
    herd->setSpawnRadius(1500.0f);
    herd->setOtters(std::move(otters), kOtters);
    return herd;
}

struct Run {
    double processorMsPerFrame = 0.0;
    long allocationsWithoutArrival = 0;
    long allocationsWithArrival = 0;
    int arrivalFrames = 0;
    int respawns = 0;
};

Run run(OtterHerd& herd, int frames, bool finishDrawing) {
    Run result;
    double total = 0.0;
    for (int frame = 0; frame < frames; ++frame) {
        simulatedNow += kFrameMs;
        bool deadBefore[kOtters];
        for (int i = 0; i < kOtters; ++i) {
            deadBefore[i] = !herd.otter(i).isAlive();
        }
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        const long allocatedBefore = allocations.load();
        const double start = processorMs();
        herd.updateAndDraw(kDifficulty);
        if (finishDrawing) {
            glFinish();
        }
        total += processorMs() - start;
        const long allocated = allocations.load() - allocatedBefore;
        for (int i = 0; i < kOtters; ++i) {
            // Dead otters only come back to life by respawning within the frame.
            result.respawns += deadBefore[i] && herd.otter(i).isAlive() ? 1 : 0;
        }
        if (herd.wasBuildingHit()) {
            ++result.arrivalFrames;
            result.allocationsWithArrival += allocated;
        } else {
            result.allocationsWithoutArrival += allocated;
        }
        herd.clearEffects();
    }
    result.processorMsPerFrame = total / frames;
    return result;
}

void loadSkin(Model& model, const char* path) {
    model.setTexture(std::make_unique<Texture>());
    texturesets::loadWorld(*model.texture(), path, 3, 1);
}

}  // namespace

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(1024, 768);
    glutCreateWindow("herd_bench");
    glutDisplayFunc([] {});
    glutMainLoopEvent();
    gameclock::setSource([] { return simulatedNow; });
    srand(42);
    SoundManager::instance();  // built before the timing, as the game builds it at start-up

    Model otterModel, buildingModel;
    otterModel.load("./ressources/models/loutre.obj");
    buildingModel.load("./ressources/models/immeuble.obj");
    if (otterModel.vertexCount() == 0 || buildingModel.vertexCount() == 0) {
        std::fprintf(stderr, "run from the build folder: ./ressources/models not found\n");
        return 2;
    }
    const Vector3 light(500.0f, 200.0f, 0.0f);

    glMatrixMode(GL_PROJECTION);
    gluPerspective(60.0, 4.0 / 3.0, 10.0, 20000.0);
    glMatrixMode(GL_MODELVIEW);
    gluLookAt(0.0, 170.0, 900.0, 0.0, 100.0, 0.0, 0.0, 1.0, 0.0);  // the player by the building
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_TEXTURE_2D);

    const auto logicHerd = makeHerd(otterModel, buildingModel, nullptr, light);
    const Run logic = run(*logicHerd, kLogicFrames, false);
    std::printf(
        "herd logic, %d otters, %d frames of %d ms: %.4f ms processor time per frame "
        "(%d arrival frames, %d respawns)\n",
        kOtters, kLogicFrames, kFrameMs, logic.processorMsPerFrame, logic.arrivalFrames,
        logic.respawns);
    std::printf(
        "heap allocations: %ld in frames without an arrival, %ld in arrival frames "
        "(the splash effect)\n",
        logic.allocationsWithoutArrival, logic.allocationsWithArrival);

    loadMultitexture();
    loadVertexProgram();
    const std::unique_ptr<ToonRenderer> renderer = createToonRenderer();
    Texture ramp;
    texturesets::loadToonRamp(ramp, "./ressources/textures/toon.bmp");
    renderer->setToonTexture(ramp.id());
    loadSkin(otterModel, "./ressources/textures/loutre.bmp");
    loadSkin(buildingModel, "./ressources/textures/immeuble.bmp");
    const auto drawnHerd = makeHerd(otterModel, buildingModel, renderer.get(), light);
    const Run drawn = run(*drawnHerd, kDrawnFrames, true);
    std::printf(
        "herd drawn as well, %d frames: %.3f ms processor time per frame (with the "
        "driver's threads); drawing is about %.3f ms of it\n",
        kDrawnFrames, drawn.processorMsPerFrame,
        drawn.processorMsPerFrame - logic.processorMsPerFrame);
    return logic.allocationsWithoutArrival == 0 ? 0 : 1;
}

// effects_bench: processor time per frame of the game's effect list (update and draw) under
// the heaviest fire the weapon allows. Needs an X display; run it from the build folder, where
// ./ressources holds the sprites.
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

#include "entities/EffectList.h"
#include "entities/ParticleSystem.h"
#include "render/Texture.h"
#include "render/TextureSets.h"

namespace {

constexpr float kFrameMs = 16.0f;
constexpr float kShotMs = 71.0f;      // just above the weapon's 70 ms between shots
constexpr float kArrivalMs = 500.0f;  // an otter bursting on the building twice a second
constexpr int kWarmUpFrames = 400;    // past the longest effect life, so the list is steady
constexpr int kFrames = 500;

struct Fire {
    Texture particle, blood;
    std::vector<std::unique_ptr<ParticleSystem>> live;
    EffectList effects{live};
    float sinceShot = 0.0f, sinceArrival = 0.0f;
    int shots = 0;

    // Every shot hits and kills: tracer, blood spray and kill burst, the costliest case.
    void advance() {
        for (sinceShot += kFrameMs; sinceShot >= kShotMs; sinceShot -= kShotMs) {
            const Vector3 otter(static_cast<float>(shots % 7) * 60.0f - 180.0f, 40.0f, -300.0f);
            effects.addTracer(Vector3(0.0f, 60.0f, 300.0f), otter, false, &particle);
            effects.addBloodSpray(otter, Vector3(0.0f, 0.0f, -1.0f), &blood);
            effects.addKillBurst(otter, &particle);
            ++shots;
        }
        for (sinceArrival += kFrameMs; sinceArrival >= kArrivalMs; sinceArrival -= kArrivalMs) {
            effects.addArrivalSplash(Vector3(0.0f, 0.0f, -200.0f), &blood);
        }
    }

    int liveParticles() const {
        int n = 0;
        for (const auto& system : live) {
            n += system->count();
        }
        return n;
    }
};

double cpuMs(std::clock_t from) {
    return 1000.0 * static_cast<double>(std::clock() - from) / CLOCKS_PER_SEC;
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(1024, 768);
    glutCreateWindow("effects_bench");
    glutDisplayFunc([] {});
    for (int i = 0; i < 3; ++i) {
        glutMainLoopEvent();
    }
    glViewport(0, 0, 1024, 768);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    gluPerspective(60.0, 1024.0 / 768.0, 1.0, 5000.0);
    glMatrixMode(GL_MODELVIEW);
    gluLookAt(0.0, 150.0, 600.0, 0.0, 80.0, 0.0, 0.0, 1.0, 0.0);

    Fire fire;
    texturesets::loadInterfaceOpaque(fire.particle, "./ressources/textures/particle.bmp", false);
    texturesets::loadInterfaceOpaque(fire.blood, "./ressources/textures/blood.bmp", false);
    std::srand(1);
    for (int i = 0; i < kWarmUpFrames; ++i) {
        fire.advance();
        fire.effects.update(kFrameMs);
    }

    double updateCpu = 0.0, drawCpu = 0.0, wall = 0.0;
    size_t systems = 0;
    long particles = 0;
    for (int i = 0; i < kFrames; ++i) {
        fire.advance();  // the shots come from input events, outside the measured frame work
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glFinish();
        const auto wallStart = std::chrono::steady_clock::now();
        std::clock_t start = std::clock();
        fire.effects.update(kFrameMs);
        updateCpu += cpuMs(start);
        start = std::clock();
        fire.effects.draw();
        glFinish();  // llvmpipe draws on its own threads; their time counts as processor time
        drawCpu += cpuMs(start);
        wall +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wallStart)
                .count();
        systems += fire.live.size();
        particles += fire.liveParticles();
        glutSwapBuffers();
    }

    std::printf(
        "effects_bench: %d frames of %.0f ms, a killing shot every %.0f ms, a splash "
        "every %.0f ms\n",
        kFrames, kFrameMs, kShotMs, kArrivalMs);
    std::printf("  systems in the list       %8.1f (%.0f particles emitted)\n",
                static_cast<double>(systems) / kFrames, static_cast<double>(particles) / kFrames);
    std::printf("  updateEffects processor   %8.3f ms/frame\n", updateCpu / kFrames);
    std::printf("  drawEffects processor     %8.3f ms/frame (all threads, with glFinish)\n",
                drawCpu / kFrames);
    std::printf("  both, wall clock          %8.3f ms/frame\n", wall / kFrames);
    return 0;
}

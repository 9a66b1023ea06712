// toon_bench: cost of one toon draw of the otter model with each renderer variant.
//
// Run from the build folder (where ressources/ is generated) on an X display, e.g.
//   cd build/release && DISPLAY=:5 bench/toon_bench
// Falls back to a generated sphere of about 3000 triangles when the otter model is missing.
#include <GL/freeglut.h>
#include <GL/glu.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "render/GlExtensions.h"
#include "render/Model.h"
#include "render/MultitextureToonRenderer.h"
#include "render/SoftwareToonRenderer.h"
#include "render/ToonRamp.h"
#include "render/UvSphere.h"
#include "render/VertexProgramToonRenderer.h"

namespace {

constexpr int kWarmUp = 20;
constexpr int kDraws = 200;

double nowMs() {
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch()).count();
}

std::unique_ptr<Model> loadOtterOrSphere(const char** what) {
    auto model = std::make_unique<Model>();
    for (const char* path : {"ressources/models/loutre.obj", "../ressources/models/loutre.obj"}) {
        model->load(path);
        if (model->vertexCount() > 0) {
            *what = path;
            return model;
        }
    }
    model->setVertices(makeUvSphere(1.0f, 30, 52));
    *what = "generated sphere";
    return model;
}

GLuint makeTextures() {
    std::vector<uint8_t> ramp;
    for (int i = 0; i < 32; ++i) {
        const uint8_t g = static_cast<uint8_t>(80 + 5 * i);
        ramp.insert(ramp.end(), {g, g, g});
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 32, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, ramp.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    // The skin: a 256 x 256 checker in the default texture object (the model has no Texture).
    std::vector<uint8_t> skin;
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const bool light = ((x / 32) + (y / 32)) % 2 == 0;
            skin.insert(skin.end(), {static_cast<uint8_t>(light ? 230 : 140),
                                     static_cast<uint8_t>(light ? 170 : 100), 60});
        }
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 256, 256, 0, GL_RGB, GL_UNSIGNED_BYTE, skin.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return name;
}

void setCamera(const Model& model) {
    const double height = 2.0 * model.boundingBox().halfHeight;
    const double extent =
        std::max(0.01, std::sqrt(double(model.radius()) * model.radius() + height * height / 4.0));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double nearPlane = 0.1 * extent;
    const double top = nearPlane * std::tan(3.14159265 / 9.0);
    glFrustum(-top * 4.0 / 3.0, top * 4.0 / 3.0, -top, top, nearPlane, 20.0 * extent);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, height / 2.0, 3.0 * extent, 0.0, height / 2.0, 0.0, 0.0, 1.0, 0.0);
}

// Average milliseconds per call: pipelined (one glFinish at the end) and finished one by one.
void measure(const char* name, ToonRenderer& renderer, const Model& model, const Vector3& light) {
    for (bool flat : {false, true}) {
        const auto once = [&] {
            if (flat) {
                renderer.drawFlat(&model, light, false);
            } else {
                renderer.draw(&model, light);
            }
        };
        for (int i = 0; i < kWarmUp; ++i) {
            once();
        }
        glFinish();
        double start = nowMs();
        for (int i = 0; i < kDraws; ++i) {
            once();
        }
        glFinish();
        const double pipelined = (nowMs() - start) / kDraws;
        start = nowMs();
        for (int i = 0; i < kDraws / 4; ++i) {
            once();
            glFinish();
        }
        const double finished = (nowMs() - start) / (kDraws / 4);
        std::printf("%-16s %-9s %8.3f ms/call pipelined %8.3f ms/call with glFinish each\n", name,
                    flat ? "drawFlat" : "draw", pipelined, finished);
    }
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(1024, 768);
    glutCreateWindow("toon_bench");
    glutDisplayFunc([] {});
    glutMainLoopEvent();

    const char* what = "";
    const std::unique_ptr<Model> model = loadOtterOrSphere(&what);
    std::printf("model: %s, %u triangles, %s\n", what, model->vertexCount() / 3,
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    loadMultitexture();
    loadVertexProgram();
    const GLuint ramp = makeTextures();
    setCamera(*model);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_TEXTURE_2D);
    const Vector3 light(3.0f, 5.0f, 4.0f);

    // The processor's share of the software and multitexture variants.
    ToonRamp rampCoordinates;
    double start = nowMs();
    for (int i = 0; i < kDraws; ++i) {
        rampCoordinates.compute(*model, light);
    }
    std::printf("%-16s %-9s %8.3f ms/call\n", "ramp on the CPU", "compute",
                (nowMs() - start) / kDraws);

    SoftwareToonRenderer software;
    software.setToonTexture(ramp);
    measure("software", software, *model, light);
    if (multitextureSupported) {
        MultitextureToonRenderer multitexture;
        multitexture.setToonTexture(ramp);
        measure("multitexture", multitexture, *model, light);
    }
    if (multitextureSupported && vertexProgramSupported) {
        VertexProgramToonRenderer vertexProgram;
        vertexProgram.setToonTexture(ramp);
        measure("vertex program", vertexProgram, *model, light);
    }
    glDeleteTextures(1, &ramp);
    return 0;
}

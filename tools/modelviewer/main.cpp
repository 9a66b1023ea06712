// modelviewer: renders a model with its skin through the game's toon renderer, from four sides.
//
// Usage: modelviewer MODEL.obj SKIN.bmp OUT.png [RAMP.bmp]
//
// Draws MODEL.obj as the game does (toon ramp times skin, black outline), seen from the front
// (+Z), the right (+X), the back and the left, in a 2 x 2 grid of 360 x 360 cells (front and
// right on top), lit from above the viewer's right shoulder, and writes the grid to OUT.png.
// The skin and the ramp are loaded with the game's own parameters; without RAMP.bmp, or when a
// picture cannot be loaded, a three-step grey ramp or a white skin stands in (with a warning).
// The renderer is the one the driver's extensions select, as in the game.
//
// Needs an X display; a virtual one serves:
//   Xvfb :5 -screen 0 1024x768x24 & DISPLAY=:5 build/release/tools/modelviewer/modelviewer ...
// Exit status: 0 written; 1 the model has no triangles or OUT.png cannot be written; 2 usage.
#include <GL/freeglut.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "render/GlExtensions.h"
#include "render/Model.h"
#include "render/Texture.h"
#include "render/ToonRenderer.h"
#include "render/ToonRendererFactory.h"
#include "tools/modelviewer/PngWriter.h"

namespace {

constexpr int kCell = 360;
constexpr int kSize = 2 * kCell;

struct View {
    const char* name;
    float turnDegrees;  // about Y, bringing that side of the model to face +Z
    int column, row;    // row 0 is the top of the picture
};
constexpr View kViews[] = {
    {"front", 0.0f, 0, 0}, {"right", -90.0f, 1, 0}, {"back", 180.0f, 0, 1}, {"left", 90.0f, 1, 1}};

// A ramp like the game's: one row, dark to bright, filtered linearly. Clamped to its edge
// texels: with GL_CLAMP, linear filtering at t = 0 (and s = 1) mixes in the black border,
// halving the shade and darkening the highlight, which is not the intended look.
GLuint makeGreyRamp() {
    const uint8_t greys[] = {90, 90, 90, 170, 170, 170, 240, 240};
    std::vector<uint8_t> rgb;
    for (uint8_t g : greys) {
        rgb.insert(rgb.end(), {g, g, g});
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 8, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return name;
}

// A model without a skin is drawn with the default texture object: make it plain white.
void makeDefaultTextureWhite() {
    const uint8_t white[3] = {255, 255, 255};
    glBindTexture(GL_TEXTURE_2D, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, white);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

// Skin with the game's world parameters (best filtering, blue colour key).
void loadSkin(Model& model, const char* path) {
    auto skin = std::make_unique<Texture>();
    if (skin->load(path, true, GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR, GL_CLAMP, GL_CLAMP, 0, false, 0,
                   0, 255, 0, 1)) {
        model.setTexture(std::move(skin));
        return;
    }
    std::fprintf(stderr, "modelviewer: cannot load the skin %s; drawing it white\n", path);
    makeDefaultTextureWhite();
}

// Ramp with the game's toon ramp parameters; the grey ramp when there is none.
std::unique_ptr<Texture> loadRamp(const char* path, GLuint& fallback) {
    if (path) {
        auto ramp = std::make_unique<Texture>();
        if (ramp->load(path, false, GL_LINEAR, GL_LINEAR, GL_CLAMP, GL_CLAMP, 0, false, 255, 0, 0,
                       0, 1)) {
            return ramp;
        }
        std::fprintf(stderr, "modelviewer: cannot load the ramp %s; using a grey ramp\n", path);
    }
    fallback = makeGreyRamp();
    return nullptr;
}

void drawView(ToonRenderer& renderer, const Model& model, const View& view) {
    const BoundingBox& box = model.boundingBox();
    const double height = 2.0 * box.halfHeight;
    const double extent =
        std::max(0.01, std::sqrt(double(model.radius()) * model.radius() + height * height / 4.0));
    // Far enough for the bounding sphere to fit a 40-degree view, looking 15 degrees down.
    const double pi = 3.14159265358979;
    const double distance = 1.1 * extent / std::sin(20.0 * pi / 180.0);
    const double tilt = 15.0 * pi / 180.0;
    const double nearPlane = std::max(0.01, distance - 1.5 * extent);
    const double farPlane = distance + 1.5 * extent;

    glViewport(view.column * kCell, (1 - view.row) * kCell, kCell, kCell);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double top = nearPlane * std::tan(20.0 * pi / 180.0);
    glFrustum(-top, top, -top, top, nearPlane, farPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, height / 2.0 + distance * std::sin(tilt), distance * std::cos(tilt), 0.0,
              height / 2.0, 0.0, 0.0, 1.0, 0.0);
    glRotatef(view.turnDegrees, 0.0f, 1.0f, 0.0f);

    // The light stays put relative to the viewer, so it is turned back into the model's frame.
    Vector3 light(static_cast<float>(2.0 * extent), static_cast<float>(height / 2.0 + 3.0 * extent),
                  static_cast<float>(4.0 * extent));
    light.rotateAboutY(-view.turnDegrees * static_cast<float>(pi / 180.0));
    renderer.draw(&model, light);
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: %s MODEL.obj SKIN.bmp OUT.png [RAMP.bmp]\n", argv[0]);
        return 2;
    }
    const char* modelPath = argv[1];
    const char* skinPath = argv[2];
    const char* outPath = argv[3];
    const char* rampPath = argc == 5 ? argv[4] : nullptr;

    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(kSize, kSize);
    glutCreateWindow("modelviewer");
    glutDisplayFunc([] {});
    for (int i = 0; i < 3; ++i) {
        glutMainLoopEvent();  // let the window map before drawing into it
    }

    Model model;
    model.load(modelPath);
    if (model.vertexCount() == 0) {
        std::fprintf(stderr, "modelviewer: %s has no triangles\n", modelPath);
        return 1;
    }
    loadSkin(model, skinPath);
    GLuint fallbackRamp = 0;
    const std::unique_ptr<Texture> ramp = loadRamp(rampPath, fallbackRamp);

    loadMultitexture();
    loadVertexProgram();
    std::unique_ptr<ToonRenderer> renderer = createToonRenderer();
    renderer->setToonTexture(ramp ? ramp->id() : fallbackRamp);

    // The state every toon drawing expects on entry.
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_BLEND);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_TEXTURE_2D);
    glClearColor(0.55f, 0.65f, 0.75f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (const View& view : kViews) {
        drawView(*renderer, model, view);
    }
    glFinish();

    std::vector<uint8_t> bottomUp(static_cast<size_t>(kSize) * kSize * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kSize, kSize, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<uint8_t> topDown(bottomUp.size());
    const size_t row = static_cast<size_t>(kSize) * 3;
    for (int y = 0; y < kSize; ++y) {
        std::copy_n(bottomUp.data() + static_cast<size_t>(kSize - 1 - y) * row, row,
                    topDown.data() + static_cast<size_t>(y) * row);
    }

    renderer.reset();
    if (fallbackRamp != 0) {
        glDeleteTextures(1, &fallbackRamp);
    }
    if (!writePng(outPath, kSize, kSize, topDown)) {
        std::fprintf(stderr, "modelviewer: cannot write %s\n", outPath);
        return 1;
    }
    std::printf("%s: %u triangles, %s renderer, written to %s\n", modelPath,
                model.vertexCount() / 3,
                !multitextureSupported   ? "software"
                : vertexProgramSupported ? "vertex program"
                                         : "multitexture",
                outPath);
    return 0;
}

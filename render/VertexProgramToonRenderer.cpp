// VertexProgramToonRenderer: one pass where the GPU computes N·L, then the outline.
#include "render/VertexProgramToonRenderer.h"

#include "render/GlExtensions.h"
#include "render/Model.h"
#include "render/ToonVertexProgram.h"

namespace {

// The program reads the light from this environment slot.
constexpr GLuint kLightParameter = 69;

bool canDraw() { return vertexProgramSupported && multitextureSupported; }

}  // namespace

VertexProgramToonRenderer::VertexProgramToonRenderer() {
    loadVertexProgram();
    compileVertexProgram(program_, toonVertexProgram);
}

VertexProgramToonRenderer::~VertexProgramToonRenderer() {
    if (program_ != 0) {
        deleteVertexProgram(program_);
    }
}

void VertexProgramToonRenderer::bindProgram(const Vector3& light) const {
    glEnable(GL_VERTEX_PROGRAM_ARB);
    glext::bindProgram(GL_VERTEX_PROGRAM_ARB, program_);
    glext::programEnvParameter4f(GL_VERTEX_PROGRAM_ARB, kLightParameter, light.x(), light.y(),
                                 light.z(), 1.0f);
}

void VertexProgramToonRenderer::draw(const Model* model, Vector3 light) {
    if (!canDraw()) {
        return;
    }
    bindProgram(light);
    // Client unit 0 carries the skin coordinate; the program moves it to unit 1.
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(ModelVertex), positionsOf(model));
    glNormalPointer(GL_FLOAT, sizeof(ModelVertex), normalsOf(model));
    glTexCoordPointer(2, GL_FLOAT, sizeof(ModelVertex), skinCoordinatesOf(model));

    bindRampAndSkinUnits(model);

    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    drawTriangles(model);

    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisable(GL_VERTEX_PROGRAM_ARB);
    disableTexturingOnBothUnits();
    drawOutline(model);

    endOutlinedDraw();
}

void VertexProgramToonRenderer::drawFlat(const Model* model, Vector3 light, bool outline) {
    if (!canDraw()) {
        return;
    }
    bindProgram(light);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(ModelVertex), positionsOf(model));
    glNormalPointer(GL_FLOAT, sizeof(ModelVertex), normalsOf(model));
    // The program passes the current colour through, so the ramp is tinted by it.
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, toonTexture());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    drawTriangles(model);

    glDisableClientState(GL_NORMAL_ARRAY);
    glDisable(GL_VERTEX_PROGRAM_ARB);

    if (outline) {
        disableTexturingOnBothUnits();
        drawFlatOutline(model);
    }

    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
}

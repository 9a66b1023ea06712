// RampToonRenderer: the tinted, untextured toon drawing shared by the processor-ramp variants.
#include "render/RampToonRenderer.h"

#include "render/Model.h"

void RampToonRenderer::beginRampPass(const Model* model, const Vector3& light,
                                     GLint textureEnvMode) {
    const float* ramp = computeRamp(model, light);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(ModelVertex), positionsOf(model));
    glTexCoordPointer(2, GL_FLOAT, 0, ramp);

    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, toonTexture());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, textureEnvMode);
}

void RampToonRenderer::drawFlat(const Model* model, Vector3 light, bool outline) {
    beginRampPass(model, light, GL_MODULATE);
    drawTriangles(model);

    if (outline) {
        glDisable(GL_TEXTURE_2D);
        drawFlatOutline(model);
    }

    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
}

// MultitextureToonRenderer: one textured pass (ramp on unit 0, skin on unit 1), then outline.
#include "render/MultitextureToonRenderer.h"

#include "render/GlExtensions.h"
#include "render/Model.h"

void MultitextureToonRenderer::draw(const Model* model, Vector3 light) {
    if (!multitextureSupported) {
        return;  // the entry points below would be null
    }
    const float* ramp = computeRamp(model, light);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(ModelVertex), positionsOf(model));

    bindRampAndSkinUnits(model);

    glext::clientActiveTexture(GL_TEXTURE1_ARB);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, sizeof(ModelVertex), skinCoordinatesOf(model));
    glext::clientActiveTexture(GL_TEXTURE0_ARB);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 0, ramp);

    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    drawTriangles(model);

    glext::clientActiveTexture(GL_TEXTURE1_ARB);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glext::clientActiveTexture(GL_TEXTURE0_ARB);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    disableTexturingOnBothUnits();
    drawOutline(model);

    glColor3f(0.8f, 0.8f, 0.8f);
    endOutlinedDraw();
}

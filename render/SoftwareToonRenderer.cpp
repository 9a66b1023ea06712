// SoftwareToonRenderer: ramp pass, then the skin pass multiplying the framebuffer, then outline.
#include "render/SoftwareToonRenderer.h"

#include "render/Model.h"

void SoftwareToonRenderer::draw(const Model* model, Vector3 light) {
    // The shade alone.
    beginRampPass(model, light, GL_REPLACE);
    drawTriangles(model);

    // The skin, multiplying what the first pass left: destination x source.
    glTexCoordPointer(2, GL_FLOAT, sizeof(ModelVertex), skinCoordinatesOf(model));
    glBindTexture(GL_TEXTURE_2D, skinOf(model));
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glDepthFunc(GL_LEQUAL);
    drawTriangles(model);

    glDisable(GL_BLEND);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    drawOutline(model);

    endOutlinedDraw();
}

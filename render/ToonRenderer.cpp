// ToonRenderer: shared drawing steps of the toon variants and the picking geometry.
#include "render/ToonRenderer.h"

#include "render/GlExtensions.h"
#include "render/Model.h"
#include "render/ScreenSpace.h"
#include "render/Texture.h"

namespace {

// Outline width in pixels of the 1024 x 768 picture; in a larger picture the line widens with
// it, so models look the same at any window size.
constexpr float kOutlineWidth = 3.0f;

}  // namespace

void ToonRenderer::draw(const Model*, Vector3) {}

void ToonRenderer::drawFlat(const Model*, Vector3, bool) {}

ToonRenderer::~ToonRenderer() = default;

const float* ToonRenderer::positionsOf(const Model* model) {
    const ModelVertex* v = model->sharedVertices();
    return v ? v->position.data() : nullptr;
}

const float* ToonRenderer::skinCoordinatesOf(const Model* model) {
    const ModelVertex* v = model->sharedVertices();
    return v ? &v->u : nullptr;
}

const float* ToonRenderer::normalsOf(const Model* model) {
    const ModelVertex* v = model->sharedVertices();
    return v ? v->normal.data() : nullptr;
}

GLuint ToonRenderer::skinOf(const Model* model) {
    return model->texture() ? model->texture()->id() : 0;
}

void ToonRenderer::drawTriangles(const Model* model) {
    if (model->indexCount() > 0) {
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(model->indexCount()), GL_UNSIGNED_INT,
                       model->indices());
    }
}

void ToonRenderer::drawOutline(const Model* model) {
    glFrontFace(GL_CCW);
    glCullFace(GL_FRONT);
    // Strictly nearer: where a back edge lies exactly on a drawn face, the face wins.
    glDepthFunc(GL_LESS);
    glPolygonMode(GL_BACK, GL_LINE);
    glPolygonMode(GL_FRONT, GL_LINE);
    glDisable(GL_TEXTURE_2D);
    glLineWidth(kOutlineWidth * screenspace::pixelScale());
    glColor3f(0.0f, 0.0f, 0.0f);
    drawTriangles(model);
}

void ToonRenderer::drawFlatOutline(const Model* model) {
    glCullFace(GL_FRONT);
    glPolygonMode(GL_BACK, GL_LINE);
    glLineWidth(kOutlineWidth * screenspace::pixelScale());
    glColor3f(0.0f, 0.0f, 0.0f);
    drawTriangles(model);
    glPolygonMode(GL_BACK, GL_FILL);
}

void ToonRenderer::endOutlinedDraw() {
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_CULL_FACE);
    glDepthFunc(GL_LEQUAL);
    glPolygonMode(GL_BACK, GL_FILL);
    glPolygonMode(GL_FRONT, GL_FILL);
    glEnable(GL_TEXTURE_2D);
}

void ToonRenderer::bindRampAndSkinUnits(const Model* model) const {
    glext::activeTexture(GL_TEXTURE1_ARB);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBindTexture(GL_TEXTURE_2D, skinOf(model));
    glext::activeTexture(GL_TEXTURE0_ARB);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBindTexture(GL_TEXTURE_2D, toonTexture());
}

void ToonRenderer::disableTexturingOnBothUnits() {
    glext::activeTexture(GL_TEXTURE1_ARB);
    glDisable(GL_TEXTURE_2D);
    glext::activeTexture(GL_TEXTURE0_ARB);
    glDisable(GL_TEXTURE_2D);
}

void drawModelGeometry(const Model* model) {
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(ModelVertex), model->vertices());
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(model->vertexCount()));
    glDisableClientState(GL_VERTEX_ARRAY);
}

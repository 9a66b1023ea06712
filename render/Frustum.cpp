// Frustum: plane extraction from projection x model-view, and the eight-corner box test.
#include "render/Frustum.h"

#include <GL/gl.h>

#include <cmath>

#include "render/Model.h"

namespace {

const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

}  // namespace

Frustum::Frustum() {
    setMatrices(kIdentity, kIdentity);
    extract(false);
}

void Frustum::setMatrices(const float modelview[16], const float projection[16]) {
    for (int i = 0; i < 16; ++i) {
        modelview_[i] = modelview[i];
        projection_[i] = projection[i];
    }
}

void Frustum::extract(bool readMatrices) {
    if (readMatrices) {
        glGetFloatv(GL_MODELVIEW_MATRIX, modelview_);
        glGetFloatv(GL_PROJECTION_MATRIX, projection_);
    }
    const float* m = modelview_;
    const float* p = projection_;
    // clip = projection x model-view, column-major: clip maps a world point to clip space.
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            clip_[4 * i + j] = m[4 * i + 0] * p[j] + m[4 * i + 1] * p[4 + j] +
                               m[4 * i + 2] * p[8 + j] + m[4 * i + 3] * p[12 + j];
        }
    }
    // Each plane is the clip-space w row plus or minus the x, y or z row.
    const float* c = clip_;
    const float rows[kPlaneCount][4] = {
        {c[3] - c[0], c[7] - c[4], c[11] - c[8], c[15] - c[12]},   // right
        {c[3] + c[0], c[7] + c[4], c[11] + c[8], c[15] + c[12]},   // left
        {c[3] + c[1], c[7] + c[5], c[11] + c[9], c[15] + c[13]},   // bottom
        {c[3] - c[1], c[7] - c[5], c[11] - c[9], c[15] - c[13]},   // top
        {c[3] - c[2], c[7] - c[6], c[11] - c[10], c[15] - c[14]},  // far
        {c[3] + c[2], c[7] + c[6], c[11] + c[10], c[15] + c[14]},  // near
    };
    for (int i = 0; i < kPlaneCount; ++i) {
        const float length =
            std::sqrt(rows[i][0] * rows[i][0] + rows[i][1] * rows[i][1] + rows[i][2] * rows[i][2]);
        // A degenerate matrix can give a plane without a normal; it is kept as it is rather
        // than turned into infinities.
        const float divisor = length > 0.0f ? length : 1.0f;
        for (int k = 0; k < 4; ++k) {
            planes_[i][k] = rows[i][k] / divisor;
        }
    }
}

bool Frustum::containsBox(const Vector3& position, const Model* model, float scale) const {
    Vector3 centre = position;
    float hx = 0.0f, hy = 0.0f, hz = 0.0f;
    if (model) {
        const BoundingBox& box = model->boundingBox();
        centre += box.center * scale;
        hx = box.halfWidth * scale;
        hy = box.halfHeight * scale;
        hz = box.halfDepth * scale;
    }
    const float xs[2] = {centre.x() - hx, centre.x() + hx};
    const float ys[2] = {centre.y() - hy, centre.y() + hy};
    const float zs[2] = {centre.z() - hz, centre.z() + hz};
    for (const float* p : planes_) {
        bool anyInside = false;
        for (int corner = 0; corner < 8 && !anyInside; ++corner) {
            const float x = xs[corner & 1];
            const float y = ys[(corner >> 1) & 1];
            const float z = zs[(corner >> 2) & 1];
            // A corner exactly on the plane does not count as inside it.
            anyInside = p[0] * x + p[1] * y + p[2] * z + p[3] > 0.0f;
        }
        if (!anyInside) {
            return false;
        }
    }
    return true;
}

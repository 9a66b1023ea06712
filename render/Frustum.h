// Frustum: the six planes of what the current OpenGL matrices see, with a box test.
#pragma once

class Model;
class Vector3;

// The box test is conservative: a box just outside a corner of the volume may pass, but a box
// partly inside never fails.
class Frustum {
public:
    enum Plane { kRight, kLeft, kBottom, kTop, kFar, kNear, kPlaneCount };

    Frustum();

    // With readMatrices, takes the current GL_MODELVIEW_MATRIX and GL_PROJECTION_MATRIX first;
    // then recomputes the planes from the stored matrices.
    void extract(bool readMatrices);

    // Stores both matrices (16 floats each, column-major as OpenGL gives them) without asking
    // OpenGL; extract(false) then builds the planes from them.
    void setMatrices(const float modelview[16], const float projection[16]);

    // May a model standing at position, drawn enlarged by scale about its origin, be in view?
    // The model's box (centre offset and half extents) is scaled with it, so a giant is tested
    // where it is drawn. Without a model the single point of the position is tested.
    bool containsBox(const Vector3& position, const Model* model, float scale) const;

    // Plane i as (a, b, c, d) with (a, b, c) of length 1; a point p is inside it when
    // a p.x + b p.y + c p.z + d > 0.
    const float* plane(int i) const { return planes_[i]; }
    const float* clip() const { return clip_; }
    // The modelview matrix the planes were built from (16 floats, column-major).
    const float* modelview() const { return modelview_; }

private:
    float planes_[kPlaneCount][4];
    float modelview_[16];
    float projection_[16];
    float clip_[16];
};

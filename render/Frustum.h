// Frustum: the six planes of what the current OpenGL matrices see, with a box test.
#pragma once

class SceneObject;

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

    // May the object's model box, its half extents multiplied by scale, be in view? An object
    // without a model is tested as the single point of its position.
    bool containsBox(const SceneObject& object, float scale) const;

    // Plane i as (a, b, c, d) with (a, b, c) of length 1; a point p is inside it when
    // a p.x + b p.y + c p.z + d > 0.
    const float* plane(int i) const { return planes_[i]; }
    const float* clip() const { return clip_; }

private:
    float planes_[kPlaneCount][4];
    float modelview_[16];
    float projection_[16];
    float clip_[16];
};

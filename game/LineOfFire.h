// LineOfFire: what a shot along the centre of the view meets: the building, the nearest otter.
#pragma once

#include <memory>

class Camera;
class Frustum;
class Model;
class OtterHerd;
class Vector3;

class LineOfFire {
public:
    // No otter on the line: nearestOtter's index then.
    static constexpr int kNone = -1;

    LineOfFire();
    ~LineOfFire();
    LineOfFire(const LineOfFire&) = delete;
    LineOfFire& operator=(const LineOfFire&) = delete;

    // Draws the building alone, in selection mode, into the one pixel at the centre of the
    // player's view; also takes the thin pick volume nearestOtter judges by. True when the
    // building is on the line. Restores the matrices and the depth test.
    bool buildingOnLine(const Camera& player, const Model* building);
    // The nearest live otter on the line among those drawn last frame (ties keep the first),
    // judged in the volume of the last buildingOnLine; its distance from eye goes to distance.
    int nearestOtter(const OtterHerd& herd, const Vector3& eye, int& distance) const;

private:
    std::unique_ptr<Frustum> pickFrustum_;
};

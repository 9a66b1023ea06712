// CartoonOtter: the game's mascot otter, standing on its hind legs, painted from ellipses.
#pragma once

#include "tools/assetgen/Painter.h"

namespace assetgen {

struct OtterPose {
    float x = 0.0f, y = 0.0f;  // middle of the feet, in layout units
    float height = 200.0f;     // feet to the top of the ears
    // Arm angles in degrees from hanging straight down, swinging outwards: about 140 is a
    // raised, waving arm.
    float leftArm = 20.0f, rightArm = 20.0f;
    float lean = 0.0f;        // whole-body tilt in degrees, clockwise
    bool tailOnLeft = false;  // the side the tail sticks out
    bool mouthOpen = false;   // a happy open smile instead of the small "w" mouth
};

void paintOtter(Painter& painter, const OtterPose& pose);

}  // namespace assetgen

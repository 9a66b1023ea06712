// Camera: walking speed and direction, height kept, the pitch extremes and the held-key state.
#include "entities/Camera.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Walks for ms with the keys held; answers the horizontal distance covered.
double walk(Camera& camera, std::initializer_list<uint8_t> keys, int ms) {
    const Vector3 before = camera.position();
    for (uint8_t key : keys)
        camera.keyPressed(key);
    camera.move(ms);
    for (uint8_t key : keys)
        camera.keyReleased(key);
    const Vector3 after = camera.position();
    EXPECT_EQ(after.y(), before.y()) << "walking changed the height";
    return std::hypot(double(after.x()) - before.x(), double(after.z()) - before.z());
}

TEST(CameraWalk, FollowsTheViewOnTheGroundAtFullSpeedWhateverThePitch) {
    Camera camera;
    // Yaw -1.57 looks along -x: forward goes to -x, left (q) to +z.
    camera.setYaw(-1.57f);
    EXPECT_NEAR(camera.direction().x(), -1.0f, 1e-5f);
    walk(camera, {'z'}, 100);
    walk(camera, {'q'}, 100);
    EXPECT_NEAR(camera.position().x(), -25.0f, 0.05f);
    EXPECT_NEAR(camera.position().z(), 25.0f, 0.05f);
    // Looking as far down or up as the view allows still walks the full step horizontally,
    // and a diagonal is the sum of two full steps.
    for (float pitch : {Camera::kPitchLimit, -Camera::kPitchLimit, 0.4f}) {
        SCOPED_TRACE(pitch);
        camera.setPitch(pitch);
        EXPECT_NEAR(camera.direction().y(), -std::sin(pitch), 1e-6f);
        for (int frame = 0; frame < 50; ++frame) {
            EXPECT_NEAR(walk(camera, {'z'}, 16), 0.25 * 16, 1e-3);
            EXPECT_NEAR(walk(camera, {'s', 'q'}, 16), std::sqrt(2.0) * 0.25 * 16, 1e-3);
            camera.addYaw(0.13f);
        }
    }
}

TEST(CameraKeys, ShiftNeitherWalksNorLeavesAKeyStuck) {
    Camera camera;
    // Upper-case letters are what Shift gives: they do not walk.
    for (uint8_t key : {'Z', 'Q', 'S', 'D'})
        camera.keyPressed(key);
    EXPECT_FALSE(camera.isMoving());
    EXPECT_EQ(walk(camera, {}, 100), 0.0);
    // Hold z, press Shift, let go: the release arrives as 'Z' and must still stop the walk.
    camera.keyPressed('z');
    EXPECT_TRUE(camera.isMoving());
    camera.keyReleased('Z');
    EXPECT_FALSE(camera.isMoving());
    EXPECT_EQ(walk(camera, {}, 100), 0.0);
    // The other way round: 'Q' pressed with Shift, released as 'q'.
    camera.keyReleased('q');
    EXPECT_FALSE(camera.isKeyDown('Q'));
    EXPECT_TRUE(camera.isKeyDown('S'));
    // Only letters have cases: releasing ';' (Escape's code plus the case bit) keeps Escape.
    camera.keyPressed(27);
    camera.keyReleased(';');
    EXPECT_TRUE(camera.isKeyDown(27));
    camera.keyPressed('d');
    camera.releaseAllKeys();
    EXPECT_FALSE(camera.isMoving() || camera.isKeyDown(27) || camera.isKeyDown('S'));
}

}  // namespace

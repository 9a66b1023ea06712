// Camera: walking speed and direction, height kept, the pitch extremes and the held-key state.
#include "entities/Camera.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

double horizontalDistance(const Vector3& a, const Vector3& b) {
    return std::hypot(double(a.x()) - b.x(), double(a.z()) - b.z());
}

// Walks for ms with the given keys held and returns where the camera ended up.
Vector3 walk(Camera& camera, std::initializer_list<uint8_t> keys, int ms) {
    for (uint8_t key : keys) {
        camera.keyPressed(key);
    }
    camera.move(ms);
    for (uint8_t key : keys) {
        camera.keyReleased(key);
    }
    return camera.position();
}

TEST(CameraWalk, FollowsTheViewOnTheGroundAtFullSpeedWhateverThePitch) {
    Camera camera;
    // Yaw -1.57 looks along -x: forward goes to -x, left (q) to +z, right (d) to -z.
    camera.setYaw(-1.57f);
    EXPECT_NEAR(camera.direction().x(), -1.0f, 1e-5f);
    EXPECT_NEAR(camera.direction().z(), 0.0f, 1e-3f);
    camera.setPosition(0.0f, 50.0f, 0.0f);
    EXPECT_NEAR(walk(camera, {'z'}, 100).x(), -25.0f, 1e-3f);
    EXPECT_NEAR(walk(camera, {'q'}, 100).z(), 25.0f, 0.05f);
    EXPECT_NEAR(walk(camera, {'d', 's'}, 100).z(), 0.0f, 0.05f);

    // Looking as far down or up as the view allows still walks the full step horizontally,
    // never changes the height, and a diagonal is the sum of two full steps.
    for (float pitch : {Camera::kPitchLimit, -Camera::kPitchLimit, 0.4f}) {
        SCOPED_TRACE(pitch);
        camera.setYaw(0.7f);
        camera.setPitch(pitch);
        EXPECT_NEAR(camera.direction().y(), -std::sin(pitch), 1e-6f);
        EXPECT_NEAR(camera.direction().length(), 1.0, 1e-6);
        for (int frame = 0; frame < 50; ++frame) {
            const Vector3 before = camera.position();
            const Vector3 after = walk(camera, {'z'}, 16);
            EXPECT_NEAR(horizontalDistance(before, after), 0.25 * 16, 1e-3);
            EXPECT_EQ(after.y(), 50.0f);
            const Vector3 diagonal = walk(camera, {'z', 'd'}, 16);
            EXPECT_NEAR(horizontalDistance(after, diagonal), std::sqrt(2.0) * 0.25 * 16, 1e-3);
            EXPECT_EQ(diagonal.y(), 50.0f);
            camera.addYaw(0.13f);
        }
    }
    EXPECT_TRUE(std::isfinite(camera.position().x()) && std::isfinite(camera.position().z()));
}

TEST(CameraKeys, ShiftNeitherWalksNorLeavesAKeyStuck) {
    Camera camera;
    const Vector3 start = camera.position();
    // Upper-case letters are what Shift gives: they do not walk.
    for (uint8_t key : {'Z', 'Q', 'S', 'D'}) {
        camera.keyPressed(key);
    }
    EXPECT_FALSE(camera.isMoving());
    camera.move(100);
    EXPECT_EQ(horizontalDistance(start, camera.position()), 0.0);

    // Hold z, press Shift, let go: the release arrives as 'Z' and must still stop the walk.
    camera.keyPressed('z');
    EXPECT_TRUE(camera.isMoving());
    camera.keyReleased('Z');
    EXPECT_FALSE(camera.isMoving());
    EXPECT_FALSE(camera.isKeyDown('z'));
    camera.move(100);
    EXPECT_EQ(horizontalDistance(start, camera.position()), 0.0);

    // The other way round: 'Q' held as upper case, released as 'q'.
    camera.keyReleased('q');
    EXPECT_FALSE(camera.isKeyDown('Q'));
    EXPECT_TRUE(camera.isKeyDown('S'));

    // Only letters have cases: releasing ';' (Escape's code plus the case bit) keeps Escape.
    camera.keyPressed(27);
    camera.keyReleased(';');
    EXPECT_TRUE(camera.isKeyDown(27));

    camera.keyPressed('d');
    camera.releaseAllKeys();
    EXPECT_FALSE(camera.isMoving());
    EXPECT_FALSE(camera.isKeyDown(27) || camera.isKeyDown('S') || camera.isKeyDown('D'));
}

}  // namespace

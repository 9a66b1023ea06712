// Vector3: rotation directions and flag order, products, normalisation and precision.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "render/Vector3.h"

namespace {

const float kHalfPi = 1.5707963267948966f;

void expectNear(const Vector3& v, float x, float y, float z, float tolerance = 1e-6f) {
    EXPECT_NEAR(v.x(), x, tolerance);
    EXPECT_NEAR(v.y(), y, tolerance);
    EXPECT_NEAR(v.z(), z, tolerance);
}

TEST(Vector3, IsThreePackedFloatsStartingAtZero) {
    EXPECT_EQ(Vector3().length(), 0.0);
    Vector3 array[2] = {Vector3(1, 2, 3), Vector3(4, 5, 6)};
    const float* floats = array[0].data();
    EXPECT_EQ(floats[3], 4.0f);  // arrays hand over to OpenGL as plain floats
    EXPECT_EQ(floats[5], 6.0f);
}

TEST(Vector3, RotatesCounterClockwiseAboutEachAxis) {
    Vector3 v(1, 0, 0);
    v.rotate(kHalfPi, false, false, true);
    expectNear(v, 0, 1, 0);

    Vector3 w(0, 0, 1);
    w.rotate(kHalfPi, false, true, false);
    expectNear(w, 1, 0, 0);

    Vector3 u(0, 1, 0);
    u.rotate(kHalfPi, true, false, false);
    expectNear(u, 0, 0, 1);

    // The named rotations turn about the axis they name, the same way.
    Vector3 aboutZ(1, 0, 0), aboutY(0, 0, 1), aboutX(0, 1, 0);
    aboutZ.rotateAboutZ(kHalfPi);
    aboutY.rotateAboutY(kHalfPi);
    aboutX.rotateAboutX(kHalfPi);
    expectNear(aboutZ, 0, 1, 0);
    expectNear(aboutY, 1, 0, 0);
    expectNear(aboutX, 0, 0, 1);
}

TEST(Vector3, RotateObeysOnlyTheFirstFlagAndUsesOldComponents) {
    Vector3 v(0, 1, 0);
    v.rotate(kHalfPi, true, false, true);  // X wins over Z
    expectNear(v, 0, 0, 1);

    // Using a half-updated component would skew a rotation by less than a quarter turn.
    Vector3 w(1, 1, 0);
    w.rotate(0.5f, false, false, true);
    EXPECT_NEAR(w.length(), std::sqrt(2.0), 1e-6);

    Vector3 untouched(0.1f, -2.5f, 3.75f);
    const Vector3 before = untouched;
    untouched.rotate(1.0f, false, false, false);
    EXPECT_EQ(std::memcmp(untouched.data(), before.data(), sizeof(float) * 3), 0);
}

TEST(Vector3, CrossIsRightHandedAndSafeWhenOutputAliasesInput) {
    Vector3 out;
    Vector3(1, 0, 0).cross(Vector3(0, 1, 0), out);
    expectNear(out, 0, 0, 1);
    Vector3(0, 1, 0).cross(Vector3(1, 0, 0), out);
    expectNear(out, 0, 0, -1);

    Vector3 a(2, 3, 4);
    const Vector3 b(5, 6, 7);
    a.cross(b, a);
    expectNear(a, 3 * 7 - 6 * 4, 5 * 4 - 2 * 7, 6 * 2 - 5 * 3);
}

TEST(Vector3, NormalizeScalesToUnitAndLeavesZeroAlone) {
    Vector3 v(3, 0, 4);
    v.normalize();
    expectNear(v, 0.6f, 0, 0.8f);

    Vector3 zero;
    zero.normalize();  // no division by zero
    expectNear(zero, 0, 0, 0, 0.0f);
}

TEST(Vector3, LengthAndDotKeepDoublePrecision) {
    // 16777217 is not a float; the sum of squares must not be rounded to float on the way.
    Vector3 v(3.0f, 4.0f, 0.0f);
    EXPECT_EQ(v.length(), 5.0);
    Vector3 big(4096.0f, 1.0f, 0.0f);  // 4096^2 + 1 = 16777217, lost in float arithmetic
    EXPECT_EQ(big.length(), std::sqrt(16777217.0));
    EXPECT_NE(big.length(), 4096.0);
    EXPECT_EQ(big.dot(big), 16777217.0);
    EXPECT_EQ(Vector3(1, 2, 3).dot(Vector3(4, -5, 6)), 12.0);
}

TEST(Vector3, ArithmeticOperators) {
    Vector3 a(1, 2, 3);
    a += Vector3(0.5f, -1, 2);
    a -= Vector3(1, 1, 1);
    const Vector3 copy = (a *= 2.0f);  // returns the scaled value
    expectNear(copy, 1, 0, 8);
    expectNear((a + Vector3(1, 1, 1)) - Vector3(0, 2, 0) * 2.0f, 2, -3, 9);
    a.setComponent(1, 7);
    EXPECT_EQ(a[1], 7.0f);
}

}  // namespace

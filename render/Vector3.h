// Vector3: the game's one geometric value type (positions, directions, velocities, lights).
#pragma once

// Three floats and nothing else, so a Vector3 (or an array of them) can be handed to OpenGL as
// a float pointer. Products and sums are formed in double precision and rounded when stored.
class Vector3 {
public:
    Vector3() = default;
    Vector3(float x, float y, float z) : v_{x, y, z} {}

    void set(float x, float y, float z);
    void setComponent(int index, float value) { v_[index] = value; }
    float operator[](int index) const { return v_[index]; }
    float x() const { return v_[0]; }
    float y() const { return v_[1]; }
    float z() const { return v_[2]; }
    float* data() { return v_; }
    const float* data() const { return v_; }

    Vector3& operator+=(const Vector3& v);
    Vector3& operator-=(const Vector3& v);
    Vector3 operator+(const Vector3& v) const;
    Vector3 operator-(const Vector3& v) const;
    Vector3 operator*(float s) const;
    // Returns a copy, not a reference: callers chain on the value.
    Vector3 operator*=(float s);

    double length() const;
    // Divides by the length; a zero vector is left as it is rather than filled with NaNs.
    void normalize();
    double dot(const Vector3& v) const;
    void cross(const Vector3& v, Vector3& out) const;
    // Right-handed rotation by angle (radians) about the first axis whose flag is set, tried in
    // the order X, Y, Z; with no flag set the vector is untouched.
    void rotate(float angle, bool aboutX, bool aboutY, bool aboutZ);
    // The same rotations, each naming its one axis: callers say which without a row of flags.
    void rotateAboutX(float angle) { rotate(angle, true, false, false); }
    void rotateAboutY(float angle) { rotate(angle, false, true, false); }
    void rotateAboutZ(float angle) { rotate(angle, false, false, true); }

private:
    float v_[3] = {0.0f, 0.0f, 0.0f};
};

static_assert(sizeof(Vector3) == 3 * sizeof(float), "Vector3 must stay three packed floats");

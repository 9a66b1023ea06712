// MeshMath: the small vector, transform and atlas-rectangle types the model builders share.
#pragma once

#include <cmath>

namespace assetgen {

constexpr float kPi = 3.14159265358979f;

struct Vec3 {
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

inline Vec3 operator+(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(const Vec3& a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline bool operator==(const Vec3& a, const Vec3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}
inline float dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float length(const Vec3& a) { return std::sqrt(dot(a, a)); }
inline Vec3 normalized(const Vec3& a) {
    const float l = length(a);
    return l > 0.0f ? a * (1.0f / l) : Vec3{0.0f, 1.0f, 0.0f};
}
inline Vec3 lerp(const Vec3& a, const Vec3& b, float t) { return a + (b - a) * t; }

struct Vec2 {
    float x = 0.0f, y = 0.0f;
};
inline bool operator==(const Vec2& a, const Vec2& b) { return a.x == b.x && a.y == b.y; }

// An affine map: columns x, y, z and the translation t (p -> x*p.x + y*p.y + z*p.z + t).
struct Transform {
    Vec3 x{1, 0, 0}, y{0, 1, 0}, z{0, 0, 1}, t{0, 0, 0};

    Vec3 apply(const Vec3& p) const { return x * p.x + y * p.y + z * p.z + t; }
    Vec3 applyDirection(const Vec3& d) const { return x * d.x + y * d.y + z * d.z; }

    static Transform translation(const Vec3& d) {
        Transform m;
        m.t = d;
        return m;
    }
    static Transform scaling(const Vec3& s) {
        Transform m;
        m.x = {s.x, 0, 0};
        m.y = {0, s.y, 0};
        m.z = {0, 0, s.z};
        return m;
    }
    // Right-handed rotations by an angle in radians.
    static Transform rotationX(float a) {
        Transform m;
        m.y = {0, std::cos(a), std::sin(a)};
        m.z = {0, -std::sin(a), std::cos(a)};
        return m;
    }
    static Transform rotationY(float a) {
        Transform m;
        m.x = {std::cos(a), 0, -std::sin(a)};
        m.z = {std::sin(a), 0, std::cos(a)};
        return m;
    }
    static Transform rotationZ(float a) {
        Transform m;
        m.x = {std::cos(a), std::sin(a), 0};
        m.y = {-std::sin(a), std::cos(a), 0};
        return m;
    }
};

// outer * inner: inner applied first.
inline Transform operator*(const Transform& outer, const Transform& inner) {
    Transform m;
    m.x = outer.applyDirection(inner.x);
    m.y = outer.applyDirection(inner.y);
    m.z = outer.applyDirection(inner.z);
    m.t = outer.apply(inner.t);
    return m;
}

// A rectangle of a skin atlas in pixels (x to the right, y down from the top row, as the
// Canvas paints). Local coordinates (s, t) in [0, 1] run left to right and bottom to top.
struct UvRect {
    float x0 = 0.0f, y0 = 0.0f, x1 = 1.0f, y1 = 1.0f;
    int atlasWidth = 1, atlasHeight = 1;

    // OBJ texture coordinates: v = 0 is the bottom row of the picture.
    float u(float s) const { return (x0 + s * (x1 - x0)) / float(atlasWidth); }
    float v(float t) const { return 1.0f - (y1 - t * (y1 - y0)) / float(atlasHeight); }
};

}  // namespace assetgen

// Vector3: arithmetic with double intermediates, in the summation order the game relies on.
#include "render/Vector3.h"

#include <cmath>

void Vector3::set(float x, float y, float z) {
    v_[0] = x;
    v_[1] = y;
    v_[2] = z;
}

Vector3& Vector3::operator+=(const Vector3& v) {
    set(static_cast<float>(double(v_[0]) + v.v_[0]), static_cast<float>(double(v_[1]) + v.v_[1]),
        static_cast<float>(double(v_[2]) + v.v_[2]));
    return *this;
}

Vector3& Vector3::operator-=(const Vector3& v) {
    set(static_cast<float>(double(v_[0]) - v.v_[0]), static_cast<float>(double(v_[1]) - v.v_[1]),
        static_cast<float>(double(v_[2]) - v.v_[2]));
    return *this;
}

Vector3 Vector3::operator+(const Vector3& v) const {
    Vector3 sum = *this;
    sum += v;
    return sum;
}

Vector3 Vector3::operator-(const Vector3& v) const {
    Vector3 difference = *this;
    difference -= v;
    return difference;
}

Vector3 Vector3::operator*(float s) const {
    return Vector3(static_cast<float>(double(s) * v_[0]), static_cast<float>(double(s) * v_[1]),
                   static_cast<float>(double(s) * v_[2]));
}

Vector3 Vector3::operator*=(float s) {
    *this = *this * s;
    return *this;
}

double Vector3::length() const {
    // Summed z first: the rounding of long distances (camera to far otters) depends on it.
    const double sum =
        std::pow(double(v_[2]), 2.0) + std::pow(double(v_[1]), 2.0) + std::pow(double(v_[0]), 2.0);
    return std::sqrt(sum);
}

void Vector3::normalize() {
    const double len = length();
    if (len == 0.0) {
        return;
    }
    v_[0] = static_cast<float>(v_[0] / len);
    v_[1] = static_cast<float>(v_[1] / len);
    v_[2] = static_cast<float>(v_[2] / len);
}

double Vector3::dot(const Vector3& v) const {
    const double zy = double(v_[2]) * v.v_[2] + double(v_[1]) * v.v_[1];
    return zy + double(v_[0]) * v.v_[0];
}

void Vector3::cross(const Vector3& v, Vector3& out) const {
    const double x = v_[0], y = v_[1], z = v_[2];
    // Every term is read before anything is written, so out may be this vector or v.
    const double cx = y * v.v_[2] - double(v.v_[1]) * z;
    const double cy = double(v.v_[0]) * z - x * v.v_[2];
    const double cz = double(v.v_[1]) * x - double(v.v_[0]) * y;
    out.setComponent(0, static_cast<float>(cx));
    out.setComponent(1, static_cast<float>(cy));
    out.setComponent(2, static_cast<float>(cz));
}

void Vector3::rotate(float angle, bool aboutX, bool aboutY, bool aboutZ) {
    const double x = v_[0], y = v_[1], z = v_[2];
    const double c = std::cos(double(angle));
    const double s = std::sin(double(angle));
    if (aboutX) {
        v_[1] = static_cast<float>(y * c - z * s);
        v_[2] = static_cast<float>(y * s + z * c);
    } else if (aboutY) {
        v_[2] = static_cast<float>(z * c - x * s);
        v_[0] = static_cast<float>(x * c + z * s);
    } else if (aboutZ) {
        v_[0] = static_cast<float>(x * c - y * s);
        v_[1] = static_cast<float>(y * c + x * s);
    }
}

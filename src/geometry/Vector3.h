#pragma once

// Three doubles: every position, velocity, force, direction and normal of the game.
class Vector3 {
public:
    double x, y, z;

    // Left unset on purpose: every user assigns a default-constructed vector before reading it.
    Vector3() = default;
    Vector3(double x, double y, double z) : x(x), y(y), z(z) {}

    // Index 0 is x, 1 is y, anything else z.
    double& operator[](int i) { return i == 0 ? x : (i == 1 ? y : z); }
    double operator[](int i) const { return i == 0 ? x : (i == 1 ? y : z); }

    Vector3 operator-() const { return Vector3(-x, -y, -z); }
    Vector3& operator+=(const Vector3& b) { x += b.x; y += b.y; z += b.z; return *this; }
    Vector3& operator-=(const Vector3& b) { x -= b.x; y -= b.y; z -= b.z; return *this; }
    Vector3& operator*=(double s) { x *= s; y *= s; z *= s; return *this; }
    Vector3& operator/=(double s) { x /= s; y /= s; z /= s; return *this; }
    Vector3& operator*=(const Vector3& b) { x *= b.x; y *= b.y; z *= b.z; return *this; }
    Vector3& operator/=(const Vector3& b) { x /= b.x; y /= b.y; z /= b.z; return *this; }
};

inline Vector3 operator+(const Vector3& a, const Vector3& b) { return Vector3(a.x + b.x, a.y + b.y, a.z + b.z); }
inline Vector3 operator-(const Vector3& a, const Vector3& b) { return Vector3(a.x - b.x, a.y - b.y, a.z - b.z); }
inline Vector3 operator*(const Vector3& a, double s) { return Vector3(a.x * s, a.y * s, a.z * s); }
inline Vector3 operator*(double s, const Vector3& a) { return a * s; }
inline Vector3 operator/(const Vector3& a, double s) { return Vector3(a.x / s, a.y / s, a.z / s); }

inline double dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
// Right-handed: cross((1,0,0), (0,1,0)) is (0,0,1); every frame rotation relies on it.
inline Vector3 cross(const Vector3& a, const Vector3& b) {
    return Vector3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}
inline double lengthSquared(const Vector3& a) { return a.x * a.x + a.y * a.y + a.z * a.z; }
double length(const Vector3& a);

inline bool operator==(const Vector3& a, const Vector3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }
inline bool operator!=(const Vector3& a, const Vector3& b) { return !(a == b); }
// Not orderings: true only when every component is strictly less (greater). They serve box tests.
inline bool operator<(const Vector3& a, const Vector3& b) { return a.x < b.x && a.y < b.y && a.z < b.z; }
inline bool operator>(const Vector3& a, const Vector3& b) { return a.x > b.x && a.y > b.y && a.z > b.z; }

Vector3 componentMin(const Vector3& a, const Vector3& b);
Vector3 componentMax(const Vector3& a, const Vector3& b);

// A vector at right angles to a (not normalised): the smallest component is dropped,
// the other two swapped with one sign change.
Vector3 perpendicular(const Vector3& a);

// Writes "(x,y,z)\n" with six decimals each to standard output.
void print(const Vector3& a);

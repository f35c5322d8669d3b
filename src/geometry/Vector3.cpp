#include "geometry/Vector3.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

double length(const Vector3& a) { return std::sqrt(lengthSquared(a)); }

Vector3 componentMin(const Vector3& a, const Vector3& b) {
    return Vector3(std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z));
}

Vector3 componentMax(const Vector3& a, const Vector3& b) {
    return Vector3(std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z));
}

Vector3 perpendicular(const Vector3& a) {
    const double ax = std::fabs(a.x), ay = std::fabs(a.y), az = std::fabs(a.z);
    int i, j;
    if (ax > ay) {
        i = 0;
        j = az > ay ? 2 : 1;
    } else {
        i = 1;
        j = ax > az ? 0 : 2;
    }
    Vector3 result(0.0, 0.0, 0.0);
    result[i] = a[j];
    result[j] = -a[i];
    return result;
}

void print(const Vector3& a) { std::printf("(%f,%f,%f)\n", a.x, a.y, a.z); }

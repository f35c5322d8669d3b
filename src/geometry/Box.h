#pragma once

#include "geometry/Vector3.h"

// Axis-aligned box: corner0 is the low corner, corner1 the high one (owners keep it so).
class Box {
public:
    Vector3 corner0{0, 0, 0}, corner1{0, 0, 0};

    Box() = default;
    Box(const Vector3& corner0, const Vector3& corner1) : corner0(corner0), corner1(corner1) {}

    // 0 is corner0, anything else corner1.
    Vector3& bound(int i) { return i == 0 ? corner0 : corner1; }

    // Corner j in 0..7: bit 0 picks x from corner1, bit 1 picks y, bit 2 picks z.
    Vector3 corner(int j) const {
        return Vector3((j & 1) ? corner1.x : corner0.x,
                       (j & 2) ? corner1.y : corner0.y,
                       (j & 4) ? corner1.z : corner0.z);
    }

    // Strict: boxes that only touch on a face, edge or corner do not overlap.
    bool overlaps(const Box& other) const {
        return corner1.x > other.corner0.x && corner1.y > other.corner0.y && corner1.z > other.corner0.z &&
               corner0.x < other.corner1.x && corner0.y < other.corner1.y && corner0.z < other.corner1.z;
    }

    bool contains(const Vector3& point) const { return corner0 < point && point < corner1; }
    bool contains(const Box& other) const { return corner0 < other.corner0 && corner1 > other.corner1; }
};

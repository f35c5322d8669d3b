#include "terrain/Terrain.h"

#include "motion/Body.h"

#include <cmath>

namespace {
// Truncation toward zero of a grid coordinate, held within [low, high] first so that a far or
// broken (not-a-number) position never overflows the conversion. Within that span the result
// is the plain truncation.
int truncWithin(double coordinate, int low, int high) {
    if (!(coordinate > low)) return low;
    if (coordinate > high) return high;
    return static_cast<int>(coordinate);
}

// A grid coordinate kept within 0 .. last; not-a-number goes to 0.
float clampGridCoordinate(float coordinate, int last) {
    if (!(coordinate > 0.0f)) return 0.0f;
    if (coordinate > static_cast<float>(last)) return static_cast<float>(last);
    return coordinate;
}
}

void Terrain::visibleRange(const Body& camera, int& colMin, int& rowMin, int& colMax, int& rowMax) const {
    const Vector3 eye = camera.position();
    const int halfColumns = columns_ / 2;
    const int halfRows = rows_ / 2;
    // Two below and one beyond the grid are enough to keep every outcome of the clamps below.
    colMin = truncWithin((eye.x - origin_.x - viewDistance_) / gridSpacing_ + halfColumns, -2, columns_ + 1);
    colMax = truncWithin((eye.x - origin_.x + viewDistance_) / gridSpacing_ + halfColumns, -2, columns_ + 1) + 1;
    rowMin = truncWithin((eye.z - origin_.z - viewDistance_) / gridSpacing_ + halfRows, -2, rows_ + 1);
    rowMax = truncWithin((eye.z - origin_.z + viewDistance_) / gridSpacing_ + halfRows, -2, rows_ + 1) + 1;
    if (colMin < 0) colMin = 0;
    if (rowMin < 0) rowMin = 0;
    if (colMax > columns_ - 1) colMax = columns_ - 1;
    if (rowMax > rows_ - 1) rowMax = rows_ - 1;
}

Vector3 Terrain::groundAt(Vector3 position, Vector3& normal) const {
    // Without a whole cell there is no ground to interpolate: level ground at the origin.
    if (columns_ < 2 || rows_ < 2) {
        normal = Vector3(0.0, 1.0, 0.0);
        return Vector3(position.x, origin_.y, position.z);
    }

    // Grid coordinates are held as floats, as the collision code has always seen them.
    float gx = static_cast<float>((position.x - origin_.x) / gridSpacing_ + columns_ / 2);
    float gz = static_cast<float>((position.z - origin_.z) / gridSpacing_ + rows_ / 2);
    gx = clampGridCoordinate(gx, columns_ - 1);
    gz = clampGridCoordinate(gz, rows_ - 1);

    // The last whole cell serves the last row and column, with a fraction of 1 at the edge,
    // so the far corners are always inside the grid.
    int c0 = static_cast<int>(gx);
    int r0 = static_cast<int>(gz);
    if (c0 > columns_ - 2) c0 = columns_ - 2;
    if (r0 > rows_ - 2) r0 = rows_ - 2;
    const int c1 = c0 + 1;
    const int r1 = r0 + 1;
    const double fx = static_cast<float>(gx - c0);
    const double fz = static_cast<float>(gz - r0);

    const Vector3& v00 = vertices_[index(r0, c0)];
    const Vector3& v01 = vertices_[index(r0, c1)];
    const Vector3& v10 = vertices_[index(r1, c0)];
    const Vector3& v11 = vertices_[index(r1, c1)];
    const double height =
        (1 - fx) * (1 - fz) * v00.y + (1 - fz) * fx * v01.y + (1 - fx) * fz * v10.y + fx * fz * v11.y;

    // One plane for the whole cell, through three of its corners; its y is spacing squared.
    const Vector3 n = cross(v10 - v00, v01 - v00);
    normal = n / length(n);
    return Vector3(position.x, height, position.z);
}

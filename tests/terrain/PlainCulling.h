#pragma once

#include "motion/Body.h"
#include "terrain/Terrain.h"

#include <vector>

// The ground's culling done the plain way, triangle by triangle over the whole view square:
// every triangle of every cell, in the grid's order, kept when one of its corners lies
// strictly inside the 45-degree cone and one strictly faces the camera. Grid indices
// (row * columns + col), three per triangle.
inline std::vector<int> plainVisibleTriangles(const Terrain& terrain, const Body& camera) {
    constexpr double CONE_COSINE = 0.707106781;
    int colMin, rowMin, colMax, rowMax;
    terrain.visibleRange(camera, colMin, rowMin, colMax, rowMax);
    const Vector3 eye = camera.position();
    const Vector3 ahead = camera.lookPoint() - eye;
    const Vector3 w = ahead / length(ahead);
    const int columns = terrain.columns();
    // Each vertex's direction, found once: the same floats as finding it for every triangle.
    const int width = colMax - colMin + 1;
    std::vector<Vector3> directions;
    for (int row = rowMin; row <= rowMax; ++row)
        for (int col = colMin; col <= colMax; ++col) {
            const Vector3 d = terrain.vertex(row, col) - eye;
            directions.push_back(d / length(d));
        }
    auto direction = [&](int i) -> const Vector3& {
        return directions[static_cast<std::size_t>((i / columns - rowMin) * width + i % columns - colMin)];
    };
    std::vector<int> corners;
    auto consider = [&](int a, int b, int c) {
        bool inCone = false, facing = false;
        for (const int i : {a, b, c}) {
            const Vector3& d = direction(i);
            inCone = inCone || dot(d, w) > CONE_COSINE;
            facing = facing || dot(terrain.normal(i / columns, i % columns), d) < 0.0;
        }
        if (inCone && facing) corners.insert(corners.end(), {a, b, c});
    };
    for (int row = rowMin; row < rowMax; ++row)
        for (int col = colMin; col < colMax; ++col) {
            const int p = row * columns + col, q = p + 1, r = p + columns, t = r + 1;
            consider(r, q, p);
            consider(q, r, t);
        }
    return corners;
}

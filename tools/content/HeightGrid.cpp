#include "content/HeightGrid.h"

#include <algorithm>
#include <cmath>

HeightGrid::HeightGrid(const Image& heightmap, double heightScale, double gridSpacing)
    : cols(heightmap.getWidth()), rowCount(heightmap.getHeight()), heightScale(heightScale), gridSpacing(gridSpacing) {
    heights.resize(static_cast<std::size_t>(cols) * rowCount);
    for (int y = 0; y < rowCount; ++y)
        for (int x = 0; x < cols; ++x) {
            std::uint8_t r, g, b, a;
            unpackColour(heightmap.getPixel(x, y), &r, &g, &b, &a);
            heights[static_cast<std::size_t>(y) * cols + x] = b * heightScale / 255.0;
            if (r) checkpointMarks.push_back({x, y, 255 - r});
            if (g) bonusMarks.push_back({x, y, g});
        }
}

Vector3 HeightGrid::vertex(int x, int y) const {
    return Vector3((x - cols / 2) * gridSpacing, vertexHeight(x, y), (y - rowCount / 2) * gridSpacing);
}

void HeightGrid::cellOf(double worldX, double worldZ, int& c0, int& r0, double& fx, double& fz) const {
    double gx = std::clamp(pixelX(worldX), 0.0, cols - 1.0);
    double gz = std::clamp(pixelY(worldZ), 0.0, rowCount - 1.0);
    // The last row and column have no far neighbours: use the cell before them.
    c0 = std::min(static_cast<int>(gx), cols - 2);
    r0 = std::min(static_cast<int>(gz), rowCount - 2);
    fx = gx - c0;
    fz = gz - r0;
}

double HeightGrid::groundAt(double worldX, double worldZ) const {
    if (cols < 2 || rowCount < 2) return 0;
    int c0, r0;
    double fx, fz;
    cellOf(worldX, worldZ, c0, r0, fx, fz);
    return (1 - fx) * (1 - fz) * vertexHeight(c0, r0) + (1 - fz) * fx * vertexHeight(c0 + 1, r0) +
           (1 - fx) * fz * vertexHeight(c0, r0 + 1) + fx * fz * vertexHeight(c0 + 1, r0 + 1);
}

Vector3 HeightGrid::normalAt(double worldX, double worldZ) const {
    if (cols < 2 || rowCount < 2) return Vector3(0, 1, 0);
    int c0, r0;
    double fx, fz;
    cellOf(worldX, worldZ, c0, r0, fx, fz);
    Vector3 o = vertex(c0, r0);
    Vector3 n = cross(vertex(c0, r0 + 1) - o, vertex(c0 + 1, r0) - o);
    return n / length(n);
}

std::vector<Vector3> HeightGrid::checkpointsInOrder() const {
    std::vector<Vector3> points(checkpointMarks.size(), Vector3(0, 0, 0));
    for (const GridMarker& m : checkpointMarks)
        if (m.value < static_cast<int>(points.size()))
            points[m.value] = vertex(m.x, m.y) + Vector3(0, HANG_HEIGHT, 0);
    return points;
}

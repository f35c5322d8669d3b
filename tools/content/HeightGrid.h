#pragma once

#include "assets/Image.h"
#include "geometry/Vector3.h"

#include <vector>

// A heightmap read the way the game's terrain reads it, without any OpenGL: vertex heights,
// checkpoints in racing order and bonus markers, in world units around the origin.
struct GridMarker {
    int x = 0, y = 0;  // pixel
    int value = 0;     // checkpoint number, or bonus type
};

class HeightGrid {
public:
    HeightGrid(const Image& heightmap, double heightScale, double gridSpacing);

    int columns() const { return cols; }
    int rows() const { return rowCount; }
    double spacing() const { return gridSpacing; }
    double scale() const { return heightScale; }

    double vertexHeight(int x, int y) const { return heights[static_cast<std::size_t>(y) * cols + x]; }
    // World position of pixel (x, y) at ground level.
    Vector3 vertex(int x, int y) const;
    // Pixel coordinates (fractional) of a world point.
    double pixelX(double worldX) const { return worldX / gridSpacing + cols / 2; }
    double pixelY(double worldZ) const { return worldZ / gridSpacing + rowCount / 2; }
    // Bilinear ground height under a world point, clamped to the grid like the game's query.
    double groundAt(double worldX, double worldZ) const;
    // The game's ground normal for the cell under a world point.
    Vector3 normalAt(double worldX, double worldZ) const;

    // Every red pixel and every green pixel, in scan order; value is 255 - red or green.
    const std::vector<GridMarker>& checkpointPixels() const { return checkpointMarks; }
    const std::vector<GridMarker>& bonusPixels() const { return bonusMarks; }
    // Checkpoint i hangs 3000 above its pixel; valid only for a sound, contiguous numbering.
    std::vector<Vector3> checkpointsInOrder() const;

    static constexpr double HANG_HEIGHT = 3000.0;

private:
    void cellOf(double worldX, double worldZ, int& c0, int& r0, double& fx, double& fz) const;

    int cols, rowCount;
    double heightScale, gridSpacing;
    std::vector<double> heights;
    std::vector<GridMarker> checkpointMarks, bonusMarks;
};

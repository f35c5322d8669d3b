#include "terrain/Terrain.h"

#include "Heightmaps.h"
#include "motion/Body.h"

#include <gtest/gtest.h>

#include <limits>

namespace {
struct Range {
    int colMin = 0, rowMin = 0, colMax = 0, rowMax = 0;
};

Range rangeFrom(const Terrain& terrain, const Vector3& eye) {
    const Body camera(eye, eye + Vector3(0.0, 0.0, 1.0), Vector3(0.0, 1.0, 0.0));
    Range r{};
    terrain.visibleRange(camera, r.colMin, r.rowMin, r.colMax, r.rowMax);
    return r;
}
}

TEST(VisibleRange, SquareOfViewDistanceAroundTheCentreOfALargeGrid) {
    Terrain terrain(Vector3(0, 0, 0), flatHeightmap(256, 256), 10000.0, 1200.0);
    terrain.setViewDistance(70000.0);
    const Range r = rangeFrom(terrain, Vector3(0.0, 3000.0, 0.0));
    EXPECT_EQ(r.colMin, 69);
    EXPECT_EQ(r.colMax, 187);
    EXPECT_EQ(r.rowMin, 69);
    EXPECT_EQ(r.rowMax, 187);
}

TEST(VisibleRange, RowsAndColumnsAreCentredSeparatelyAndRelativeToTheOrigin) {
    Terrain terrain(Vector3(500.0, 0.0, -500.0), flatHeightmap(100, 40), 10000.0, 1000.0);
    terrain.setViewDistance(6000.0);
    const Range r = rangeFrom(terrain, Vector3(500.0, 0.0, -500.0));
    EXPECT_EQ(r.colMin, 44);
    EXPECT_EQ(r.colMax, 57);
    EXPECT_EQ(r.rowMin, 14);
    EXPECT_EQ(r.rowMax, 27);
}

TEST(VisibleRange, IsClampedToTheGridNearItsCorner) {
    Terrain terrain(Vector3(0, 0, 0), flatHeightmap(20, 10), 10000.0, 1000.0);
    terrain.setViewDistance(4500.0);
    const Range r = rangeFrom(terrain, Vector3(9500.0, 0.0, -5000.0));  // x beyond the last column
    EXPECT_EQ(r.colMin, 15);
    EXPECT_EQ(r.colMax, 19);
    EXPECT_EQ(r.rowMin, 0);
    EXPECT_EQ(r.rowMax, 5);
}

TEST(VisibleRange, CameraFarOutsideGetsAnEmptyRectangle) {
    Terrain terrain(Vector3(0, 0, 0), flatHeightmap(256, 256), 10000.0, 1200.0);
    terrain.setViewDistance(70000.0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const Vector3& eye : {Vector3(300000.0, 0.0, 0.0), Vector3(0.0, 0.0, -300000.0), Vector3(1e300, 0.0, -1e300),
                               Vector3(nan, 0.0, nan)}) {
        const Range r = rangeFrom(terrain, eye);
        EXPECT_TRUE(r.colMin > r.colMax || r.rowMin > r.rowMax) << eye.x << " " << eye.z;
        EXPECT_GE(r.colMin, 0);
        EXPECT_GE(r.rowMin, 0);
        EXPECT_LE(r.colMax, 255);
        EXPECT_LE(r.rowMax, 255);
    }
}

#include "terrain/Terrain.h"

#include "Heightmaps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {
const Vector3 ORIGIN(0.0, 0.0, 0.0);

// A 4 x 4 grid over x, z in -2400 .. 1200 with every vertex at its own height.
Image unevenHeightmap() {
    Image heightmap(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) setBlue(heightmap, x, y, static_cast<std::uint8_t>(10 + 40 * y + 7 * x));
    return heightmap;
}

void expectUnit(const Vector3& n) {
    EXPECT_NEAR(length(n), 1.0, 1e-12);
    EXPECT_GT(n.y, 0.0);
}
}

TEST(GroundQuery, AtAVertexGivesItsHeight) {
    Terrain terrain(ORIGIN, unevenHeightmap(), 10000.0, 1200.0);
    Vector3 normal;
    const Vector3 ground = terrain.groundAt(Vector3(0.0, 99999.0, -1200.0), normal);  // vertex (1, 2)
    EXPECT_EQ(ground.x, 0.0);
    EXPECT_EQ(ground.z, -1200.0);
    EXPECT_NEAR(ground.y, terrain.vertex(1, 2).y, 1e-9);
    expectUnit(normal);
}

TEST(GroundQuery, CellCentreGivesTheMeanOfItsCorners) {
    Terrain terrain(ORIGIN, unevenHeightmap(), 10000.0, 1200.0);
    Vector3 normal;
    const Vector3 ground = terrain.groundAt(Vector3(-1800.0, 0.0, -600.0), normal);  // cell (1, 0)
    const double mean =
        (terrain.vertex(1, 0).y + terrain.vertex(1, 1).y + terrain.vertex(2, 0).y + terrain.vertex(2, 1).y) / 4;
    EXPECT_NEAR(ground.y, mean, 1e-9);
}

TEST(GroundQuery, RaisedFarCornerLiftsTheCentreButNotTheNormal) {
    Image heightmap = flatHeightmap(3, 3);
    setBlue(heightmap, 2, 2, 255);  // corner (r1, c1) of cell (1, 1), 1200 up
    Terrain terrain(ORIGIN, heightmap, 1200.0, 1200.0);
    Vector3 normal;
    const Vector3 ground = terrain.groundAt(Vector3(600.0, 0.0, 600.0), normal);
    EXPECT_NEAR(ground.y, 300.0, 1e-9);
    EXPECT_NEAR(normal.x, 0.0, 1e-12);
    EXPECT_NEAR(normal.y, 1.0, 1e-12);
    EXPECT_NEAR(normal.z, 0.0, 1e-12);
}

TEST(GroundQuery, SlopeUpTowardsPlusXFacesDownhill) {
    Image heightmap = flatHeightmap(3, 3);
    for (int row = 0; row < 3; ++row) setBlue(heightmap, 2, row, 255);  // column 2 is 1200 up
    Terrain terrain(ORIGIN, heightmap, 1200.0, 1200.0);
    Vector3 normal;
    terrain.groundAt(Vector3(300.0, 0.0, 300.0), normal);  // cell (1, 1)
    EXPECT_NEAR(normal.x, -std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(normal.y, std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(normal.z, 0.0, 1e-12);
}

TEST(GroundQuery, FlatGroundIsLevelEverywhere) {
    Terrain terrain(Vector3(0.0, 40.0, 0.0), flatHeightmap(6, 5, 51), 10000.0, 1200.0);
    for (double x : {-5000.0, -3333.3, 0.0, 17.5, 2399.0, 9000.0}) {
        Vector3 normal;
        const Vector3 ground = terrain.groundAt(Vector3(x, -7.0, x / 2), normal);
        EXPECT_NEAR(ground.y, 2040.0, 1e-9) << x;
        EXPECT_EQ(normal, Vector3(0.0, 1.0, 0.0)) << x;
    }
}

TEST(GroundQuery, BeyondEachEdgeTakesTheEdgeAndKeepsTheQueryXZ) {
    Terrain terrain(ORIGIN, unevenHeightmap(), 10000.0, 1200.0);
    Vector3 normal;
    // Far beyond -x at z = -1800: halfway between rows 0 and 1 of column 0.
    Vector3 ground = terrain.groundAt(Vector3(-1.0e7, 0.0, -1800.0), normal);
    EXPECT_EQ(ground.x, -1.0e7);
    EXPECT_EQ(ground.z, -1800.0);
    EXPECT_NEAR(ground.y, (terrain.vertex(0, 0).y + terrain.vertex(1, 0).y) / 2, 1e-9);
    expectUnit(normal);

    // Beyond +x: column 3, the last.
    ground = terrain.groundAt(Vector3(1.0e7, 0.0, -1800.0), normal);
    EXPECT_NEAR(ground.y, (terrain.vertex(0, 3).y + terrain.vertex(1, 3).y) / 2, 1e-6);
    expectUnit(normal);

    // Beyond -z and +z: rows 0 and 3, halfway between columns 1 and 2.
    ground = terrain.groundAt(Vector3(-600.0, 0.0, -1.0e7), normal);
    EXPECT_NEAR(ground.y, (terrain.vertex(0, 1).y + terrain.vertex(0, 2).y) / 2, 1e-9);
    ground = terrain.groundAt(Vector3(-600.0, 0.0, 1.0e7), normal);
    EXPECT_NEAR(ground.y, (terrain.vertex(3, 1).y + terrain.vertex(3, 2).y) / 2, 1e-6);
    EXPECT_EQ(ground.z, 1.0e7);
    expectUnit(normal);
}

TEST(GroundQuery, LastRowAndColumnUseTheLastCell) {
    Terrain terrain(ORIGIN, unevenHeightmap(), 10000.0, 1200.0);
    Vector3 lastCellNormal;
    terrain.groundAt(Vector3(600.0, 0.0, 600.0), lastCellNormal);  // inside cell (2, 2)

    Vector3 normal;
    // Exactly on the last vertex, and between it and where the grid would end.
    for (double d : {0.0, 300.0, 1199.0}) {
        const Vector3 ground = terrain.groundAt(Vector3(1200.0 + d, 0.0, 1200.0 + d), normal);
        EXPECT_NEAR(ground.y, terrain.vertex(3, 3).y, 1e-6) << d;
        EXPECT_EQ(normal, lastCellNormal) << d;
    }
    // On the last column, halfway along row 1 to 2.
    const Vector3 ground = terrain.groundAt(Vector3(1200.0, 0.0, -600.0), normal);
    EXPECT_NEAR(ground.y, (terrain.vertex(1, 3).y + terrain.vertex(2, 3).y) / 2, 1e-6);
}

TEST(GroundQuery, TooSmallForACellGivesLevelGroundAtTheOrigin) {
    const Vector3 origin(5.0, 123.0, -7.0);
    Terrain empty(origin, Image("/nonexistent/heightmap.bmp"), 10000.0, 1200.0);
    Terrain oneRow(origin, flatHeightmap(4, 1, 255), 10000.0, 1200.0);
    for (Terrain* terrain : {&empty, &oneRow}) {
        Vector3 normal(9, 9, 9);
        const Vector3 ground = terrain->groundAt(Vector3(300.0, -50.0, 400.0), normal);
        EXPECT_EQ(ground, Vector3(300.0, 123.0, 400.0));
        EXPECT_EQ(normal, Vector3(0.0, 1.0, 0.0));
    }
}

TEST(GroundQuery, BrokenPositionStaysOnTheGrid) {
    Terrain terrain(ORIGIN, unevenHeightmap(), 10000.0, 1200.0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    Vector3 normal;
    for (const Vector3& position : {Vector3(nan, 0, nan), Vector3(inf, 0, -inf), Vector3(1e300, 0, -1e300)}) {
        const Vector3 ground = terrain.groundAt(position, normal);
        EXPECT_TRUE(std::isfinite(ground.y));
        expectUnit(normal);
    }
}

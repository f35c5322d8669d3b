#include "terrain/Terrain.h"

#include "Heightmaps.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
const Vector3 ORIGIN(0.0, 0.0, 0.0);

void expectVector(const Vector3& actual, double x, double y, double z, double tolerance = 1e-9) {
    EXPECT_NEAR(actual.x, x, tolerance);
    EXPECT_NEAR(actual.y, y, tolerance);
    EXPECT_NEAR(actual.z, z, tolerance);
}
}

TEST(TerrainGrid, EvenGridIsPlacedWithIntegerHalves) {
    Terrain terrain(ORIGIN, flatHeightmap(4, 4), 10000.0, 1200.0);
    ASSERT_EQ(terrain.columns(), 4);
    ASSERT_EQ(terrain.rows(), 4);
    expectVector(terrain.vertex(0, 0), -2400.0, 0.0, -2400.0);
    expectVector(terrain.vertex(0, 3), 1200.0, 0.0, -2400.0);
    expectVector(terrain.vertex(3, 0), -2400.0, 0.0, 1200.0);
    expectVector(terrain.vertex(2, 2), 0.0, 0.0, 0.0);
}

TEST(TerrainGrid, OddGridIsSymmetricAndCentreStandsAboveOrigin) {
    Terrain centred(ORIGIN, flatHeightmap(5, 5), 10000.0, 1200.0);
    expectVector(centred.vertex(0, 0), -2400.0, 0.0, -2400.0);
    expectVector(centred.vertex(4, 4), 2400.0, 0.0, 2400.0);

    Terrain moved(Vector3(100.0, 50.0, -200.0), flatHeightmap(5, 3), 10000.0, 1000.0);
    expectVector(moved.vertex(1, 2), 100.0, 50.0, -200.0);
    expectVector(moved.vertex(0, 0), -1900.0, 50.0, -1200.0);
}

TEST(TerrainGrid, HeightComesFromBlue) {
    Image heightmap = flatHeightmap(3, 3);
    setBlue(heightmap, 0, 0, 255);
    setBlue(heightmap, 1, 0, 51);
    Terrain terrain(Vector3(0.0, -10.0, 0.0), heightmap, 10000.0, 1200.0);
    EXPECT_DOUBLE_EQ(terrain.vertex(0, 0).y, 9990.0);
    EXPECT_DOUBLE_EQ(terrain.vertex(0, 1).y, 1990.0);
    EXPECT_DOUBLE_EQ(terrain.vertex(0, 2).y, -10.0);
}

TEST(TerrainGrid, CheckpointsAreNumberedFromRedAndRaised) {
    Image heightmap = flatHeightmap(4, 3);
    heightmap.setPixel(1, 2, packColour(255, 0, 10, 0));  // ground 500 with a 12750 scale
    heightmap.setPixel(3, 0, packColour(254, 255, 0, 0));  // checkpoint and bonus at once
    Terrain terrain(ORIGIN, heightmap, 12750.0, 1200.0);

    ASSERT_EQ(terrain.checkpointCount(), 2);
    expectVector(terrain.checkpoint(0), -1200.0, 3500.0, 1200.0);
    expectVector(terrain.checkpoint(1), 1200.0, 3000.0, -1200.0);
    ASSERT_EQ(terrain.bonusMarkerCount(), 1);
    EXPECT_EQ(terrain.bonusMarkerValue(0), 255);
    EXPECT_EQ(terrain.bonusMarkerPosition(0), terrain.checkpoint(1));
}

TEST(TerrainGrid, UnnamedAndOutOfRangeSlotsAreZero) {
    Image heightmap = flatHeightmap(3, 3, 200);
    heightmap.setPixel(0, 0, packColour(255, 0, 200, 0));
    heightmap.setPixel(2, 2, packColour(252, 0, 200, 0));  // checkpoint 3: slots 1 and 2 stay empty
    Terrain terrain(ORIGIN, heightmap, 10000.0, 1200.0);
    EXPECT_EQ(terrain.checkpointCount(), 2);
    EXPECT_EQ(terrain.checkpoint(1), Vector3(0, 0, 0));
    EXPECT_EQ(terrain.checkpoint(2), Vector3(0, 0, 0));
    EXPECT_NE(terrain.checkpoint(3), Vector3(0, 0, 0));
    EXPECT_EQ(terrain.checkpoint(-1), Vector3(0, 0, 0));
    EXPECT_EQ(terrain.checkpoint(Terrain::SLOTS), Vector3(0, 0, 0));
    EXPECT_EQ(terrain.bonusMarkerPosition(0), Vector3(0, 0, 0));
    EXPECT_EQ(terrain.bonusMarkerValue(0), 0);
}

TEST(TerrainGrid, RepeatedRedByteOverwritesButCountsBoth) {
    Image heightmap = flatHeightmap(3, 2);
    heightmap.setPixel(0, 0, packColour(255, 0, 0, 0));
    heightmap.setPixel(2, 1, packColour(255, 0, 0, 0));
    Terrain terrain(ORIGIN, heightmap, 10000.0, 1200.0);
    EXPECT_EQ(terrain.checkpointCount(), 2);
    expectVector(terrain.checkpoint(0), 1200.0, 3000.0, 0.0);
}

TEST(TerrainGrid, BonusMarkersFollowScanOrder) {
    Image heightmap = flatHeightmap(3, 2);
    heightmap.setPixel(0, 1, packColour(0, 5, 0, 0));
    heightmap.setPixel(2, 0, packColour(0, 7, 0, 0));
    heightmap.setPixel(1, 0, packColour(0, 9, 0, 0));
    Terrain terrain(ORIGIN, heightmap, 10000.0, 1200.0);
    ASSERT_EQ(terrain.bonusMarkerCount(), 3);
    EXPECT_EQ(terrain.bonusMarkerValue(0), 9);
    EXPECT_EQ(terrain.bonusMarkerValue(1), 7);
    EXPECT_EQ(terrain.bonusMarkerValue(2), 5);
    expectVector(terrain.bonusMarkerPosition(2), -1200.0, 3000.0, 0.0);
}

TEST(TerrainGrid, MarkersBeyondTheSlotsAreIgnored) {
    Image heightmap(20, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) heightmap.setPixel(x, y, packColour(0, static_cast<std::uint8_t>(1 + x), 0, 0));
    Terrain terrain(ORIGIN, heightmap, 10000.0, 1200.0);
    ASSERT_EQ(terrain.bonusMarkerCount(), Terrain::SLOTS);
    // Marker 254 is the 255th pixel in scan order: row 12, column 14.
    EXPECT_EQ(terrain.bonusMarkerPosition(254), terrain.vertex(12, 14) + Vector3(0, 3000, 0));
    EXPECT_EQ(terrain.bonusMarkerValue(254), 15);
    EXPECT_EQ(terrain.bonusMarkerValue(Terrain::SLOTS), 0);
}

TEST(TerrainGrid, FlatGroundNormalsAreUpInsideAndAlongZOnTheBorder) {
    Terrain terrain(ORIGIN, flatHeightmap(5, 4, 100), 10000.0, 1200.0);
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 5; ++col) {
            SCOPED_TRACE(testing::Message() << "row " << row << " col " << col);
            const bool border = row == 0 || row == 3 || col == 0 || col == 4;
            if (border)
                expectVector(terrain.normal(row, col), 0.0, 0.0, 1.0);
            else
                expectVector(terrain.normal(row, col), 0.0, 1.0, 0.0);
        }
    }
}

TEST(TerrainGrid, NormalOfAnEvenSlopeIsThePlaneNormal) {
    // Height rises 100 per column: y = x / 12 over spacing 1200.
    Image heightmap(5, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) setBlue(heightmap, x, y, static_cast<std::uint8_t>(10 * x));
    Terrain terrain(ORIGIN, heightmap, 2550.0, 1200.0);
    const double slope = 100.0 / 1200.0;
    const double norm = std::sqrt(1.0 + slope * slope);
    expectVector(terrain.normal(2, 2), -slope / norm, 1.0 / norm, 0.0, 1e-12);
}

TEST(TerrainGrid, NormalBesideAPeakLeansAwayFromIt) {
    Image heightmap = flatHeightmap(5, 5);
    setBlue(heightmap, 2, 2, 255);
    Terrain terrain(ORIGIN, heightmap, 1200.0, 1200.0);
    expectVector(terrain.normal(2, 2), 0.0, 1.0, 0.0, 1e-12);
    // East of the peak: of the eight faces around (2, 3), the two touching the peak tilt
    // towards +x. Their summed face vector is (-2 * 1200 * 1200, -8 * 1200 * 1200, 0) before
    // normalising and negating.
    expectVector(terrain.normal(2, 3), 2.0 / std::sqrt(68.0), 8.0 / std::sqrt(68.0), 0.0, 1e-12);
    EXPECT_NEAR(length(terrain.normal(2, 3)), 1.0, 1e-12);
}

TEST(TerrainGrid, MissingHeightmapGivesAnEmptyTerrain) {
    Terrain terrain(ORIGIN, Image("/nonexistent/heightmap.bmp"), 10000.0, 1200.0);
    EXPECT_EQ(terrain.columns(), 0);
    EXPECT_EQ(terrain.rows(), 0);
    EXPECT_EQ(terrain.checkpointCount(), 0);
    EXPECT_EQ(terrain.bonusMarkerCount(), 0);
}

TEST(TerrainGrid, ViewDistanceStartsFarAndCanBeSet) {
    Terrain terrain(ORIGIN, flatHeightmap(2, 2), 10000.0, 1200.0);
    EXPECT_EQ(terrain.getViewDistance(), 10000000.0);
    terrain.setViewDistance(70000.0);
    EXPECT_EQ(terrain.getViewDistance(), 70000.0);
}

TEST(TerrainGrid, CurrentTerrainIsWhatWasSet) {
    Terrain terrain(ORIGIN, flatHeightmap(2, 2), 10000.0, 1200.0);
    setCurrentTerrain(&terrain);
    EXPECT_EQ(currentTerrain(), &terrain);
    setCurrentTerrain(nullptr);
    EXPECT_EQ(currentTerrain(), nullptr);
}

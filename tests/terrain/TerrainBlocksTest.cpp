#include "terrain/Terrain.h"

#include "PlainCulling.h"
#include "content/GeneratedMap.h"
#include "motion/Body.h"
#include "race/RaceSetup.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

// The ground passes over whole blocks of the grid that lie outside the view cone before any
// per-vertex test. That must never cost a triangle: the choice stays, triangle for triangle
// and in order, the plain one, on the shipped circuits and on a big generated map, from
// cameras all over and around the grid looking every way.
namespace {
struct Look {
    Vector3 direction{0, 0, 0};
    Vector3 up{0, 0, 0};
};

// Turned a little from the axes, along the grid lines exactly, 45 degrees down, straight
// down and straight up.
std::vector<Look> looks() {
    std::vector<Look> list;
    const Vector3 up(0, 1, 0);
    for (int k = 0; k < 6; ++k) {
        const double turn = 0.3 + k * 3.14159265358979 / 3;
        list.push_back({Vector3(std::cos(turn), -0.2, std::sin(turn)), up});
    }
    for (const Vector3& along : {Vector3(1, 0, 0), Vector3(-1, 0, 0), Vector3(0, 0, 1), Vector3(0, 0, -1)})
        list.push_back({along, up});
    list.push_back({Vector3(1, -1, 0), up});
    list.push_back({Vector3(0, -1, 0), Vector3(0, 0, 1)});
    list.push_back({Vector3(0, 1, 0), Vector3(0, 0, 1)});
    return list;
}

// Places over the grid, beyond its edges and exactly on a vertex, low and high above the ground.
std::vector<Vector3> eyes(const Terrain& terrain) {
    const int columns = terrain.columns(), rows = terrain.rows();
    std::vector<Vector3> list{terrain.vertex(rows / 3, columns / 5)};  // the eye on a vertex
    Vector3 normal;
    for (const double across : {-0.8, 0.1, 0.7})
        for (const double down : {-0.6, 0.4, 1.15}) {
            const int col = static_cast<int>((0.5 + across / 2) * (columns - 1));
            const int row = std::min(rows - 1, static_cast<int>((0.5 + down / 2) * (rows - 1)));
            const Vector3 onGrid = terrain.vertex(row, col);
            // Beyond the last row the camera keeps the grid line's x and moves out in z.
            const double z = onGrid.z + (down > 1 ? 30000.0 : 0.0);
            const Vector3 ground = terrain.groundAt(Vector3(onGrid.x, 0, z), normal);
            list.emplace_back(onGrid.x, ground.y + 1500, z);
            list.emplace_back(onGrid.x + 317, ground.y + 60000, z - 211);
        }
    return list;
}

void expectPlainChoice(Terrain& terrain, const std::string& name) {
    std::size_t cameras = 0, drawing = 0;
    for (const double viewDistance : {70000.0, 280000.0}) {
        terrain.setViewDistance(viewDistance);
        for (const Vector3& eye : eyes(terrain))
            for (const Look& look : looks()) {
                const Body camera(eye, eye + look.direction, look.up);
                const std::vector<int> plain = plainVisibleTriangles(terrain, camera);
                ASSERT_EQ(terrain.visibleTriangles(camera), plain)
                    << name << ", view distance " << viewDistance << ", eye (" << eye.x << ", " << eye.y << ", "
                    << eye.z << "), looking (" << look.direction.x << ", " << look.direction.y << ", "
                    << look.direction.z << ")";
                ++cameras;
                if (!plain.empty()) ++drawing;
            }
    }
    // Most cameras see ground, or the comparison would prove little.
    EXPECT_GT(drawing, cameras * 2 / 3) << name;
}
}

TEST(TerrainBlocks, ChooseThePlainTrianglesOnEveryCircuit) {
    for (const CircuitSpec& circuit : CIRCUITS) {
        const Image heightmap(circuit.heightmapPath);
        ASSERT_GT(heightmap.getWidth(), 1) << circuit.heightmapPath << " missing: run from the build folder";
        Terrain terrain(Vector3(0, 0, 0), heightmap, circuit.heightScale, circuit.gridSpacing);
        expectPlainChoice(terrain, circuit.heightmapPath);
    }
}

TEST(TerrainBlocks, ChooseThePlainTrianglesOnABigMap) {
    // Off the world's origin, so the blocks' boxes are not centred on it.
    Terrain terrain(Vector3(4100, -2500, -7300), generatedMap(1024), 10000.0, 1200.0);
    expectPlainChoice(terrain, "generated map of 1024 samples a side");
}

#include "terrain/Terrain.h"

#include "Heightmaps.h"
#include "PlainCulling.h"
#include "app/services/GlServices.h"
#include "motion/Body.h"
#include "support/GlContext.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <memory>
#include <vector>

// The ground is sent in one vertex-array call and culled from per-vertex tests; these tests hold it
// to the straightforward way it was first drawn: every triangle tested from its own corners
// and sent in its own glBegin/glEnd. Same triangles, same order, same pixels.
namespace {
// Each triangle in its own glBegin/glEnd, in the ground's state.
void drawTriangleByTriangle(const Terrain& terrain, const std::vector<int>& corners) {
    terrain.prepareGroundState();
    const int columns = terrain.columns(), rows = terrain.rows();
    for (std::size_t first = 0; first < corners.size(); first += 3) {
        glBegin(GL_TRIANGLES);
        for (std::size_t k = first; k < first + 3; ++k) {
            const int row = corners[k] / columns, col = corners[k] % columns;
            glTexCoord2f(static_cast<float>(col) / columns, static_cast<float>(row) / rows);
            sendNormal(terrain.normal(row, col));
            sendVertex(terrain.vertex(row, col));
        }
        glEnd();
    }
}

void beginPicture(const Body& camera) {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);  // the ground's state sets its own; both pictures start alike
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    camera.applyCamera(false);
}

int differingPixels(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    int count = 0;
    for (std::size_t i = 0; i < a.size(); i += 4)
        if (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) ++count;
    return count;
}

class TerrainBatching : public testing::Test {
protected:
    void SetUp() override {
        REQUIRE_GL_CONTEXT();
        // Rolling hills with slopes facing every way, and a striped grass picture so that
        // every texture coordinate shows.
        Image heightmap(96, 96);
        for (int y = 0; y < 96; ++y)
            for (int x = 0; x < 96; ++x)
                setBlue(heightmap, x, y, static_cast<std::uint8_t>(120 + 100 * std::sin(x / 5.0) * std::cos(y / 7.0)));
        heightmap.save(files.file("height.bmp").c_str());
        Image grass(64, 64);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                grass.setPixel(x, y, packColour(static_cast<std::uint8_t>(x * 4), static_cast<std::uint8_t>(y * 4),
                                                (x / 8 + y / 8) % 2 ? 200 : 40, 0));
        grass.save(files.file("grass.bmp").c_str());
        for (int face = 0; face < 6; ++face) solidPicture(files.file("sky" + std::to_string(face) + ".bmp"), 90, 120, 200);
        terrain = std::make_unique<Terrain>(Vector3(0, 0, 0), files.file("height.bmp").c_str(),
                                            files.file("grass.bmp").c_str(), files.file("sky").c_str(), 10000.0, 1200.0);
        terrain->setViewDistance(70000.0);
    }

    // Cameras a little above the hills looking every way round, and one looking steeply down.
    std::vector<Body> cameras() const {
        std::vector<Body> list;
        Vector3 normal;
        for (int k = 0; k < 8; ++k) {
            const double turn = k * 3.14159265358979 / 4;
            const Vector3 ground = terrain->groundAt(Vector3(5000.0 * k - 20000, 0, 3000.0 * k - 12000), normal);
            const Vector3 eye(ground.x, ground.y + 3000, ground.z);
            list.emplace_back(eye, eye + Vector3(std::cos(turn), -0.15, std::sin(turn)), Vector3(0, 1, 0));
        }
        const Vector3 high(0, 25000, 0);
        list.emplace_back(high, high + Vector3(0.3, -1, 0.2), Vector3(0, 1, 0));
        return list;
    }

    TempDir files;
    std::unique_ptr<Terrain> terrain;
};
}

TEST_F(TerrainBatching, ChoosesTheSameTrianglesInTheSameOrder) {
    for (const Body& camera : cameras()) {
        const std::vector<int> plain = plainVisibleTriangles(*terrain, camera);
        EXPECT_GT(plain.size(), 3000u);
        EXPECT_EQ(terrain->visibleTriangles(camera), plain);
    }
}

TEST_F(TerrainBatching, OnePrimitiveDrawsTheSamePictureAsOnePerTriangle) {
    for (const Body& camera : cameras()) {
        beginPicture(camera);
        drawTriangleByTriangle(*terrain, plainVisibleTriangles(*terrain, camera));
        const std::vector<std::uint8_t> plain = GlContext::readPixels();

        beginPicture(camera);
        terrain->draw(camera);
        const std::vector<std::uint8_t> batched = GlContext::readPixels();

        EXPECT_GT(terrain->lastDrawnTriangles(), 1000);
        EXPECT_EQ(differingPixels(plain, batched), 0) << "camera at " << camera.position().x << ", "
                                                      << camera.position().z;
    }
}

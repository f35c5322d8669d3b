#pragma once

// Small hand-made models, terrains and placements for the race-object tests.

#include "app/services/Clock.h"
#include "app/services/KeyTable.h"
#include "assets/Image.h"
#include "assets/Model.h"
#include "entities/Entity.h"
#include "motion/Body.h"
#include "motion/BodyTuning.h"
#include "terrain/Terrain.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

// A model without a file: its box (in mesh coordinates) and one triangle of vertices.
class BoxModel : public Model {
public:
    explicit BoxModel(const Box& meshBox) { fill(meshBox); }
    // File corners min..max become mesh corners with the z half negative, as the loader does.
    static BoxModel fromFileBox(const Vector3& fileMin, const Vector3& fileMax) {
        return BoxModel(Box(Vector3(fileMin.x, fileMin.z, -fileMin.y), Vector3(fileMax.x, fileMax.z, -fileMax.y)));
    }
    bool load(const char*) override { return true; }

    // One untextured triangle more, for drawing tests.
    void addTriangle(const Vector3& a, const Vector3& b, const Vector3& c) {
        if (groups.empty()) groups.push_back(MeshGroup{-1, {}});
        const int first = static_cast<int>(vertices.size());
        for (const Vector3* p : {&a, &b, &c})
            vertices.push_back(MeshVertex{{float(p->x), float(p->y), float(p->z)}, {0, 0, 1}});
        groups[0].triangleIndices.push_back(static_cast<int>(triangles.size()));
        triangles.push_back(MeshTriangle{{0, 0, 0}, {0, 0, 0}, {first + 1, first + 2, first + 3}});
    }

private:
    void fill(const Box& meshBox) {
        box = meshBox;
        vertices.push_back(MeshVertex{{float(meshBox.corner0.x), float(meshBox.corner0.y), float(meshBox.corner0.z)}, {0, 1, 0}});
        vertices.push_back(MeshVertex{{float(meshBox.corner1.x), float(meshBox.corner1.y), float(meshBox.corner1.z)}, {0, 1, 0}});
    }
};

// A pod model two units wide per side: a box of half extents 100 in x, 50 in y, 100 in z.
inline BoxModel podModel() { return BoxModel::fromFileBox(Vector3(-100, -100, -50), Vector3(100, 100, 50)); }

// A heightmap of flat ground (blue) with red checkpoint and green bonus pixels.
struct Marker {
    int col = 0, row = 0, value = 0;
};
inline Image heightmap(int columns, int rows, std::uint8_t blue, const std::vector<Marker>& checkpoints,
                       const std::vector<Marker>& bonuses = {}) {
    Image image(columns, rows);
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < columns; ++col) image.setPixel(col, row, packColour(0, 0, blue, 255));
    auto paint = [&](const Marker& m, bool red) {
        std::uint8_t r, g, b, a;
        unpackColour(image.getPixel(m.col, m.row), &r, &g, &b, &a);
        if (red) r = static_cast<std::uint8_t>(m.value);
        else g = static_cast<std::uint8_t>(m.value);
        image.setPixel(m.col, m.row, packColour(r, g, b, a));
    };
    for (const Marker& m : checkpoints) paint(m, true);
    for (const Marker& m : bonuses) paint(m, false);
    return image;
}

// Checkpoint i is red 255 - i.
inline Marker checkpointAt(int col, int row, int index) { return Marker{col, row, 255 - index}; }

// Gives tests the protected placement and bookkeeping of an entity class.
template <class Base>
class Probe : public Base {
public:
    using Base::Base;
    // A new body there, facing lookPoint, tuned like a player pod.
    void place(const Vector3& position, const Vector3& lookPoint, const BodyTuning& tuning = PLAYER_POD_TUNING) {
        auto body = std::make_unique<Body>(position, lookPoint, Vector3(0, 1, 0));
        body->setParameters(tuning);
        this->replaceBody(std::move(body));
    }
    void setStage(int laps, int nextCheckpoint) {
        this->laps_ = laps;
        this->nextCheckpoint_ = nextCheckpoint;
    }
    void refresh() {
        this->refreshBox();
        this->refreshProgress();
    }
};

// Test clock, empty key table and no terrain around every test.
class EntityTestBase : public ::testing::Test {
protected:
    static constexpr std::uint32_t T0 = 100000;

    void SetUp() override {
        setTestClock(T0);
        clearKeys();
        setCurrentTerrain(nullptr);
    }
    void TearDown() override {
        setCurrentTerrain(nullptr);
        clearKeys();
        useRealClock();
    }

    // Makes the terrain current for the test's lifetime.
    Terrain& useTerrain(const Image& image, double heightScale = 10000.0, double gridSpacing = 100000.0) {
        terrain_ = std::make_unique<Terrain>(Vector3(0, 0, 0), image, heightScale, gridSpacing);
        setCurrentTerrain(terrain_.get());
        return *terrain_;
    }

    std::unique_ptr<Terrain> terrain_;
};

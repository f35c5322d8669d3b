#pragma once

#include "assets/Image.h"
#include "assets/Model.h"
#include "entities/Entity.h"
#include "race/Race.h"
#include "terrain/Terrain.h"

#include <initializer_list>
#include <memory>
#include <utility>

// A small flat circuit made without OpenGL: four checkpoints round a square and the given
// bonus marker types along one edge. A wider grid spreads the checkpoints beyond each other's
// arrival distance.
inline std::unique_ptr<Terrain> headlessTerrain(std::initializer_list<int> bonusMarkers = {}, int side = 16) {
    Image heightmap(side, side);
    for (int row = 0; row < side; ++row)
        for (int col = 0; col < side; ++col) heightmap.setPixel(col, row, packColour(0, 0, 20, 0));
    const int near = 3 + (side - 16) / 4, far = side - 1 - near;
    const int corners[4][2] = {{near, near}, {near, far}, {far, far}, {far, near}};
    for (int i = 0; i < 4; ++i)
        heightmap.setPixel(corners[i][1], corners[i][0], packColour(static_cast<std::uint8_t>(255 - i), 0, 20, 0));
    int col = 5;
    for (int value : bonusMarkers) heightmap.setPixel(col++, 7, packColour(0, static_cast<std::uint8_t>(value), 20, 0));
    return std::make_unique<Terrain>(Vector3(0, 0, 0), heightmap, 10000.0, 1200.0);
}

// A race on the headless terrain, which is also the current terrain, with five empty models.
inline std::unique_ptr<Race> headlessRace(std::initializer_list<int> bonusMarkers = {}, int side = 16) {
    auto race = std::make_unique<Race>(headlessTerrain(bonusMarkers, side));
    setCurrentTerrain(race->terrain());
    for (int i = 0; i < 5; ++i) race->addModel(std::make_unique<Model>());
    return race;
}

// An entity of any kind that stands where it is put and ranks where it is told.
class StubEntity : public Entity {
public:
    explicit StubEntity(int kind, double progress = 0.0) : Entity(nullptr, kind) { progress_ = progress; }
    void update() override {}
    void setProgress(double progress) { progress_ = progress; }
};

inline StubEntity* addStub(Race& race, int kind, double progress = 0.0) {
    auto stub = std::make_unique<StubEntity>(kind, progress);
    StubEntity* raw = stub.get();
    race.addEntity(std::move(stub));
    return raw;
}

#pragma once

#include "assets/Image.h"
#include "geometry/Box.h"
#include "terrain/Terrain.h"

#include <cstdint>
#include <memory>
#include <vector>

// Computer pods flown round a circuit by the game's own race code, without a window: the
// terrain built from the heightmap, an AIPod with the AI tuning, the collision set's contacts
// and the body's physics step, frame by frame on the test clock. It proves circuits raceable
// and shows where the pods really fly, for the racing line and the bonuses.
struct FlightSample {
    Vector3 position{0, 0, 0};  // after the frame's physics step
    Box box;           // the contact box the frame's update left, as the contacts saw it
    int lap = 0;
};

struct BonusPickUp {
    int lap = 0;
    int kind = 0;
};

struct FlightResult {
    std::vector<FlightSample> path;  // one sample per frame
    std::vector<BonusPickUp> pickUps;
    int laps = 0;
    std::uint32_t timeMs = 0;
    int groundContacts = 0;  // frames in which the ground contacts lifted the pod
    bool finished = false;   // all requested laps within the time limit
};

struct FlightSettings {
    int laps = 2;
    std::uint32_t frameMs = 16;
    double sideOffset = 0;  // start moved to the right, like the spread of the AI grid
    std::uint32_t timeLimitMs = 600000;
    bool withBonuses = false;  // the circuit's bonuses stand in the race and can be taken
};

class CircuitFlights {
public:
    CircuitFlights(const Image& heightmap, double heightScale, double gridSpacing);
    ~CircuitFlights();

    // One pod alone on the circuit, so that no other pod pushes it off its line. Leaves the
    // platform clock running.
    FlightResult fly(const FlightSettings& settings) const;

    // The contact box of a bonus of that kind standing at pixel (x, y) at the given marker
    // height, once its body has settled under its ceiling.
    Box bonusBox(int kind, int x, int y, double markerY) const;

    const Terrain& terrain() const { return *terrain_; }
    // Heightmap pixel coordinates (fractional) of a world point.
    double pixelX(double worldX) const;
    double pixelY(double worldZ) const;

private:
    std::unique_ptr<Terrain> terrain_;
    double gridSpacing_ = 0;
};

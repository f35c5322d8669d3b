#pragma once

#include "content/HeightGrid.h"

#include <vector>

// A rough replay of how a computer pod flies a circuit: the pod's steering (straight at the
// next checkpoint, signed brake, climb toward its height), the body's physics step at a fixed
// frame time, and the lift out of the ground. Used to prove circuits raceable and to put the
// bonuses where the pods really fly.
struct FlightSample {
    Vector3 position;
    int lap;
};

struct FlightResult {
    std::vector<FlightSample> path;  // one sample per frame
    int laps = 0;
    double timeMs = 0;
    int groundContacts = 0;  // frames in which a corner of the pod went into the ground
    bool finished = false;   // all requested laps within the time limit
};

struct FlightSettings {
    int laps = 2;
    double frameMs = 16;
    double sideOffset = 0;      // start shifted to the right, like the spread of the AI grid
    double timeLimitMs = 600000;
};

// Half sizes of the pod's contact box in world axes (the pod model's box).
constexpr double POD_HALF_LENGTH = 400, POD_HALF_HEIGHT = 91, POD_HALF_WIDTH = 220;
// Half size of every bonus's contact box.
constexpr double BONUS_HALF_SIZE = 290;

FlightResult simulateAiFlight(const HeightGrid& grid, const FlightSettings& settings);

// Would a pod at position touch a bonus standing at marker position m (strict box overlap)?
bool podTouchesBonus(const Vector3& pod, const Vector3& bonus);
// Where a bonus for the marker at pixel (x, y) stands once its body settled under its own
// ceiling of 4000.
Vector3 bonusPosition(const HeightGrid& grid, int x, int y);

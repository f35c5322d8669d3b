#pragma once

#include <cstdint>

// The nine tuning values of a body, in setParameters' order.
struct BodyTuning {
    double mass = 0;
    double enginePower = 0;
    double brakeDrag = 0;
    double drag = 0;
    double bankFactor = 0;
    double pitchFactor = 0;
    double ceiling = 0;
    double bobAmplitude = 0;
    double grip = 0;
};

// The race's three kinds of tuned body; missiles copy their pod's.
constexpr BodyTuning PLAYER_POD_TUNING{1000.0, 15000000.0, 3000.0, 500.0, 5.0, 5.0, 5000.0, 50.0, 0.15};
constexpr BodyTuning AI_POD_TUNING{1000.0, 15000000.0, 3000.0, 500.0, 5.0, 5.0, 5000.0, 50.0, 0.35};
constexpr BodyTuning BONUS_TUNING{1000.0, 1.0, 3000.0, 500.0, 5.0, 5.0, 4000.0, 50.0, 0.55};

// The longest time one physics step integrates, in milliseconds. A stall of the whole program
// (a suspended machine, a debugger, a slow disk) would otherwise be integrated in one step and
// throw every body off the map; steps this long or shorter are integrated in full, so nothing
// changes at four frames per second or more.
constexpr std::uint32_t MAX_STEP_MS = 250;

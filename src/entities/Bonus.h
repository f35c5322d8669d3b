#pragma once

#include "entities/Entity.h"

#include <cstdint>

// A pick-up standing at a terrain bonus marker, spinning in place. A pod that touches it
// takes its effect (kind 4 missile reload, 5 money, 6 boost) and sends it away for ten seconds.
class Bonus : public Entity {
public:
    // Stands at the position of terrain bonus marker markerIndex, facing the origin. Without
    // that marker it keeps the default body.
    Bonus(Model* model, int kind, int markerIndex);

    // Comes back after more than AWAY_MS since the pick-up, spins, refreshes its box.
    void update() override;

    // Notes the clock at a pick-up.
    void markPickedUp();
    std::uint32_t pickedUpAt() const { return pickedUpAt_; }

    static constexpr std::uint32_t AWAY_MS = 10000;
    static constexpr double SPIN = 0.3;

private:
    std::uint32_t pickedUpAt_ = 0;
};

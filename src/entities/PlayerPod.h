#pragma once

#include "entities/Pod.h"

// The pod the player flies from the keyboard.
class PlayerPod : public Pod {
public:
    // kind is 0.
    PlayerPod(Model* model, int kind = KIND_PLAYER_POD);

    // Checkpoints, then every held key of the control table in its order, box, progress.
    void update() override;

    // Thrust input while w is held, and what c adds while boost time is left.
    static constexpr double THRUST = 1.1;
    static constexpr double BOOST_THRUST = 1.5;
};

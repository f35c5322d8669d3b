#pragma once

#include "entities/Pod.h"
#include "motion/BodyTuning.h"

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
    // The speed along forward where the thrust's force meets the drag:
    // 1.1 x 15000000 / 500 = 33000 units a second.
    static constexpr double TOP_SPEED = THRUST * (PLAYER_POD_TUNING.enginePower / PLAYER_POD_TUNING.drag);
};

#pragma once

#include "entities/Pod.h"
#include "motion/BodyTuning.h"

// The pod the player flies from the keyboard.
class PlayerPod : public Pod {
public:
    // kind is 0.
    PlayerPod(Model* model, int kind = KIND_PLAYER_POD);

    // Thrust input while 'w' is held, and the speed along forward where its force meets the
    // drag: 1.1 x 15000000 / 500 = 33000 units a second.
    static constexpr double THRUST = 1.1;
    static constexpr double TOP_SPEED = THRUST * (PLAYER_POD_TUNING.enginePower / PLAYER_POD_TUNING.drag);

    // Checkpoints, then every held key of the control table in its order, box, progress.
    void update() override;
};

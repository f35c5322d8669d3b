#pragma once

#include "entities/Pod.h"

// The pod the player flies from the keyboard.
class PlayerPod : public Pod {
public:
    // kind is 0.
    PlayerPod(Model* model, int kind = KIND_PLAYER_POD);

    // Checkpoints, then every held key of the control table in its order, box, progress.
    void update() override;
};

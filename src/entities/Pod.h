#pragma once

#include "entities/Entity.h"

// What the player's pod and the AI pods share: the start on checkpoint 0 facing checkpoint 1,
// and the checkpoint and lap bookkeeping.
class Pod : public Entity {
protected:
    // kind 0 (player) or 1 (AI). Without a circuit the pod keeps the default body at the
    // origin facing +x.
    Pod(Model* model, int kind);

    // Advances to the next checkpoint when the pod is strictly closer than the arrival
    // distance; a wrap to checkpoint 0 counts a lap. Returns the vector from the body to the
    // checkpoint the pod was heading for (zero without a circuit).
    Vector3 arriveAtCheckpoint();

public:
    // Squared distance below which a checkpoint counts as reached.
    static constexpr double ARRIVAL_DISTANCE_SQUARED = 300000000.0;
};

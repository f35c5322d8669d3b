#pragma once

#include "entities/Pod.h"

// A computer-driven pod: steers toward its next checkpoint, climbs toward its height,
// brakes by the signed turn angle and always thrusts.
class AIPod : public Pod {
public:
    // kind is 1.
    AIPod(Model* model, int kind = KIND_AI_POD);

    void update() override;

    static constexpr double THRUST = 1.2;
    // Turn and climb demands at or below this do nothing.
    static constexpr double DEAD_ZONE = 0.05;
};

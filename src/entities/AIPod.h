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

    // The steering of update on any body, d being the vector from the body to its target
    // checkpoint: turn toward it, brake by the signed turn angle, climb toward its height,
    // thrust. (The benchmark flies the player's pod with it.)
    static void pursue(Body& body, const Vector3& d);
};

#pragma once

#include "entities/Entity.h"

// A missile rides on its pod (docked) until fired, then flies straight ahead under its own
// thrust until it strikes a pod other than its owner; a reload bonus docks it again.
class Missile : public Entity {
public:
    // kind 2 (the player's, fired with the space bar) or 3 (an AI pod's, fired when aimed
    // at its target and near it). Starts docked with a copy of the owner's body, so that it
    // is never stepped untuned even if fired before its first ride.
    Missile(Model* model, Entity* owner, int kind);

    // Triggers first, then the ride (a fresh copy of the owner's body, zero box) or the
    // flight (thrust, box from the position).
    void update() override;

    Entity* owner() const { return owner_; }
    int& docked() { return docked_; }
    int docked() const { return docked_; }
    Entity* target() const { return target_; }
    // Set every frame by the race world: the pod ranked just ahead of the owner.
    void setTarget(Entity* target) { target_ = target; }

    static constexpr double THRUST = 3.0;
    // The AI fires when pointing within this angle of its target (radians, strict) ...
    static constexpr double FIRE_ANGLE = 0.06;
    // ... and the target is strictly nearer than this squared distance.
    static constexpr double FIRE_DISTANCE_SQUARED = 50000000.0;

private:
    Entity* owner_ = nullptr;
    std::int32_t docked_ = 1;
    Entity* target_ = nullptr;
};

#pragma once

#include "entities/FrameRecord.h"
#include "geometry/Vector3.h"

#include <cstdint>
#include <vector>

class Race;

// What the sound needs of one entity at the end of a race frame.
struct EntityState {
    int kind = 0;
    Vector3 position{0, 0, 0}, velocity{0, 0, 0};
    // Pods: what the pod asked of its engine this frame.
    double thrust = 0.0;
    bool boosting = false;
    // Missiles.
    bool docked = true;
    int owner = -1;  // entity index of the pod that carries it
};

// One fact of the frame's record, with entities as indices.
struct HeardEvent {
    FrameEvent::Kind kind = FrameEvent::Kind::Launch;
    int subject = -1;
    int other = -1;
    int bonusKind = 0;
    double speed = 0.0;
    Vector3 position{0, 0, 0};
};

// The race as heard: every entity, what the race decided this frame, the pod the player
// follows and the listener (the camera).
struct RaceState {
    std::uint32_t timeMs = 0;
    int followed = -1;  // entity index of the followed pod, -1 for none
    Vector3 listenerPosition{0, 0, 0}, listenerForward{1, 0, 0}, listenerUp{0, 1, 0}, listenerVelocity{0, 0, 0};
    std::vector<EntityState> entities;
    std::vector<HeardEvent> events;
};

// Reads the race after its frame into state, whose lists keep their room from one frame to
// the next; changes nothing in the race. The followed pod is the one the camera is on, or the
// owner of the missile it is on, or else the viewed pod.
void captureRaceState(const Race& race, std::uint32_t timeMs, RaceState& state);

#pragma once

#include "geometry/Vector3.h"

#include <cstdint>
#include <vector>

class Race;

// What the sound needs of one entity at the end of a race frame, copied so that the next
// frame can be compared with it.
struct EntityState {
    int kind = 0;
    Vector3 position{0, 0, 0}, velocity{0, 0, 0}, forward{0, 0, 0}, up{0, 0, 0};
    std::uint32_t lastStepMs = 0;  // when its body last stepped
    // Pods.
    int laps = 0, nextCheckpoint = 0, money = 0, boost = 0, missileReady = 1;
    Vector3 groundNormal{0, 1, 0};  // of the ground below it
    // Missiles.
    int docked = 1;
    int owner = -1;  // entity index of the pod that carries it
};

// The race as heard: every entity, the pod the player follows and the listener (the camera).
struct RaceState {
    std::uint32_t timeMs = 0;
    int followed = -1;  // entity index of the followed pod, -1 for none
    Vector3 listenerPosition{0, 0, 0}, listenerForward{1, 0, 0}, listenerUp{0, 1, 0}, listenerVelocity{0, 0, 0};
    std::vector<EntityState> entities;
};

// Reads the race after its frame; changes nothing in it. The followed pod is the one the
// camera is on, or the owner of the missile it is on, or else the viewed pod.
RaceState captureRaceState(const Race& race, std::uint32_t timeMs);

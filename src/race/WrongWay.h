#pragma once

#include "geometry/Vector3.h"

#include <cstdint>

class Body;

// Watches one pod for going the wrong way: flying away from its next checkpoint, and facing
// away from it, at a real speed. Only after WRONG_WAY_SHOWN_AFTER_MS of that without a break
// is the warning shown; it stays while the pod faces away, however slow or stuck, and goes
// the first frame the pod turns back.
class WrongWayWatch {
public:
    // Once per race frame, after the bodies have moved.
    void watch(const Body& pod, const Vector3& nextCheckpoint, std::uint32_t now);
    // Not watching anything this frame (no circuit, the viewed entity is not a pod).
    void reset();
    bool shown() const { return shown_; }

private:
    bool goingAway_ = false;
    std::uint32_t since_ = 0;
    bool shown_ = false;
};

constexpr std::uint32_t WRONG_WAY_SHOWN_AFTER_MS = 2000;
// Slower than this (20 on the speed display) a pod is only drifting or turning on the spot.
constexpr double WRONG_WAY_MIN_SPEED = 1000.0;

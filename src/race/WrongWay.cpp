#include "race/WrongWay.h"

#include "motion/Body.h"

namespace {
Vector3 level(const Vector3& v) { return Vector3(v.x, 0.0, v.z); }
}

void WrongWayWatch::watch(const Body& pod, const Vector3& nextCheckpoint, std::uint32_t now) {
    // Seen from above: climbing and diving say nothing of the way round the circuit.
    const Vector3 toCheckpoint = level(nextCheckpoint - pod.position());
    const bool facingAway = dot(level(pod.frame().forward()), toCheckpoint) < 0.0;
    // Once shown, the warning stays for as long as the pod faces away, slowed, stopped or
    // held against a cliff: it is still the wrong way.
    if (shown_ && facingAway) return;
    const bool away = facingAway && length(pod.velocity()) >= WRONG_WAY_MIN_SPEED &&
                      dot(level(pod.velocity()), toCheckpoint) < 0.0;
    if (!away) {
        reset();
        return;
    }
    if (!goingAway_) {
        goingAway_ = true;
        since_ = now;
    }
    shown_ = now - since_ > WRONG_WAY_SHOWN_AFTER_MS;
}

void WrongWayWatch::reset() {
    goingAway_ = false;
    shown_ = false;
}

#include "race/Rescue.h"

#include "entities/Entity.h"
#include "motion/Body.h"
#include "terrain/Terrain.h"

#include <algorithm>

Frame rescuePlace(const Terrain& circuit, const Entity& pod, const Frame& start) {
    const int n = Entity::circuitLength(circuit);
    int next = pod.nextCheckpoint();
    if (next < 0 || next >= n) next = 0;  // as the pods themselves mend it
    // A pod heading for checkpoint 1 on its first lap has passed none yet.
    const bool passedOne = next != 1 || pod.laps() > 0;
    const Vector3 place = passedOne ? circuit.checkpoint((next + n - 1) % n) : start.position;
    Vector3 ahead = circuit.checkpoint(next) - place;
    ahead.y = 0.0;
    const Vector3 facing = lengthSquared(ahead) > 0.0 ? ahead / length(ahead) : start.forward();
    return Frame(place, place + facing, Vector3(0, 1, 0));
}

bool Rescue::update(bool keyHeld, Entity& pod, const Terrain& circuit, std::uint32_t now) {
    const bool pressed = keyHeld && !keyWasHeld_;
    keyWasHeld_ = keyHeld;
    if (pressed && !running_) {
        running_ = true;
        placed_ = false;
        began_ = now;
    }
    if (!running_) return false;
    const std::uint32_t elapsed = now - began_;
    bool placedNow = false;
    if (!placed_ && elapsed >= RESCUE_FADE_MS) {
        pod.body()->place(rescuePlace(circuit, pod, start_));
        pod.body()->stop();
        placed_ = true;
        placedNow = true;
    }
    if (elapsed >= 2 * RESCUE_FADE_MS) running_ = false;
    return placedNow;
}

double Rescue::darkness(std::uint32_t now) const {
    if (!running_) return 0.0;
    const double t = static_cast<double>(now - began_) / RESCUE_FADE_MS;
    // Down to black, then back: the pod moves while the screen is black.
    return std::clamp(t <= 1.0 ? t : 2.0 - t, 0.0, 1.0);
}

void RescueHint::watch(bool offRoad, double speed, std::uint32_t now) {
    const bool held = offRoad && speed < RESCUE_HINT_SPEED;
    switch (stage_) {
    case Stage::Watching:
        if (!held) {
            held_ = false;
        } else if (!held_) {
            held_ = true;
            since_ = now;
        } else if (now - since_ >= RESCUE_HINT_AFTER_MS) {
            stage_ = Stage::Showing;
            since_ = now;
        }
        break;
    case Stage::Showing:
        if (now - since_ >= RESCUE_HINT_SHOWN_MS) stage_ = Stage::Done;
        break;
    case Stage::Done: break;
    }
}

void RescueHint::dismiss() {
    if (stage_ == Stage::Showing) stage_ = Stage::Done;
}

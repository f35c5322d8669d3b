#pragma once

#include "geometry/Frame.h"

#include <cstdint>

class Entity;
class Terrain;

// Where the rescue key puts a pod: over the checkpoint it passed last, or its start place
// before it has passed one, facing (seen from above) the checkpoint it heads for. Its lap and
// checkpoint counts are not touched, so a rescue never gains ground.
Frame rescuePlace(const Terrain& circuit, const Entity& pod, const Frame& start);

constexpr std::uint32_t RESCUE_FADE_MS = 300;

// The rescue key: pressed, the screen darkens over RESCUE_FADE_MS, the pod is put back at its
// rescue place at rest, and the screen clears again over as long. Held, the key rescues once.
class Rescue {
public:
    // The pod's place on the start grid, for a rescue before the first checkpoint.
    void setStart(const Frame& start) { start_ = start; }
    // Once per race frame, after the bodies have moved; true on the frame the pod is placed.
    bool update(bool keyHeld, Entity& pod, const Terrain& circuit, std::uint32_t now);
    // How dark the screen is: 0 clear, 1 black.
    double darkness(std::uint32_t now) const;
    bool running() const { return running_; }

private:
    Frame start_{Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0)};
    bool keyWasHeld_ = false;
    bool running_ = false;
    bool placed_ = false;
    std::uint32_t began_ = 0;
};

// Under this speed (50 on the speed display) for RESCUE_HINT_AFTER_MS off the road, a pod is
// held there; the head-up display then names the rescue key for RESCUE_HINT_SHOWN_MS, once a race.
constexpr double RESCUE_HINT_SPEED = 2500.0;
constexpr std::uint32_t RESCUE_HINT_AFTER_MS = 10000;
constexpr std::uint32_t RESCUE_HINT_SHOWN_MS = 8000;

class RescueHint {
public:
    // Once per race frame, after the bodies have moved.
    void watch(bool offRoad, double speed, std::uint32_t now);
    // A rescue makes the hint needless.
    void dismiss();
    bool shown() const { return stage_ == Stage::Showing; }

private:
    enum class Stage { Watching, Showing, Done };
    Stage stage_ = Stage::Watching;
    bool held_ = false;
    std::uint32_t since_ = 0;
};

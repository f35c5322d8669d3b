#pragma once

#include "geometry/Vector3.h"

#include <array>
#include <cstdint>
#include <vector>

class Entity;

// One fact the race logic decided during a frame.
struct FrameEvent {
    enum class Kind {
        Launch,         // subject: the missile that left its pod
        Strike,         // subject: the missile; other: the pod it struck
        Pickup,         // subject: the pod; bonusKind: what it took
        GroundContact,  // subject: the pod; speed: how fast it went into the ground
        Checkpoint,     // subject: the pod that passed its next checkpoint
        Lap,            // subject: the pod whose checkpoint completed a lap
    };
    Kind kind = Kind::Launch;
    const Entity* subject = nullptr;
    const Entity* other = nullptr;
    int bonusKind = 0;
    double speed = 0.0;
    Vector3 position;  // where it happened
};

// What a pod asked of its engine this frame, in units of thrust input.
struct PodDrive {
    const Entity* pod = nullptr;
    double thrust = 0.0;
    bool boosting = false;
};

// A missile strike kept for a moment after its frame, so the picture can show it.
struct Impact {
    Vector3 position;
    std::uint32_t timeMs = 0;
    bool seen = false;  // a slot never written is no impact
};

// The facts of the latest race frame, next to the race state: the race logic writes them as
// it decides them, and the drawing and the sound only read them. Its lists keep their room
// from frame to frame, so a running race allocates nothing for it.
class FrameRecord {
public:
    // A new frame begins at this time: the last frame's facts are forgotten, not the impacts.
    void begin(std::uint32_t timeMs);
    // Room for a race of this many entities, so that its frames allocate nothing here.
    void reserve(std::size_t entities);
    void add(const FrameEvent& event);
    void drive(const Entity* pod, double thrust, bool boosting);

    std::uint32_t timeMs() const { return timeMs_; }
    const std::vector<FrameEvent>& events() const { return events_; }
    const std::vector<PodDrive>& drives() const { return drives_; }
    static constexpr int IMPACTS_KEPT = 8;
    const std::array<Impact, IMPACTS_KEPT>& impacts() const { return impacts_; }

private:
    std::uint32_t timeMs_ = 0;
    std::vector<FrameEvent> events_;
    std::vector<PodDrive> drives_;
    std::array<Impact, IMPACTS_KEPT> impacts_{};
    int nextImpact_ = 0;
};

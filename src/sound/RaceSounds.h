#pragma once

#include "sound/RaceState.h"
#include "sound/SoundFiles.h"

#include <optional>
#include <vector>

// A sound to start now. At the listener (the followed pod's own events) or at a place.
struct SoundEvent {
    SoundId id = SoundId::Engine;
    double gain = 1.0;
    bool atListener = false;
    Vector3 position{0, 0, 0};
};

// A loop to keep playing this frame, for one entity; a loop absent from a frame stops.
struct LoopVoice {
    SoundId id = SoundId::Engine;
    int entity = -1;
    double gain = 1.0;
    double pitch = 1.0;
    Vector3 position{0, 0, 0}, velocity{0, 0, 0};
};

struct SoundPlan {
    bool stopAll = false;  // the race is left: silence every race sound at once
    std::vector<SoundEvent> events;
    std::vector<LoopVoice> loops;
};

// Works out what a race sounds like from how its state changed since the previous frame:
// plain logic, with no device. A pod's thrust is read from its motion (what its speed
// gained beyond what drag takes), a hit from a missile thrown down out of play, a pick-up
// from a counter that went up.
class RaceSounds {
public:
    SoundPlan frame(const RaceState& now);
    // The race was left: every race sound stops, and the next frame starts afresh.
    SoundPlan left();

    // The levels of the mix. Events are the loudest; the followed pod's engine sits under
    // them, and every other engine well under it so that ten of them do not drone.
    static constexpr double FOLLOWED_ENGINE_GAIN = 0.55;
    static constexpr double OTHER_ENGINE_GAIN = 0.3;
    static constexpr double WHOOSH_GAIN = 0.6;
    static constexpr double BOOST_GAIN = 0.5;
    // Speeds in world units per second: a pod's top speed on thrust alone, and
    // the speed into the ground above which a contact thumps (cruising touches stay quiet).
    static constexpr double TOP_SPEED = 33000.0;
    static constexpr double THUMP_SPEED = 4000.0;
    // A missile displaced this far against its up vector, beyond its flight, struck a pod.
    static constexpr double HIT_DROP = 5000.0;

private:
    void missileEvents(const RaceState& before, const RaceState& now, SoundPlan& plan);
    void followedEvents(const EntityState& before, const EntityState& now, SoundPlan& plan);
    void podSounds(const RaceState& before, const RaceState& now, SoundPlan& plan);

    std::optional<RaceState> previous_;
    std::vector<bool> spent_;              // per entity: a missile that struck and flies on below
    std::vector<double> throttle_;         // per entity: thrust heard, smoothed, 1 = cruising thrust
    std::vector<std::uint32_t> thumpAt_;   // per entity: the last thump, so a bounce thumps once
    std::uint32_t boostUntil_ = 0;         // the followed pod's boost is heard until then
};

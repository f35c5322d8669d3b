#pragma once

#include "sound/RaceState.h"
#include "sound/SoundFiles.h"

#include <vector>

// A sound to start now. At the listener (the followed pod's own events) or at a place.
struct SoundEvent {
    SoundId id = SoundId::Launch;
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
    double loudness = 0.0;  // as heard at the listener, to choose who plays when sources run short
};

// The sounds of one frame. Its lists keep their room from frame to frame.
struct SoundPlan {
    bool stopAll = false;  // the race is left: silence every race sound at once
    std::vector<SoundEvent> events;
    std::vector<LoopVoice> loops;  // the followed pod's first, then the loudest first
};

// What a race sounds like, from the facts its frame recorded (launches, strikes, pick-ups,
// progress, ground contacts, each pod's thrust) and where everything is: plain logic, with no
// device.
class RaceSounds {
public:
    void frame(const RaceState& now, SoundPlan& plan);
    // The race was left: every race sound stops, and the next frame starts afresh.
    void left(SoundPlan& plan);

    // The levels of the mix. Events are the loudest; the followed pod's engine sits under
    // them, and every other engine well under it so that ten of them do not drone.
    static constexpr double FOLLOWED_ENGINE_GAIN = 0.55;
    static constexpr double OTHER_ENGINE_GAIN = 0.3;
    static constexpr double WHOOSH_GAIN = 0.6;
    static constexpr double BOOST_GAIN = 0.5;
    // The speed into the ground, in world units per second, above which a contact thumps
    // (cruising touches stay quiet).
    static constexpr double THUMP_SPEED = 4000.0;
    // Full loudness within this distance (a chase camera is 2000 behind its pod), and half at
    // twice it: the output's distance law, which also ranks the voices.
    static constexpr double REFERENCE_DISTANCE = 3000.0;

private:
    void heardEvents(const RaceState& now, SoundPlan& plan);
    void missileLoops(const RaceState& now, SoundPlan& plan);
    void podLoops(const RaceState& now, double seconds, SoundPlan& plan);
    void rankLoops(const RaceState& now, SoundPlan& plan) const;

    bool started_ = false;
    std::uint32_t lastMs_ = 0;
    std::vector<bool> spent_;       // per entity: a missile that struck and flies on below
    std::vector<double> throttle_;  // per entity: thrust heard, smoothed, in units of thrust input
};

#pragma once

#include "sound/RaceSounds.h"

#include <AL/alc.h>

#include <memory>
#include <vector>

// The sounds played through OpenAL: each file loaded once into a buffer, a few sources for
// one-shot events and one source per loop voice. OpenAL mixes on its own thread, so sound
// already playing goes on while the game is frozen in a busy wait.
class OpenAlOutput {
public:
    // The default device with the game's sounds loaded; null when no device can be opened.
    // A sound whose file is missing or damaged stays silent.
    static std::unique_ptr<OpenAlOutput> open();
    ~OpenAlOutput();
    OpenAlOutput(const OpenAlOutput&) = delete;
    OpenAlOutput& operator=(const OpenAlOutput&) = delete;

    // Places the listener, starts the plan's events, keeps its loops playing and stops the others.
    void apply(const SoundPlan& plan, const RaceState& state);
    // A one-shot at the listener (the menu's sounds).
    void play(SoundId id, double gain = 1.0);
    void stopAll();

private:
    struct Loop {
        SoundId id = SoundId::Engine;
        int entity = 0;
        unsigned source = 0;
        bool heard = false;  // in this frame's plan
    };

    OpenAlOutput(ALCdevice* device, ALCcontext* context);
    void loadBuffers();
    void start(const SoundEvent& event);
    void keep(const LoopVoice& voice);
    unsigned freeEventSource();

    ALCdevice* device_ = nullptr;
    ALCcontext* context_ = nullptr;
    std::vector<unsigned> buffers_;  // per SoundId; 0 when its file did not load
    std::vector<unsigned> eventSources_;
    std::vector<unsigned> idleLoopSources_;
    std::vector<Loop> loops_;
    std::size_t nextEvent_ = 0;
    bool defer_ = false;
};

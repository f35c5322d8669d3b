#pragma once

#include "assets/Wav.h"
#include "sound/RaceSounds.h"

#include <AL/alc.h>

#include <memory>
#include <vector>

// A device and its context as opened, before the game plays anything on them.
struct OpenedDevice {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    explicit operator bool() const { return device != nullptr && context != nullptr; }
};

// The sounds played through OpenAL: each sound loaded once into a buffer, a few sources for
// one-shot events and one source per loop voice. OpenAL mixes on its own thread, so sound
// already playing goes on while the game is frozen in a busy wait.
class OpenAlOutput {
public:
    // Opens the default device and a context on it; empty when either fails. It may block
    // while a sound server answers, and touches nothing of the game's, so it may run on any
    // thread.
    static OpenedDevice openDefaultDevice();
    static void close(OpenedDevice opened);

    // Plays on an opened device from now on (on the game's thread): the context made current,
    // a buffer per sound (one that is empty stays silent) and as many sources as the context
    // grants, up to what a race can use. Null, and the device closed, when no source can be made.
    static std::unique_ptr<OpenAlOutput> adopt(OpenedDevice opened, const std::vector<Pcm>& sounds);
    ~OpenAlOutput();
    OpenAlOutput(const OpenAlOutput&) = delete;
    OpenAlOutput& operator=(const OpenAlOutput&) = delete;

    // False once the device is lost (a sound server gone, a headset unplugged).
    bool connected() const;
    // Places the listener, starts the plan's events, keeps its loops playing (the first as
    // many as there are loop sources) and stops the others.
    void apply(const SoundPlan& plan, const RaceState& state);
    // A one-shot at the listener (the menu's sounds).
    void play(SoundId id, double gain = 1.0);
    void stopAll();

    int loopSourceCount() const { return static_cast<int>(loopSources_.size()); }
    int eventSourceCount() const { return static_cast<int>(eventSources_.size()); }

private:
    struct Loop {
        SoundId id = SoundId::Engine;
        int entity = -1;
        unsigned source = 0;
        bool heard = false;  // in this frame's plan
    };

    explicit OpenAlOutput(OpenedDevice opened);
    bool makeSources();
    void loadBuffers(const std::vector<Pcm>& sounds);
    void start(const SoundEvent& event);
    void update(const Loop& loop, const LoopVoice& voice);
    unsigned freeEventSource();

    OpenedDevice opened_;
    bool canDisconnect_ = false;
    bool defer_ = false;
    std::vector<unsigned> buffers_;  // per SoundId; 0 when its sound did not load
    std::vector<unsigned> eventSources_;
    std::vector<unsigned> loopSources_;
    std::vector<unsigned> idleLoopSources_;
    std::vector<Loop> loops_;
    std::vector<bool> voiceKept_;  // per voice of the plan being applied: it already had its loop
    std::size_t nextEvent_ = 0;
};

#include "sound/OpenAlOutput.h"

#include "assets/Wav.h"

#include <AL/al.h>
#include <AL/alc.h>
#define AL_ALEXT_PROTOTYPES
#include <AL/alext.h>

#include <algorithm>

namespace {

// Enough for eleven engines, nine missiles and the boost, and for a burst of events.
constexpr int LOOP_SOURCES = 24;
constexpr int EVENT_SOURCES = 12;

// World units are large: a pod cruises at 33000 a second. Sound carries this fast, so that a
// missile passing at three times a pod's speed bends its note by about half, not beyond belief.
constexpr float SPEED_OF_SOUND = 200000.0f;
// Full loudness within this distance (a chase camera is 2000 behind its pod), and half at
// twice it, on OpenAL's inverse distance law.
constexpr float REFERENCE_DISTANCE = 3000.0f;
// Headroom for many sources at once.
constexpr float LISTENER_GAIN = 0.8f;

void setVector(ALuint source, ALenum what, const Vector3& v) {
    alSource3f(source, what, static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z));
}

// Doppler needs speeds below the speed of sound; a stray bounce may exceed it.
Vector3 audibleVelocity(const Vector3& v) {
    const double limit = 0.75 * SPEED_OF_SOUND;
    const double l = length(v);
    return l > limit ? v * (limit / l) : v;
}

void placeListener(const RaceState& state) {
    const Vector3& p = state.listenerPosition;
    const Vector3 v = audibleVelocity(state.listenerVelocity);
    alListener3f(AL_POSITION, static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z));
    alListener3f(AL_VELOCITY, static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z));
    const Vector3& f = state.listenerForward;
    const Vector3& u = state.listenerUp;
    const float orientation[6] = {static_cast<float>(f.x), static_cast<float>(f.y), static_cast<float>(f.z),
                                  static_cast<float>(u.x), static_cast<float>(u.y), static_cast<float>(u.z)};
    alListenerfv(AL_ORIENTATION, orientation);
}

}  // namespace

std::unique_ptr<OpenAlOutput> OpenAlOutput::open() {
    ALCdevice* device = alcOpenDevice(nullptr);
    if (!device) return nullptr;
    ALCcontext* context = alcCreateContext(device, nullptr);
    if (!context || !alcMakeContextCurrent(context)) {
        if (context) alcDestroyContext(context);
        alcCloseDevice(device);
        return nullptr;
    }
    std::unique_ptr<OpenAlOutput> output(new OpenAlOutput(device, context));
    output->loadBuffers();
    return output;
}

OpenAlOutput::OpenAlOutput(ALCdevice* device, ALCcontext* context) : device_(device), context_(context) {
    defer_ = alIsExtensionPresent("AL_SOFT_deferred_updates");
    alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
    alSpeedOfSound(SPEED_OF_SOUND);
    alListenerf(AL_GAIN, LISTENER_GAIN);
    eventSources_.resize(EVENT_SOURCES);
    idleLoopSources_.resize(LOOP_SOURCES);
    alGenSources(EVENT_SOURCES, eventSources_.data());
    alGenSources(LOOP_SOURCES, idleLoopSources_.data());
    for (ALuint source : eventSources_) alSourcef(source, AL_REFERENCE_DISTANCE, REFERENCE_DISTANCE);
    for (ALuint source : idleLoopSources_) {
        alSourcef(source, AL_REFERENCE_DISTANCE, REFERENCE_DISTANCE);
        alSourcei(source, AL_LOOPING, AL_TRUE);
    }
}

OpenAlOutput::~OpenAlOutput() {
    stopAll();
    alDeleteSources(static_cast<ALsizei>(eventSources_.size()), eventSources_.data());
    alDeleteSources(static_cast<ALsizei>(idleLoopSources_.size()), idleLoopSources_.data());
    for (ALuint buffer : buffers_)
        if (buffer) alDeleteBuffers(1, &buffer);
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context_);
    alcCloseDevice(device_);
}

void OpenAlOutput::loadBuffers() {
    buffers_.assign(SOUND_COUNT, 0);
    for (int i = 0; i < SOUND_COUNT; ++i) {
        const Pcm sound = readWav(SOUND_FILES[i]);
        if (sound.empty()) continue;
        alGetError();
        ALuint buffer = 0;
        alGenBuffers(1, &buffer);
        alBufferData(buffer, AL_FORMAT_MONO16, sound.samples.data(),
                     static_cast<ALsizei>(sound.samples.size() * sizeof(std::int16_t)), sound.rate);
        if (alGetError() == AL_NO_ERROR) {
            buffers_[static_cast<std::size_t>(i)] = buffer;
        } else {
            alDeleteBuffers(1, &buffer);
        }
    }
}

void OpenAlOutput::apply(const SoundPlan& plan, const RaceState& state) {
    if (plan.stopAll) {
        stopAll();
        return;
    }
    // A frame's changes reach the mixer together, not one by one.
    if (defer_) alDeferUpdatesSOFT();
    placeListener(state);
    for (Loop& loop : loops_) loop.heard = false;
    for (const LoopVoice& voice : plan.loops) keep(voice);
    // Loops no longer in the plan stop, and their sources wait for the next voice.
    for (auto loop = loops_.begin(); loop != loops_.end();) {
        if (loop->heard) {
            ++loop;
            continue;
        }
        alSourceStop(loop->source);
        idleLoopSources_.push_back(loop->source);
        loop = loops_.erase(loop);
    }
    for (const SoundEvent& event : plan.events) start(event);
    if (defer_) alProcessUpdatesSOFT();
}

void OpenAlOutput::keep(const LoopVoice& voice) {
    const ALuint buffer = buffers_[static_cast<std::size_t>(voice.id)];
    if (!buffer) return;
    auto loop = std::find_if(loops_.begin(), loops_.end(),
                             [&](const Loop& l) { return l.id == voice.id && l.entity == voice.entity; });
    if (loop == loops_.end()) {
        if (idleLoopSources_.empty()) return;  // more voices than sources: the extra stay silent
        loops_.push_back(Loop{voice.id, voice.entity, idleLoopSources_.back(), false});
        idleLoopSources_.pop_back();
        loop = loops_.end() - 1;
        alSourcei(loop->source, AL_BUFFER, static_cast<ALint>(buffer));
    }
    loop->heard = true;
    setVector(loop->source, AL_POSITION, voice.position);
    setVector(loop->source, AL_VELOCITY, audibleVelocity(voice.velocity));
    alSourcef(loop->source, AL_GAIN, static_cast<float>(voice.gain));
    alSourcef(loop->source, AL_PITCH, static_cast<float>(voice.pitch));
    ALint playing = 0;
    alGetSourcei(loop->source, AL_SOURCE_STATE, &playing);
    if (playing != AL_PLAYING) alSourcePlay(loop->source);
}

unsigned OpenAlOutput::freeEventSource() {
    for (std::size_t n = 0; n < eventSources_.size(); ++n) {
        const ALuint source = eventSources_[(nextEvent_ + n) % eventSources_.size()];
        ALint state = 0;
        alGetSourcei(source, AL_SOURCE_STATE, &state);
        if (state != AL_PLAYING) return source;
    }
    // All busy: the oldest gives way.
    const ALuint oldest = eventSources_[nextEvent_ % eventSources_.size()];
    alSourceStop(oldest);
    return oldest;
}

void OpenAlOutput::start(const SoundEvent& event) {
    const ALuint buffer = buffers_[static_cast<std::size_t>(event.id)];
    if (!buffer) return;
    const ALuint source = freeEventSource();
    nextEvent_ = (std::find(eventSources_.begin(), eventSources_.end(), source) - eventSources_.begin()) + 1;
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
    alSourcei(source, AL_SOURCE_RELATIVE, event.atListener ? AL_TRUE : AL_FALSE);
    setVector(source, AL_POSITION, event.atListener ? Vector3() : event.position);
    setVector(source, AL_VELOCITY, Vector3());
    alSourcef(source, AL_GAIN, static_cast<float>(event.gain));
    alSourcePlay(source);
}

void OpenAlOutput::play(SoundId id, double gain) { start(SoundEvent{id, gain, true, Vector3()}); }

void OpenAlOutput::stopAll() {
    for (ALuint source : eventSources_) alSourceStop(source);
    for (const Loop& loop : loops_) {
        alSourceStop(loop.source);
        idleLoopSources_.push_back(loop.source);
    }
    loops_.clear();
}

#include "sound/OpenAlOutput.h"

#include <AL/al.h>
#include <AL/alc.h>
#define AL_ALEXT_PROTOTYPES
#include <AL/alext.h>

#include <algorithm>

namespace {

// What a race can use at most: eleven engines, nine missiles and the boost, with room to spare,
// and a burst of events. A context that grants fewer gets them shared out the same way.
constexpr int MOST_SOURCES = 48;
constexpr int EVENT_SHARE_DIVISOR = 3;  // a third of the sources play events

// World units are large: a pod cruises at 33000 a second. Sound carries this fast, so that a
// missile passing at three times a pod's speed bends its note by about half, not beyond belief.
constexpr float SPEED_OF_SOUND = 200000.0f;
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

// Up to count new sources, one at a time, stopping at the first the context refuses.
void generateSources(int count, std::vector<unsigned>& into) {
    for (int i = 0; i < count; ++i) {
        alGetError();
        ALuint source = 0;
        alGenSources(1, &source);
        if (alGetError() != AL_NO_ERROR) return;
        into.push_back(source);
    }
}

}  // namespace

OpenedDevice OpenAlOutput::openDefaultDevice() {
    OpenedDevice opened;
    opened.device = alcOpenDevice(nullptr);
    if (!opened.device) return opened;
    opened.context = alcCreateContext(opened.device, nullptr);
    if (!opened.context) {
        alcCloseDevice(opened.device);
        opened.device = nullptr;
    }
    return opened;
}

void OpenAlOutput::close(OpenedDevice opened) {
    if (opened.context) {
        if (alcGetCurrentContext() == opened.context) alcMakeContextCurrent(nullptr);
        alcDestroyContext(opened.context);
    }
    if (opened.device) alcCloseDevice(opened.device);
}

std::unique_ptr<OpenAlOutput> OpenAlOutput::adopt(OpenedDevice opened, const std::vector<Pcm>& sounds) {
    if (!opened || !alcMakeContextCurrent(opened.context)) {
        close(opened);
        return nullptr;
    }
    std::unique_ptr<OpenAlOutput> output(new OpenAlOutput(opened));
    if (!output->makeSources()) return nullptr;  // its destructor closes the device
    output->loadBuffers(sounds);
    return output;
}

OpenAlOutput::OpenAlOutput(OpenedDevice opened) : opened_(opened) {
    canDisconnect_ = alcIsExtensionPresent(opened_.device, "ALC_EXT_disconnect") == ALC_TRUE;
    defer_ = alIsExtensionPresent("AL_SOFT_deferred_updates");
    alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
    alSpeedOfSound(SPEED_OF_SOUND);
    alListenerf(AL_GAIN, LISTENER_GAIN);
}

bool OpenAlOutput::makeSources() {
    ALCint granted = 0;
    alcGetIntegerv(opened_.device, ALC_MONO_SOURCES, 1, &granted);
    const int wanted = granted > 0 ? std::min<int>(granted, MOST_SOURCES) : MOST_SOURCES;
    const int events = std::max(1, wanted / EVENT_SHARE_DIVISOR);
    eventSources_.reserve(static_cast<std::size_t>(events));
    generateSources(events, eventSources_);
    if (eventSources_.empty()) return false;
    loopSources_.reserve(static_cast<std::size_t>(wanted - events));
    generateSources(wanted - events, loopSources_);
    for (ALuint source : eventSources_) alSourcef(source, AL_REFERENCE_DISTANCE, RaceSounds::REFERENCE_DISTANCE);
    for (ALuint source : loopSources_) {
        alSourcef(source, AL_REFERENCE_DISTANCE, RaceSounds::REFERENCE_DISTANCE);
        alSourcei(source, AL_LOOPING, AL_TRUE);
    }
    // Room for every loop now, so that a race frame allocates nothing.
    idleLoopSources_ = loopSources_;
    loops_.reserve(loopSources_.size());
    voiceKept_.reserve(loopSources_.size());
    return true;
}

OpenAlOutput::~OpenAlOutput() {
    stopAll();
    alDeleteSources(static_cast<ALsizei>(eventSources_.size()), eventSources_.data());
    alDeleteSources(static_cast<ALsizei>(loopSources_.size()), loopSources_.data());
    for (ALuint buffer : buffers_)
        if (buffer) alDeleteBuffers(1, &buffer);
    close(opened_);
}

void OpenAlOutput::loadBuffers(const std::vector<Pcm>& sounds) {
    buffers_.assign(SOUND_COUNT, 0);
    for (std::size_t i = 0; i < sounds.size() && i < buffers_.size(); ++i) {
        const Pcm& sound = sounds[i];
        if (sound.empty()) continue;
        alGetError();
        ALuint buffer = 0;
        alGenBuffers(1, &buffer);
        if (alGetError() != AL_NO_ERROR) continue;
        alBufferData(buffer, AL_FORMAT_MONO16, sound.samples.data(),
                     static_cast<ALsizei>(sound.samples.size() * sizeof(std::int16_t)), sound.rate);
        if (alGetError() == AL_NO_ERROR)
            buffers_[i] = buffer;
        else
            alDeleteBuffers(1, &buffer);
    }
}

bool OpenAlOutput::connected() const {
    if (!canDisconnect_) return true;
    ALCint connected = ALC_TRUE;
    alcGetIntegerv(opened_.device, ALC_CONNECTED, 1, &connected);
    return connected == ALC_TRUE;
}

void OpenAlOutput::apply(const SoundPlan& plan, const RaceState& state) {
    if (plan.stopAll) {
        stopAll();
        return;
    }
    // A frame's changes reach the mixer together, not one by one.
    if (defer_) alDeferUpdatesSOFT();
    placeListener(state);
    // The plan ranks its loops; those beyond the loop sources stay silent.
    const std::size_t heard = std::min(plan.loops.size(), loopSources_.size());
    for (Loop& loop : loops_) loop.heard = false;
    voiceKept_.assign(heard, false);
    for (std::size_t v = 0; v < heard; ++v) {
        const LoopVoice& voice = plan.loops[v];
        for (Loop& loop : loops_) {
            if (loop.heard || loop.id != voice.id || loop.entity != voice.entity) continue;
            loop.heard = true;
            voiceKept_[v] = true;
            update(loop, voice);
            break;
        }
    }
    // Loops no longer heard stop first, so that their sources serve the new voices.
    for (auto loop = loops_.begin(); loop != loops_.end();) {
        if (loop->heard) {
            ++loop;
            continue;
        }
        alSourceStop(loop->source);
        idleLoopSources_.push_back(loop->source);
        loop = loops_.erase(loop);
    }
    for (std::size_t v = 0; v < heard; ++v) {
        const LoopVoice& voice = plan.loops[v];
        const ALuint buffer = buffers_[static_cast<std::size_t>(voice.id)];
        if (voiceKept_[v] || !buffer || idleLoopSources_.empty()) continue;
        loops_.push_back(Loop{voice.id, voice.entity, idleLoopSources_.back(), true});
        idleLoopSources_.pop_back();
        alSourcei(loops_.back().source, AL_BUFFER, static_cast<ALint>(buffer));
        update(loops_.back(), voice);
    }
    for (const SoundEvent& event : plan.events) start(event);
    if (defer_) alProcessUpdatesSOFT();
}

void OpenAlOutput::update(const Loop& loop, const LoopVoice& voice) {
    setVector(loop.source, AL_POSITION, voice.position);
    setVector(loop.source, AL_VELOCITY, audibleVelocity(voice.velocity));
    alSourcef(loop.source, AL_GAIN, static_cast<float>(voice.gain));
    alSourcef(loop.source, AL_PITCH, static_cast<float>(voice.pitch));
    ALint playing = 0;
    alGetSourcei(loop.source, AL_SOURCE_STATE, &playing);
    if (playing != AL_PLAYING) alSourcePlay(loop.source);
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

#include "sound/RaceSounds.h"

#include "entities/Entity.h"
#include "entities/PlayerPod.h"

#include <algorithm>
#include <cmath>

namespace {

// Thrust is heard settling over this long, so the note glides rather than jumps.
constexpr double THROTTLE_SETTLE_SECONDS = 0.2;
// A frame longer than this (a stall, a freeze) settles the throttle at once.
constexpr double LONGEST_HEARD_STEP = 0.25;

double clamp(double v, double low, double high) { return std::min(std::max(v, low), high); }

SoundEvent eventAt(SoundId id, const Vector3& position, double gain = 1.0) { return SoundEvent{id, gain, false, position}; }
SoundEvent eventHere(SoundId id, double gain = 1.0) { return SoundEvent{id, gain, true, Vector3()}; }

SoundId pickupSound(int bonusKind) {
    if (bonusKind == KIND_MONEY_BONUS) return SoundId::PickupMoney;
    if (bonusKind == KIND_BOOST_BONUS) return SoundId::PickupBoost;
    return SoundId::PickupReload;
}

}  // namespace

void RaceSounds::left(SoundPlan& plan) {
    started_ = false;
    plan.events.clear();
    plan.loops.clear();
    plan.stopAll = true;
}

void RaceSounds::frame(const RaceState& now, SoundPlan& plan) {
    plan.stopAll = false;
    plan.events.clear();
    plan.loops.clear();
    const std::size_t count = now.entities.size();
    if (!started_ || spent_.size() != count) {
        // A new race: nothing is spent or thrusting yet.
        started_ = true;
        lastMs_ = now.timeMs;
        spent_.assign(count, false);
        throttle_.assign(count, 0.0);
        // Room for the most a frame can bring: an event or two and a voice per entity.
        plan.events.reserve(2 * count);
        plan.loops.reserve(count + 1);
    }
    const double seconds = std::min(static_cast<double>(now.timeMs - lastMs_) / 1000.0, LONGEST_HEARD_STEP);
    lastMs_ = now.timeMs;
    heardEvents(now, plan);
    missileLoops(now, plan);
    podLoops(now, seconds, plan);
    rankLoops(now, plan);
}

void RaceSounds::heardEvents(const RaceState& now, SoundPlan& plan) {
    const auto valid = [&](int i) { return i >= 0 && static_cast<std::size_t>(i) < now.entities.size(); };
    for (const HeardEvent& event : now.events) {
        if (!valid(event.subject)) continue;
        const auto subject = static_cast<std::size_t>(event.subject);
        const bool followed = event.subject == now.followed;
        switch (event.kind) {
        case FrameEvent::Kind::Launch: {
            spent_[subject] = false;
            const bool ours = now.entities[subject].owner >= 0 && now.entities[subject].owner == now.followed;
            plan.events.push_back(ours ? eventHere(SoundId::Launch) : eventAt(SoundId::Launch, event.position));
            break;
        }
        case FrameEvent::Kind::Strike:
            spent_[subject] = true;
            // Heard at the pod struck, which the collision chose.
            if (event.other == now.followed && valid(event.other))
                plan.events.push_back(eventHere(SoundId::Hit));
            else if (valid(event.other))
                plan.events.push_back(eventAt(SoundId::Hit, now.entities[static_cast<std::size_t>(event.other)].position));
            break;
        case FrameEvent::Kind::Pickup:
            if (followed) plan.events.push_back(eventHere(pickupSound(event.bonusKind)));
            break;
        case FrameEvent::Kind::Checkpoint:
            if (followed) plan.events.push_back(eventHere(SoundId::Checkpoint, 0.8));
            break;
        case FrameEvent::Kind::Lap:
            if (followed) plan.events.push_back(eventHere(SoundId::Lap));
            break;
        case FrameEvent::Kind::GroundContact:
            if (event.speed > THUMP_SPEED) {
                const double gain = clamp(0.4 + 0.6 * (event.speed - THUMP_SPEED) / (3 * THUMP_SPEED), 0.4, 1.0);
                plan.events.push_back(followed ? eventHere(SoundId::Thump, gain)
                                               : eventAt(SoundId::Thump, now.entities[subject].position, gain));
            }
            break;
        }
    }
}

void RaceSounds::missileLoops(const RaceState& now, SoundPlan& plan) {
    for (std::size_t i = 0; i < now.entities.size(); ++i) {
        const EntityState& is = now.entities[i];
        if (!isMissileKind(is.kind)) continue;
        if (is.docked) spent_[i] = false;
        if (is.docked || spent_[i]) continue;
        const double pitch = 1.0 + 0.2 * clamp(length(is.velocity) / (3 * PlayerPod::TOP_SPEED), 0.0, 1.0);
        plan.loops.push_back(LoopVoice{SoundId::Whoosh, static_cast<int>(i), WHOOSH_GAIN, pitch, is.position, is.velocity});
    }
}

void RaceSounds::podLoops(const RaceState& now, double seconds, SoundPlan& plan) {
    for (std::size_t i = 0; i < now.entities.size(); ++i) {
        const EntityState& is = now.entities[i];
        if (!isPodKind(is.kind)) continue;
        const bool followed = static_cast<int>(i) == now.followed;
        throttle_[i] += (clamp(is.thrust, 0.0, 3.0) - throttle_[i]) * std::min(1.0, seconds / THROTTLE_SETTLE_SECONDS);
        const double pace = clamp(length(is.velocity) / PlayerPod::TOP_SPEED, 0.0, 1.8);
        const double throttle = throttle_[i];
        // Each other pod a little detuned, so eleven notes beat apart instead of droning as one.
        const double detune = followed ? 1.0 : 1.0 + 0.02 * (static_cast<int>(i * 7 % 5) - 2);
        const double pitch = (0.6 + 0.9 * pace) * (1.0 + 0.08 * throttle) * detune;
        // Idling a third of the way up; speed and thrust bring it to full.
        const double gain = (followed ? FOLLOWED_ENGINE_GAIN : OTHER_ENGINE_GAIN) *
                            clamp(0.35 + 0.45 * pace + 0.1 * throttle, 0.0, 1.2);
        plan.loops.push_back(LoopVoice{SoundId::Engine, static_cast<int>(i), gain, pitch, is.position, is.velocity});
        if (followed && is.boosting)
            plan.loops.push_back(LoopVoice{SoundId::Boost, static_cast<int>(i), BOOST_GAIN, 1.0, is.position, is.velocity});
    }
}

void RaceSounds::rankLoops(const RaceState& now, SoundPlan& plan) const {
    // The inverse distance law, clamped within the reference distance; the followed pod's own
    // voices rank above any other.
    for (LoopVoice& voice : plan.loops) {
        const double d = std::max(length(voice.position - now.listenerPosition), REFERENCE_DISTANCE);
        voice.loudness = voice.gain * REFERENCE_DISTANCE / d + (voice.entity == now.followed ? 1e6 : 0.0);
    }
    std::sort(plan.loops.begin(), plan.loops.end(), [](const LoopVoice& a, const LoopVoice& b) {
        if (a.loudness != b.loudness) return a.loudness > b.loudness;
        return a.entity != b.entity ? a.entity < b.entity : a.id < b.id;
    });
}

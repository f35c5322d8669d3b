#include "sound/RaceSounds.h"

#include "entities/Entity.h"
#include "entities/PlayerPod.h"
#include "motion/BodyTuning.h"

#include <algorithm>
#include <cmath>

namespace {

// A pod's thrust as an acceleration, for one unit of thrust input, and its drag per unit mass.
constexpr double THRUST_ACCELERATION = PLAYER_POD_TUNING.enginePower / PLAYER_POD_TUNING.mass;
constexpr double DRAG_RATE = PLAYER_POD_TUNING.drag / PLAYER_POD_TUNING.mass;
// Thrust is heard settling over this long, so one odd frame does not jump the note.
constexpr double THROTTLE_SETTLE_SECONDS = 0.2;
// The boost is heard this long after the last frame that burnt some.
constexpr std::uint32_t BOOST_HANGOVER_MS = 150;
// One thump per bounce: a pod's corners may strike on frames close together.
constexpr std::uint32_t THUMP_GAP_MS = 200;

double clamp(double v, double low, double high) { return std::min(std::max(v, low), high); }

// Seconds a body's last step integrated, as the step measures and caps it.
double stepSeconds(const EntityState& before, const EntityState& now) {
    return std::min<std::uint32_t>(now.lastStepMs - before.lastStepMs, MAX_STEP_MS) / 1000.0;
}

// How far a body's last step moved it beyond what its velocity explains, along its old up.
double unexplainedRise(const EntityState& before, const EntityState& now, double seconds) {
    const Vector3 flown = (before.velocity + now.velocity) * (0.5 * seconds);
    return dot(now.position - before.position - flown, before.up);
}

SoundEvent eventAt(SoundId id, const Vector3& position, double gain = 1.0) { return SoundEvent{id, gain, false, position}; }
SoundEvent eventHere(SoundId id, double gain = 1.0) { return SoundEvent{id, gain, true, Vector3()}; }

}  // namespace

SoundPlan RaceSounds::left() {
    previous_.reset();
    SoundPlan plan;
    plan.stopAll = true;
    return plan;
}

SoundPlan RaceSounds::frame(const RaceState& now) {
    SoundPlan plan;
    const std::size_t count = now.entities.size();
    if (!previous_ || previous_->entities.size() != count) {
        // A new race: nothing changed yet, nothing is spent or burning.
        previous_ = now;
        spent_.assign(count, false);
        throttle_.assign(count, 0.0);
        thumpAt_.assign(count, now.timeMs - THUMP_GAP_MS);
        boostUntil_ = now.timeMs;
    }
    const RaceState& before = *previous_;
    missileEvents(before, now, plan);
    if (now.followed >= 0 && now.followed == before.followed)
        followedEvents(before.entities[static_cast<std::size_t>(now.followed)],
                       now.entities[static_cast<std::size_t>(now.followed)], plan);
    podSounds(before, now, plan);
    previous_ = now;
    return plan;
}

void RaceSounds::missileEvents(const RaceState& before, const RaceState& now, SoundPlan& plan) {
    for (std::size_t i = 0; i < now.entities.size(); ++i) {
        const EntityState& was = before.entities[i];
        const EntityState& is = now.entities[i];
        if (!isMissileKind(is.kind)) continue;
        const bool ours = is.owner >= 0 && is.owner == now.followed;
        if (is.docked) {
            spent_[i] = false;
            continue;
        }
        if (was.docked) {
            plan.events.push_back(ours ? eventHere(SoundId::Launch) : eventAt(SoundId::Launch, is.position));
        } else if (!spent_[i] && unexplainedRise(was, is, stepSeconds(was, is)) < -HIT_DROP) {
            spent_[i] = true;
            // The pod struck is the one nearest where the missile was, other than its owner.
            int struck = -1;
            double nearest = 0.0;
            for (std::size_t k = 0; k < now.entities.size(); ++k) {
                if (!isPodKind(now.entities[k].kind) || static_cast<int>(k) == is.owner) continue;
                const double d = lengthSquared(now.entities[k].position - was.position);
                if (struck < 0 || d < nearest) struck = static_cast<int>(k), nearest = d;
            }
            plan.events.push_back(struck >= 0 && struck == now.followed ? eventHere(SoundId::Hit)
                                                                         : eventAt(SoundId::Hit, was.position));
        }
        if (!spent_[i]) {
            const double pitch = 1.0 + 0.2 * clamp(length(is.velocity) / (3 * PlayerPod::TOP_SPEED), 0.0, 1.0);
            plan.loops.push_back(LoopVoice{SoundId::Whoosh, static_cast<int>(i), WHOOSH_GAIN, pitch, is.position, is.velocity});
        }
    }
}

void RaceSounds::followedEvents(const EntityState& before, const EntityState& now, SoundPlan& plan) {
    if (now.missileReady > before.missileReady) plan.events.push_back(eventHere(SoundId::PickupReload));
    if (now.money > before.money) plan.events.push_back(eventHere(SoundId::PickupMoney));
    if (now.boost > before.boost) plan.events.push_back(eventHere(SoundId::PickupBoost));
    if (now.laps > before.laps)
        plan.events.push_back(eventHere(SoundId::Lap));
    else if (now.nextCheckpoint != before.nextCheckpoint)
        plan.events.push_back(eventHere(SoundId::Checkpoint, 0.8));
}

void RaceSounds::podSounds(const RaceState& before, const RaceState& now, SoundPlan& plan) {
    for (std::size_t i = 0; i < now.entities.size(); ++i) {
        const EntityState& was = before.entities[i];
        const EntityState& is = now.entities[i];
        if (!isPodKind(is.kind)) continue;
        const bool followed = static_cast<int>(i) == now.followed;
        const double speed = length(is.velocity);
        const double seconds = stepSeconds(was, is);

        // A ground contact throws the pod out along the ground normal at half its speed or less.
        const double into = -dot(was.velocity, is.groundNormal);
        const bool bounced = speed < 0.6 * length(was.velocity) && dot(is.velocity, is.groundNormal) > 0.8 * speed;
        if (bounced && into > THUMP_SPEED && now.timeMs - thumpAt_[i] >= THUMP_GAP_MS) {
            thumpAt_[i] = now.timeMs;
            const double gain = clamp(0.4 + 0.6 * (into - THUMP_SPEED) / (3 * THUMP_SPEED), 0.4, 1.0);
            plan.events.push_back(followed ? eventHere(SoundId::Thump, gain) : eventAt(SoundId::Thump, is.position, gain));
        }

        // Thrust heard: the forward acceleration drag does not explain, in units of thrust
        // input. A bounce or a push is no thrust and is left out.
        if (seconds > 0.0 && !bounced) {
            const Vector3 acceleration = (is.velocity - was.velocity) / seconds;
            const Vector3 average = (is.velocity + was.velocity) * 0.5;
            const double thrust = dot(acceleration + average * DRAG_RATE, is.forward) / THRUST_ACCELERATION;
            if (thrust > -4.0 && thrust < 4.0)
                throttle_[i] += (clamp(thrust, 0.0, 3.0) - throttle_[i]) * std::min(1.0, seconds / THROTTLE_SETTLE_SECONDS);
        }
        const double pace = clamp(speed / PlayerPod::TOP_SPEED, 0.0, 1.8);
        const double throttle = throttle_[i];
        // Each other pod a little detuned, so eleven notes beat apart instead of droning as one.
        const double detune = followed ? 1.0 : 1.0 + 0.02 * (static_cast<int>(i * 7 % 5) - 2);
        const double pitch = (0.6 + 0.9 * pace) * (1.0 + 0.08 * throttle) * detune;
        // Idling a third of the way up; speed and thrust bring it to full.
        const double gain = (followed ? FOLLOWED_ENGINE_GAIN : OTHER_ENGINE_GAIN) *
                            clamp(0.35 + 0.45 * pace + 0.1 * throttle, 0.0, 1.2);
        plan.loops.push_back(LoopVoice{SoundId::Engine, static_cast<int>(i), gain, pitch, is.position, is.velocity});

        if (followed) {
            if (is.boost < was.boost) boostUntil_ = now.timeMs + BOOST_HANGOVER_MS;
            if (static_cast<std::int32_t>(boostUntil_ - now.timeMs) > 0)
                plan.loops.push_back(LoopVoice{SoundId::Boost, static_cast<int>(i), BOOST_GAIN, 1.0, is.position, is.velocity});
        }
    }
}

#include "sound/RaceSounds.h"

#include "entities/Entity.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The player's pod (followed), an AI pod, the player's missile and the AI pod's, level and
// at rest; each frame 20 ms after the last.
RaceState startState() {
    RaceState s;
    s.followed = 0;
    const int kinds[] = {KIND_PLAYER_POD, KIND_AI_POD, KIND_PLAYER_MISSILE, KIND_AI_MISSILE};
    for (int i = 0; i < 4; ++i) {
        EntityState e;
        e.kind = kinds[i];
        e.position = Vector3(1000.0 * (i % 2), 100, 0);
        e.forward = Vector3(1, 0, 0);
        e.up = Vector3(0, 1, 0);
        e.owner = i >= 2 ? i - 2 : -1;
        s.entities.push_back(e);
    }
    return s;
}

RaceState later(RaceState s) {
    s.timeMs += 20;
    for (EntityState& e : s.entities) e.lastStepMs += 20;
    return s;
}

std::vector<SoundId> ids(const SoundPlan& plan) {
    std::vector<SoundId> found;
    for (const SoundEvent& e : plan.events) found.push_back(e.id);
    return found;
}

const LoopVoice* loop(const SoundPlan& plan, SoundId id, int entity) {
    for (const LoopVoice& v : plan.loops)
        if (v.id == id && v.entity == entity) return &v;
    return nullptr;
}

}  // namespace

TEST(RaceSounds, LaunchThenWhooshUntilTheMissileStrikesThenHit) {
    RaceSounds sounds;
    RaceState s = startState();
    EXPECT_TRUE(sounds.frame(s).events.empty());

    s = later(s);
    s.entities[2].docked = 0;  // the player's missile leaves its pod
    SoundPlan plan = sounds.frame(s);
    ASSERT_EQ(ids(plan), std::vector<SoundId>{SoundId::Launch});
    EXPECT_TRUE(plan.events[0].atListener);  // the followed pod's own
    EXPECT_NE(loop(plan, SoundId::Whoosh, 2), nullptr);

    // Flying on is no event; thrown 10000 down beside the AI pod is a hit, heard there.
    s = later(s);
    s.entities[2].velocity = Vector3(50000, 0, 0);
    s.entities[2].position = s.entities[2].position + Vector3(500, 0, 0);
    EXPECT_TRUE(sounds.frame(s).events.empty());
    s = later(s);
    s.entities[2].position = s.entities[2].position + Vector3(1000, -10000, 0);
    plan = sounds.frame(s);
    ASSERT_EQ(ids(plan), std::vector<SoundId>{SoundId::Hit});
    EXPECT_FALSE(plan.events[0].atListener);
    EXPECT_EQ(loop(plan, SoundId::Whoosh, 2), nullptr);
    EXPECT_TRUE(sounds.frame(later(s)).events.empty());  // spent: it strikes once
}

TEST(RaceSounds, EachPickUpCheckpointAndLapOfTheFollowedPodHasItsSound) {
    RaceSounds sounds;
    RaceState s = startState();
    s.entities[0].missileReady = 0;
    sounds.frame(s);

    s = later(s);
    s.entities[0].missileReady = 1;
    s.entities[0].money += 1;
    s.entities[0].boost += 2000;
    s.entities[0].nextCheckpoint += 1;
    s.entities[1].money += 1;  // another pod's pick-up is not heard
    s.entities[1].nextCheckpoint += 1;
    EXPECT_EQ(ids(sounds.frame(s)), (std::vector<SoundId>{SoundId::PickupReload, SoundId::PickupMoney,
                                                          SoundId::PickupBoost, SoundId::Checkpoint}));
    s = later(s);
    s.entities[0].nextCheckpoint = 0;
    s.entities[0].laps += 1;
    EXPECT_EQ(ids(sounds.frame(s)), std::vector<SoundId>{SoundId::Lap});  // the lap chime alone
}

TEST(RaceSounds, EngineRisesWithSpeedAndThrustAndTheFollowedPodsIsLoudest) {
    RaceSounds sounds;
    RaceState s = startState();
    const SoundPlan still = sounds.frame(s);
    // Half a second of full thrust: 1.1 units from rest, less drag.
    SoundPlan moving;
    for (int frame = 0; frame < 25; ++frame) {
        s = later(s);
        for (int pod = 0; pod < 2; ++pod) {
            EntityState& e = s.entities[static_cast<std::size_t>(pod)];
            e.velocity = e.velocity + Vector3((16500.0 - 0.5 * e.velocity.x) * 0.02, 0, 0);
            e.position = e.position + e.velocity * 0.02;
        }
        moving = sounds.frame(s);
    }
    const LoopVoice* before = loop(still, SoundId::Engine, 0);
    const LoopVoice* after = loop(moving, SoundId::Engine, 0);
    ASSERT_TRUE(before && after);
    EXPECT_GT(after->gain, 1.5 * before->gain);
    EXPECT_GT(after->pitch, 1.2 * before->pitch);
    EXPECT_GT(after->gain, loop(moving, SoundId::Engine, 1)->gain);
}

TEST(RaceSounds, HardGroundContactThumpsAndCruisingContactStaysQuiet) {
    RaceSounds sounds;
    RaceState s = startState();
    s.entities[0].velocity = Vector3(20000, -1000, 0);  // skimming the ground
    s.entities[1].velocity = Vector3(20000, -9000, 0);  // diving into it
    sounds.frame(s);
    s = later(s);
    // The ground throws each out along its normal at half speed.
    for (int pod = 0; pod < 2; ++pod) {
        EntityState& e = s.entities[static_cast<std::size_t>(pod)];
        e.velocity = Vector3(0, 0.5 * length(e.velocity), 0);
    }
    const SoundPlan plan = sounds.frame(s);
    ASSERT_EQ(ids(plan), std::vector<SoundId>{SoundId::Thump});
    EXPECT_FALSE(plan.events[0].atListener);
}

TEST(RaceSounds, LeavingTheRaceStopsEverythingAndTheNextRaceStartsAfresh) {
    RaceSounds sounds;
    RaceState s = startState();
    s.entities[2].docked = 0;
    sounds.frame(s);
    const SoundPlan plan = sounds.left();
    EXPECT_TRUE(plan.stopAll);
    EXPECT_TRUE(plan.loops.empty() && plan.events.empty());
    // A new race whose counters differ from the old one's is not a pick-up or a launch.
    RaceState next = startState();
    next.entities[0].money = 99;
    EXPECT_TRUE(sounds.frame(next).events.empty());
}

#include "sound/RaceSounds.h"

#include "entities/Entity.h"

#include <gtest/gtest.h>

namespace {

// The player's pod (followed), an AI pod 1000 away, the player's missile and the AI pod's;
// each frame 20 ms after the last.
RaceState startState() {
    RaceState s;
    s.followed = 0;
    const int kinds[] = {KIND_PLAYER_POD, KIND_AI_POD, KIND_PLAYER_MISSILE, KIND_AI_MISSILE};
    for (int i = 0; i < 4; ++i) {
        EntityState e;
        e.kind = kinds[i];
        e.position = Vector3(1000.0 * (i % 2), 100, 0);
        e.owner = i >= 2 ? i - 2 : -1;
        s.entities.push_back(e);
    }
    return s;
}

RaceState later(RaceState s) {
    s.timeMs += 20;
    s.events.clear();
    return s;
}

HeardEvent fact(FrameEvent::Kind kind, int subject, int other = -1) {
    HeardEvent e;
    e.kind = kind;
    e.subject = subject;
    e.other = other;
    return e;
}

SoundPlan frame(RaceSounds& sounds, const RaceState& s) {
    SoundPlan plan;
    sounds.frame(s, plan);
    return plan;
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
    EXPECT_TRUE(frame(sounds, s).events.empty());

    s = later(s);
    s.entities[2].docked = false;
    s.events.push_back(fact(FrameEvent::Kind::Launch, 2));
    SoundPlan plan = frame(sounds, s);
    ASSERT_EQ(ids(plan), std::vector<SoundId>{SoundId::Launch});
    EXPECT_TRUE(plan.events[0].atListener);  // the followed pod's own
    EXPECT_NE(loop(plan, SoundId::Whoosh, 2), nullptr);

    s = later(s);
    EXPECT_TRUE(frame(sounds, s).events.empty());  // flying on is no event
    s = later(s);
    s.events.push_back(fact(FrameEvent::Kind::Strike, 2, 1));
    plan = frame(sounds, s);
    ASSERT_EQ(ids(plan), std::vector<SoundId>{SoundId::Hit});
    EXPECT_FALSE(plan.events[0].atListener);
    EXPECT_EQ(loop(plan, SoundId::Whoosh, 2), nullptr);
    EXPECT_EQ(loop(frame(sounds, later(s)), SoundId::Whoosh, 2), nullptr);  // spent until it docks again
}

TEST(RaceSounds, LaunchAndHitOnOneFrameAreBothHeardAndTheHitAtThePodStruck) {
    RaceSounds sounds;
    RaceState s = startState();
    s.entities.push_back(s.entities[1]);  // a second AI pod, far off
    s.entities[4].position = Vector3(50000, 100, 0);
    frame(sounds, s);
    // The AI pod's missile leaves and strikes the far pod at once, though the player's pod is
    // nearer to where it left.
    s = later(s);
    s.entities[3].docked = false;
    s.events.push_back(fact(FrameEvent::Kind::Launch, 3));
    s.events.push_back(fact(FrameEvent::Kind::Strike, 3, 4));
    SoundPlan plan = frame(sounds, s);
    ASSERT_EQ(ids(plan), (std::vector<SoundId>{SoundId::Launch, SoundId::Hit}));
    EXPECT_EQ(plan.events[1].position, s.entities[4].position);
    EXPECT_EQ(loop(plan, SoundId::Whoosh, 3), nullptr);
    // Striking the followed pod is heard at the listener.
    s = later(s);
    s.events.push_back(fact(FrameEvent::Kind::Strike, 3, 0));
    plan = frame(sounds, s);
    ASSERT_EQ(ids(plan), std::vector<SoundId>{SoundId::Hit});
    EXPECT_TRUE(plan.events[0].atListener);
}

TEST(RaceSounds, EachPickUpCheckpointAndLapOfTheFollowedPodHasItsSound) {
    RaceSounds sounds;
    RaceState s = startState();
    frame(sounds, s);
    s = later(s);
    for (int kind : {KIND_RELOAD_BONUS, KIND_MONEY_BONUS, KIND_BOOST_BONUS}) {
        s.events.push_back(fact(FrameEvent::Kind::Pickup, 0));
        s.events.back().bonusKind = kind;
    }
    s.events.push_back(fact(FrameEvent::Kind::Checkpoint, 0));
    s.events.push_back(fact(FrameEvent::Kind::Pickup, 1));  // another pod's are not heard
    s.events.push_back(fact(FrameEvent::Kind::Checkpoint, 1));
    s.events.push_back(fact(FrameEvent::Kind::Lap, 0));
    EXPECT_EQ(ids(frame(sounds, s)), (std::vector<SoundId>{SoundId::PickupReload, SoundId::PickupMoney,
                                                          SoundId::PickupBoost, SoundId::Checkpoint, SoundId::Lap}));
}

TEST(RaceSounds, EngineRisesWithSpeedAndThrustAndTheFollowedPodsComesFirst) {
    RaceSounds sounds;
    RaceState s = startState();
    const SoundPlan still = frame(sounds, s);
    SoundPlan moving;
    for (int step = 0; step < 25; ++step) {
        s = later(s);
        for (int pod = 0; pod < 2; ++pod) {
            s.entities[static_cast<std::size_t>(pod)].thrust = 1.1;
            s.entities[static_cast<std::size_t>(pod)].velocity = Vector3(1000.0 * step, 0, 0);
        }
        s.entities[0].boosting = step > 20;
        moving = frame(sounds, s);
    }
    const LoopVoice* before = loop(still, SoundId::Engine, 0);
    const LoopVoice* after = loop(moving, SoundId::Engine, 0);
    ASSERT_TRUE(before && after);
    EXPECT_GT(after->gain, 1.5 * before->gain);
    EXPECT_GT(after->pitch, 1.2 * before->pitch);
    EXPECT_GT(after->gain, loop(moving, SoundId::Engine, 1)->gain);
    EXPECT_NE(loop(moving, SoundId::Boost, 0), nullptr);
    EXPECT_EQ(loop(still, SoundId::Boost, 0), nullptr);
    // Ranked for the sources: the followed pod's voices, then the loudest at the listener.
    s.listenerPosition = s.entities[1].position;
    moving = frame(sounds, s);
    ASSERT_EQ(moving.loops.size(), 3u);
    EXPECT_EQ(moving.loops[0].entity, 0);
    EXPECT_EQ(moving.loops[1].entity, 0);
    EXPECT_EQ(moving.loops[2].entity, 1);
}

TEST(RaceSounds, HardGroundContactThumpsAndCruisingContactStaysQuiet) {
    RaceSounds sounds;
    RaceState s = startState();
    frame(sounds, s);
    s = later(s);
    s.events.push_back(fact(FrameEvent::Kind::GroundContact, 0));
    s.events.back().speed = 1000;  // skimming the ground
    s.events.push_back(fact(FrameEvent::Kind::GroundContact, 1));
    s.events.back().speed = 9000;  // diving into it
    const SoundPlan plan = frame(sounds, s);
    ASSERT_EQ(ids(plan), std::vector<SoundId>{SoundId::Thump});
    EXPECT_FALSE(plan.events[0].atListener);
}

TEST(RaceSounds, LeavingTheRaceStopsEverythingAndTheNextRaceStartsAfresh) {
    RaceSounds sounds;
    RaceState s = startState();
    s.entities[2].docked = false;
    s.events.push_back(fact(FrameEvent::Kind::Strike, 2, 1));
    frame(sounds, s);
    SoundPlan plan;
    sounds.left(plan);
    EXPECT_TRUE(plan.stopAll);
    EXPECT_TRUE(plan.loops.empty() && plan.events.empty());
    // A new race forgets the spent missile.
    RaceState next = startState();
    next.entities[2].docked = false;
    plan = frame(sounds, next);
    EXPECT_TRUE(plan.events.empty());
    EXPECT_NE(loop(plan, SoundId::Whoosh, 2), nullptr);
}

#include "race/RaceSetup.h"

#include "HeadlessRace.h"
#include "MemoryInUse.h"

#include "app/services/Clock.h"
#include "entities/CollisionSet.h"
#include "entities/Missile.h"
#include "motion/Body.h"
#include "motion/BodyTuning.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {
class RaceSetup : public testing::Test {
protected:
    void SetUp() override {
        setTestClock(5000);
        setCameraIndex(0);
        setViewDistance(START_VIEW_DISTANCE);
    }
    void TearDown() override {
        setCameraIndex(0);
        setViewDistance(START_VIEW_DISTANCE);
        useRealClock();
    }
};

void expectTuning(const Body& body, const BodyTuning& expected) {
    const BodyTuning t = body.tuning();
    EXPECT_EQ(t.mass, expected.mass);
    EXPECT_EQ(t.enginePower, expected.enginePower);
    EXPECT_EQ(t.brakeDrag, expected.brakeDrag);
    EXPECT_EQ(t.drag, expected.drag);
    EXPECT_EQ(t.bankFactor, expected.bankFactor);
    EXPECT_EQ(t.pitchFactor, expected.pitchFactor);
    EXPECT_EQ(t.ceiling, expected.ceiling);
    EXPECT_EQ(t.bobAmplitude, expected.bobAmplitude);
    EXPECT_EQ(t.grip, expected.grip);
}
}

TEST_F(RaceSetup, TheCircuitTable) {
    EXPECT_STREQ(CIRCUITS[0].heightmapPath, "Data/terrain1.bmp");
    EXPECT_STREQ(CIRCUITS[1].grassPath, "Data/herbe2.bmp");
    EXPECT_STREQ(CIRCUITS[2].skyPrefix, "Data/Sky3/sky");
    EXPECT_EQ(CIRCUITS[1].heightScale, 15000.0);
    EXPECT_EQ(CIRCUITS[1].gridSpacing, 1500.0);
    for (int i : {0, 2}) {
        EXPECT_EQ(CIRCUITS[i].heightScale, 10000.0);
        EXPECT_EQ(CIRCUITS[i].gridSpacing, 1200.0);
    }
    EXPECT_STRNE(CIRCUITS[0].heightmapPath, CIRCUITS[2].heightmapPath);
}

TEST_F(RaceSetup, WithoutBonusMarkersTwentyEntitiesInTheirOrder) {
    auto race = headlessRace();
    populateRace(*race);
    ASSERT_EQ(race->entityCount(), 20);
    EXPECT_EQ(race->entityAt(0)->kind(), KIND_PLAYER_POD);
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(race->entityAt(i)->kind(), KIND_AI_POD) << i;
    EXPECT_EQ(race->entityAt(11)->kind(), KIND_PLAYER_MISSILE);
    for (int i = 12; i <= 19; ++i) EXPECT_EQ(race->entityAt(i)->kind(), KIND_AI_MISSILE) << i;
    // Missile i belongs to entity i; the last two AI pods carry none.
    for (int i = 0; i < 9; ++i) EXPECT_EQ(static_cast<Missile*>(race->entityAt(11 + i))->owner(), race->entityAt(i));
    EXPECT_EQ(race->pods().size(), 11u);
    // Ranked already, by where each pod starts.
    EXPECT_EQ(std::count(race->pods().begin(), race->pods().end(), race->entityAt(0)), 1);
    EXPECT_EQ(race->entityAt(0)->model(), race->modelAt(0));
    EXPECT_EQ(race->entityAt(11)->model(), race->modelAt(1));
    EXPECT_EQ(race->entityAt(5)->startTime(), 5000u);
    ASSERT_NE(race->collisions(), nullptr);
    EXPECT_EQ(race->collisions()->podCount(), 11);
    EXPECT_EQ(race->collisions()->missileCount(), 9);
    EXPECT_EQ(race->viewedIndex(), 0);
    EXPECT_EQ(race->cameraDistance(), 2000.0);
}

TEST_F(RaceSetup, EachKindGetsItsTuningAndTheAiPodsSpreadSideways) {
    auto race = headlessRace({255});
    populateRace(*race);
    expectTuning(*race->entityAt(0)->body(), PLAYER_POD_TUNING);
    for (int i = 1; i <= 10; ++i) expectTuning(*race->entityAt(i)->body(), AI_POD_TUNING);
    expectTuning(*race->entityAt(20)->body(), BONUS_TUNING);

    // Measured from the start, where the player no longer stands.
    const Vector3 start = race->terrain()->checkpoint(0);
    const Vector3 right = race->entityAt(1)->body()->frame().right();
    for (int i = 0; i < 10; ++i) {
        const Vector3 offset = race->entityAt(1 + i)->body()->position() - start;
        EXPECT_NEAR(dot(offset, right), i * 600.0 - 2500.0, 1e-6) << i;
        EXPECT_NEAR(length(offset), std::abs(i * 600.0 - 2500.0), 1e-6) << i;
    }
}

TEST_F(RaceSetup, OneBonusPerMarkerOfTheThreeTypesAndNoneForAnyOther) {
    auto race = headlessRace({253, 100, 255, 254});
    populateRace(*race);
    ASSERT_EQ(race->entityCount(), 23);
    EXPECT_EQ(race->entityAt(20)->kind(), KIND_BOOST_BONUS);
    EXPECT_EQ(race->entityAt(20)->model(), race->modelAt(4));
    EXPECT_EQ(race->entityAt(21)->kind(), KIND_RELOAD_BONUS);
    EXPECT_EQ(race->entityAt(21)->model(), race->modelAt(2));
    EXPECT_EQ(race->entityAt(22)->kind(), KIND_MONEY_BONUS);
    EXPECT_EQ(race->entityAt(22)->model(), race->modelAt(3));
    // Each stands at its own marker (the second marker, type 100, made nothing).
    EXPECT_EQ(race->entityAt(21)->body()->position(), race->terrain()->bonusMarkerPosition(2));
    EXPECT_EQ(bonusKindForMarker(252), -1);
    EXPECT_EQ(bonusKindForMarker(256), -1);
    EXPECT_EQ(bonusKindForMarker(0), -1);
}

TEST_F(RaceSetup, ViewDistanceAndCameraIndexCarryIntoTheNextRace) {
    setViewDistance(90000);
    setCameraIndex(7);
    auto race = headlessRace();
    populateRace(*race);
    EXPECT_EQ(race->terrain()->getViewDistance(), 90000.0);
    EXPECT_EQ(cameraIndex(), 7u);
    // The camera follows entity 7 from the start.
    EXPECT_EQ(race->camera().position(), chaseCamera(*race->entityAt(7)->body(), 2000.0).position());

    // An index left by a race with more entities wraps into the new one.
    setCameraIndex(25);
    auto next = headlessRace();
    populateRace(*next);
    EXPECT_EQ(cameraIndex(), 5u);
}

TEST_F(RaceSetup, BuildingAndDestroyingAHundredRacesLeavesNothingBehind) {
    // Counting what is alive: every race object must go with its race.
    const auto buildAndDestroy = [] {
        auto race = headlessRace({255, 254, 253});
        populateRace(*race);
        race->think();
        race->collide();
        race->moveBodies();
        race->updateCamera();
    };
    buildAndDestroy();  // first-use allocations of the libraries
    const MemoryInUse before = memoryInUse();
    for (int i = 0; i < 100; ++i) buildAndDestroy();
    const MemoryInUse after = memoryInUse();
    if (!before.measurable) GTEST_SKIP() << "allocator statistics hidden (sanitizer build); LeakSanitizer checks instead";
    EXPECT_LE(after.bytes, before.bytes + 4096) << "a race left memory behind";
}

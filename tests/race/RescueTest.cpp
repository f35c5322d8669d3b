#include "race/Rescue.h"

#include "HeadlessRace.h"
#include "entities/EntitySupport.h"

#include "app/services/KeySlots.h"
#include "entities/PlayerPod.h"
#include "race/WayBack.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
constexpr double PI = 3.14159265358979;

// The player's pod alone on the headless square circuit, checkpoints 39600 apart.
class RescueKey : public testing::Test {
protected:
    void SetUp() override {
        clearKeys();
        setTestClock(now);
        race = headlessRace({}, 64);
        auto player = std::make_unique<Probe<PlayerPod>>(race->modelAt(0));
        pod = player.get();
        pod->body()->setParameters(PLAYER_POD_TUNING);
        race->addEntity(std::move(player));
        race->start();
    }
    void TearDown() override {
        race.reset();
        setCurrentTerrain(nullptr);
        clearKeys();
        useRealClock();
    }
    // Thrown far off the circuit at speed, turned away.
    void throwOff() {
        pod->body()->place(Frame(Vector3(90000, 9000, -50000), Vector3(90000, 9000, -49999), Vector3(0, 1, 0)));
        pod->body()->setVelocity(Vector3(0, 0, 20000));
        pod->body()->yawInput(1.0);
    }
    void frames(int count) {
        for (int i = 0; i < count; ++i) {
            setTestClock(now += 16);
            race->runFrame(false);
            endKeyFrame();
        }
    }
    Vector3 checkpoint(int i) const { return race->terrain()->checkpoint(i); }
    // Seen from above, the unit direction from one checkpoint to another.
    Vector3 legDirection(const Vector3& from, const Vector3& to) const {
        const Vector3 d(to.x - from.x, 0, to.z - from.z);
        return d / length(d);
    }

    std::uint32_t now = 5000000;
    std::unique_ptr<Race> race;
    Probe<PlayerPod>* pod = nullptr;
};
}

TEST_F(RescueKey, PutsThePodAtRestOverTheLastCheckpointFacingTheNextAfterTheScreenDarkens) {
    pod->setStage(2, 3);
    throwOff();
    onKeyPress(KEY_BACKSPACE, 0, 0);
    onKeyRelease(KEY_BACKSPACE, 0, 0);
    frames(19);  // the first frame sees the key; 288 ms later the pod still flies on
    EXPECT_GT(race->rescueDarkness(), 0.9);
    EXPECT_GT(length(pod->body()->position() - checkpoint(2)), 40000.0);
    frames(1);  // 304 ms
    const Body& b = *pod->body();
    EXPECT_EQ(b.position(), checkpoint(2));
    EXPECT_NEAR(length(b.frame().forward() - legDirection(checkpoint(2), checkpoint(3))), 0.0, 1e-9);
    EXPECT_EQ(b.velocity(), Vector3(0, 0, 0));
    EXPECT_EQ(b.yawRate(), 0.0);
    EXPECT_EQ(pod->laps(), 2);
    EXPECT_EQ(pod->nextCheckpoint(), 3);
    frames(19);  // 608 ms: the screen clear again, the pod still at rest there
    EXPECT_EQ(race->rescueDarkness(), 0.0);
    EXPECT_NEAR(length(pod->body()->position() - checkpoint(2)), 0.0, 1e-6);
}

TEST_F(RescueKey, BeforeTheFirstCheckpointItIsTheStartPlaceAndAHeldKeyRescuesOnce) {
    const Vector3 start = pod->body()->position();
    throwOff();
    onKeyPress(KEY_BACKSPACE, 0, 0);
    frames(40);
    EXPECT_EQ(pod->body()->position(), start);
    EXPECT_NEAR(length(pod->body()->frame().forward() - legDirection(start, checkpoint(1))), 0.0, 1e-9);
    EXPECT_EQ(pod->nextCheckpoint(), 1);
    EXPECT_EQ(pod->laps(), 0);
    throwOff();
    frames(40);
    EXPECT_GT(length(pod->body()->position() - start), 40000.0) << "still held: no second rescue";
}

TEST(RescueHint, NamesTheKeyOnceAfterTenSecondsHeldOffTheRoadUnderSpeedFifty) {
    RescueHint hint;
    std::uint32_t t = 1000;
    auto watchFor = [&](std::uint32_t ms, bool offRoad, double speed) {
        for (std::uint32_t end = t + ms; t < end; t += 16) hint.watch(offRoad, speed, t);
    };
    watchFor(9000, true, 2000.0);
    watchFor(2000, true, 2600.0);  // getting away breaks the count
    watchFor(9000, false, 0.0);    // so does the road
    watchFor(9900, true, 2400.0);
    EXPECT_FALSE(hint.shown());
    watchFor(200, true, 2400.0);
    EXPECT_TRUE(hint.shown());
    watchFor(RESCUE_HINT_SHOWN_MS - 300, true, 0.0);
    EXPECT_TRUE(hint.shown());
    watchFor(300, true, 0.0);
    EXPECT_FALSE(hint.shown());
    watchFor(60000, true, 0.0);
    EXPECT_FALSE(hint.shown()) << "once a race";
}

TEST(WayBackArrow, TurnsToTheNextCheckpointAsThePodTurns) {
    Frame pod(Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0));
    EXPECT_NEAR(wayBackAngle(pod, Vector3(50000, 9000, 0)), 0.0, 1e-12) << "ahead, whatever its height";
    EXPECT_NEAR(wayBackAngle(pod, pod.position + pod.left() * 3000.0), PI / 2, 1e-12);
    EXPECT_NEAR(wayBackAngle(pod, pod.position + pod.right() * 3000.0), -PI / 2, 1e-12);
    EXPECT_NEAR(std::fabs(wayBackAngle(pod, Vector3(-50000, 0, 0))), PI, 1e-12);
    pod.yaw(0.3);  // turning left, the target ahead swings to the right
    EXPECT_NEAR(wayBackAngle(pod, Vector3(50000, 0, 0)), -0.3, 1e-12);
}

TEST(WayBackArrow, OffTheRoadIsOverRisingGroundOrFarFromTheLegBeingFlown) {
    const Vector3 from(0, 3000, 0), to(40000, 5000, 0);
    EXPECT_DOUBLE_EQ(levelDistanceFromLeg(from, to, Vector3(20000, 90000, 5000)), 5000.0);
    EXPECT_DOUBLE_EQ(levelDistanceFromLeg(from, to, Vector3(-3000, 0, 4000)), 5000.0) << "before its start";
    // The headless square on a flat bed, with a rock beside its first leg.
    Image map = heightmap(64, 64, 20, {checkpointAt(15, 15, 0), checkpointAt(48, 15, 1), checkpointAt(48, 48, 2), checkpointAt(15, 48, 3)});
    for (int row = 19; row <= 22; ++row)
        for (int col = 30; col <= 33; ++col) map.setPixel(col, row, packColour(0, 0, 30, 255));
    const Terrain square(Vector3(0, 0, 0), map, 10000.0, 1200.0);
    const Vector3 rock((31.5 - 32) * 1200, 0, (20.5 - 32) * 1200);
    EXPECT_TRUE(offRoad(square, 1, rock));
    EXPECT_FALSE(offRoad(square, 1, rock + Vector3(0, 0, -6 * 1200))) << "on the bed beside it";
    const Vector3 middle = (square.checkpoint(1) + square.checkpoint(2)) / 2.0;
    // Out of the square, away from the leg before as well.
    const Vector3 across = cross(Vector3(0, 1, 0), square.checkpoint(2) - square.checkpoint(1));
    const Vector3 side = Vector3(across.x, 0, across.z) / length(Vector3(across.x, 0, across.z));
    EXPECT_FALSE(offRoad(square, 2, middle + side * (OFF_ROAD_DISTANCE - 100)));
    EXPECT_TRUE(offRoad(square, 2, middle + side * (OFF_ROAD_DISTANCE + 100)));
}

#include "entities/AIPod.h"
#include "entities/PlayerPod.h"

#include "EntitySupport.h"

#include <GL/freeglut.h>

#include <cmath>

namespace {

class Pods : public EntityTestBase {
protected:
    // Checkpoints 0..3 at the corners of a 5 x 5 grid, 400000 apart on each side.
    Terrain& square() {
        return useTerrain(heightmap(5, 5, 0,
                                    {checkpointAt(0, 0, 0), checkpointAt(4, 0, 1), checkpointAt(4, 4, 2),
                                     checkpointAt(0, 4, 3)}));
    }
    BoxModel model = podModel();
};

TEST_F(Pods, StartOnCheckpointZeroFacingCheckpointOne) {
    Terrain& t = square();
    PlayerPod player(&model);
    AIPod ai(&model);
    EXPECT_EQ(player.kind(), KIND_PLAYER_POD);
    EXPECT_EQ(ai.kind(), KIND_AI_POD);
    for (Entity* pod : {static_cast<Entity*>(&player), static_cast<Entity*>(&ai)}) {
        EXPECT_EQ(pod->body()->position(), t.checkpoint(0));
        EXPECT_EQ(pod->body()->lookPoint(), t.checkpoint(1));
        EXPECT_EQ(pod->nextCheckpoint(), 1);
        EXPECT_EQ(pod->laps(), 0);
        EXPECT_EQ(pod->progress(), 0.0);
    }
}

TEST_F(Pods, WithoutTwoCheckpointsStayAtTheOriginAndNeverArrive) {
    // One checkpoint only (and none at all): nothing to race through.
    for (int count : {0, 1}) {
        std::vector<Marker> marks;
        if (count == 1) marks.push_back(checkpointAt(2, 2, 1));  // slot 0 left unset
        useTerrain(heightmap(5, 5, 0, marks));
        Probe<AIPod> ai(&model);
        PlayerPod player(&model);
        EXPECT_EQ(ai.body()->position(), Vector3(0, 0, 0));
        EXPECT_EQ(ai.body()->lookPoint(), Vector3(1, 0, 0));
        ai.body()->setParameters(AI_POD_TUNING);
        for (int frame = 0; frame < 3; ++frame) {
            ai.update();
            player.update();
        }
        EXPECT_EQ(ai.laps(), 0);
        EXPECT_EQ(player.laps(), 0);
        EXPECT_EQ(ai.body()->thrustForce(), Vector3(0, 0, 0));
        EXPECT_TRUE(std::isfinite(ai.progress()));
    }
    setCurrentTerrain(nullptr);
    PlayerPod lost(&model);
    lost.update();
    EXPECT_EQ(lost.body()->position(), Vector3(0, 0, 0));
}

TEST_F(Pods, ArrivalIsStrictlyInsideTheThreshold) {
    Terrain& t = square();
    Probe<PlayerPod> pod(&model);
    // |d|^2 = 3 * 10000^2 = 3e8 exactly: not there yet.
    const Vector3 edge = t.checkpoint(1) - Vector3(10000, 10000, 10000);
    pod.place(edge, t.checkpoint(1));
    pod.update();
    EXPECT_EQ(pod.nextCheckpoint(), 1);
    pod.place(edge + Vector3(0.01, 0, 0), t.checkpoint(1));
    pod.update();
    EXPECT_EQ(pod.nextCheckpoint(), 2);
    EXPECT_EQ(pod.laps(), 0);
}

TEST_F(Pods, CheckpointsInOrderCountALapOnTheLast) {
    Terrain& t = square();
    Probe<AIPod> pod(&model);
    auto visit = [&](int index) {
        pod.place(t.checkpoint(index), t.checkpoint(index) + Vector3(1, 0, 0), AI_POD_TUNING);
        pod.update();
    };
    visit(3);  // out of order: nothing
    EXPECT_EQ(pod.nextCheckpoint(), 1);
    visit(1);
    visit(2);
    EXPECT_EQ(pod.nextCheckpoint(), 3);
    EXPECT_EQ(pod.laps(), 0);
    visit(3);
    EXPECT_EQ(pod.nextCheckpoint(), 0);
    EXPECT_EQ(pod.laps(), 1);
    visit(0);  // arriving at checkpoint 0 counts nothing
    EXPECT_EQ(pod.nextCheckpoint(), 1);
    EXPECT_EQ(pod.laps(), 1);
}

TEST_F(Pods, TwoCheckpointsCountALapAtEveryArrivalOnTheSecond) {
    Terrain& t = useTerrain(heightmap(5, 5, 0, {checkpointAt(0, 2, 0), checkpointAt(4, 2, 1)}));
    Probe<PlayerPod> pod(&model);
    for (int lap = 1; lap <= 3; ++lap) {
        pod.place(t.checkpoint(1), t.checkpoint(0));
        pod.update();
        EXPECT_EQ(pod.laps(), lap);
        EXPECT_EQ(pod.nextCheckpoint(), 0);
        pod.place(t.checkpoint(0), t.checkpoint(1));
        pod.update();
        EXPECT_EQ(pod.laps(), lap);
        EXPECT_EQ(pod.nextCheckpoint(), 1);
    }
}

TEST_F(Pods, RankingByProgress) {
    Terrain& t = square();
    Probe<PlayerPod> near(&model), far(&model), onward(&model), lapAhead(&model);
    const Vector3 along = t.checkpoint(0) + Vector3(1, 0, 0);
    // Same stretch (heading for 1): the one farther from checkpoint 0 leads.
    near.place(t.checkpoint(0) + Vector3(50000, 0, 0), along);
    far.place(t.checkpoint(0) + Vector3(90000, 0, 0), along);
    // Heading for 2, barely past 1: ahead of both.
    onward.place(t.checkpoint(1) + Vector3(0, 0, 20000), along);
    onward.setStage(0, 2);
    // A lap more, though just behind checkpoint 1 again.
    lapAhead.place(t.checkpoint(0) + Vector3(20000, 0, 0), along);
    lapAhead.setStage(1, 1);
    for (auto* pod : {&near, &far, &onward, &lapAhead}) pod->refresh();
    EXPECT_LT(near.progress(), far.progress());
    EXPECT_LT(far.progress(), onward.progress());
    EXPECT_LT(onward.progress(), lapAhead.progress());
}

class PlayerKeys : public Pods {
protected:
    void SetUp() override {
        Pods::SetUp();
        reset(pod);
    }
    // Heading +x at the origin, so that forward is a plain axis, 20 ms after its last step.
    void reset(Probe<PlayerPod>& p) {
        clearKeys();
        setTestClock(T0);
        p.place(Vector3(0, 0, 0), Vector3(1, 0, 0));
        setTestClock(T0 + 20);
    }
    Probe<PlayerPod> pod{&model};
    const double power = PLAYER_POD_TUNING.enginePower;
};

TEST_F(PlayerKeys, ThrustBrakeAndSideKeys) {
    onKeyPress('w', 0, 0);
    onKeyPress('x', 0, 0);
    pod.update();
    EXPECT_EQ(pod.body()->thrustForce(), Vector3(1.1 * power, 0, 0));
    EXPECT_EQ(pod.body()->brake(), 1.0);

    const Vector3 right = pod.body()->frame().right();
    const Vector3 push = right * (100.0 * power * 0.01);
    reset(pod);
    onKeyPress('7', 0, 0);
    pod.update();
    EXPECT_NEAR(length(pod.body()->sideForce() + push), 0.0, 1e-6);
    reset(pod);
    onKeyPress('1', 0, 0);
    pod.update();
    EXPECT_NEAR(length(pod.body()->sideForce() - push), 0.0, 1e-6);
    EXPECT_EQ(pod.body()->thrustForce(), Vector3(0, 0, 0));
}

TEST_F(PlayerKeys, ATappedWThrustsForExactlyOneFrame) {
    onKeyPress('w', 0, 0);
    onKeyRelease('w', 0, 0);
    pod.update();
    EXPECT_EQ(pod.body()->thrustForce(), Vector3(1.1 * power, 0, 0));
    endKeyFrame();
    pod.body()->step();
    pod.update();
    EXPECT_EQ(pod.body()->thrustForce(), Vector3(0, 0, 0));
}

// Shift or Caps Lock: the letters arrive upper case and act as they do lower case.
TEST_F(PlayerKeys, UpperCaseLettersActAsLowerCase) {
    pod.boost() = 1000;
    onKeyPress('W', 0, 0);
    onKeyPress('X', 0, 0);
    onKeyPress('C', 0, 0);
    pod.update();
    EXPECT_NEAR(pod.body()->thrustForce().x, (1.1 + 1.5) * power, 1e-9 * power) << "thrust and boost";
    EXPECT_EQ(pod.body()->brake(), 1.0);
    EXPECT_EQ(pod.boost(), 980);
}

TEST_F(PlayerKeys, ArrowsTurnAndClimbAndEnterTurnsLeft) {
    const double rampedOnce = 1.0 * 0.02 * 0.08;  // a * dt * limit, from rest
    onSpecialPress(GLUT_KEY_LEFT, 0, 0);
    pod.update();
    EXPECT_NEAR(pod.body()->yawRate(), rampedOnce, 1e-12);

    reset(pod);
    onSpecialPress(GLUT_KEY_RIGHT, 0, 0);
    onSpecialPress(GLUT_KEY_DOWN, 0, 0);
    pod.update();
    EXPECT_NEAR(pod.body()->yawRate(), -rampedOnce, 1e-12);
    EXPECT_NEAR(pod.body()->climbRate(), rampedOnce, 1e-12);

    reset(pod);
    onSpecialPress(GLUT_KEY_UP, 0, 0);
    onKeyPress('\r', 0, 0);  // Enter shares the left arrow's slot
    pod.update();
    EXPECT_NEAR(pod.body()->climbRate(), -rampedOnce, 1e-12);
    EXPECT_NEAR(pod.body()->yawRate(), rampedOnce, 1e-12);
}

TEST_F(PlayerKeys, LeftAndRightTogetherApplyLeftThenRight) {
    onSpecialPress(GLUT_KEY_LEFT, 0, 0);
    onSpecialPress(GLUT_KEY_RIGHT, 0, 0);
    pod.update();
    // +1 ramps to 0.0016; -1 then ramps with the wider limit of a turning pod.
    const double afterLeft = 0.02 * 0.08;
    const double expected = afterLeft - 0.02 * (0.8 * afterLeft + 0.08);
    EXPECT_NEAR(pod.body()->yawRate(), expected, 1e-12);
}

TEST_F(PlayerKeys, BoostSpendsOneFrameAndMayDipBelowZero) {
    onKeyPress('c', 0, 0);
    pod.update();  // no boost yet
    EXPECT_EQ(pod.body()->thrustForce(), Vector3(0, 0, 0));

    pod.boost() = 5;
    pod.body()->step();          // the step clears the inputs
    setTestClock(T0 + 20 + 16);  // one 16 ms frame later
    onKeyPress('w', 0, 0);
    pod.update();
    EXPECT_EQ(pod.boost(), -11);
    EXPECT_NEAR(pod.body()->thrustForce().x, (1.1 + 1.5) * power, 1e-3);

    pod.body()->step();
    setTestClock(T0 + 52);
    pod.update();
    EXPECT_EQ(pod.boost(), -11);
    EXPECT_NEAR(pod.body()->thrustForce().x, 1.1 * power, 1e-3);
}

}  // namespace

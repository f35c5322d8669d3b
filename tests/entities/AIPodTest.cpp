#include "entities/AIPod.h"

#include "EntitySupport.h"

#include <cmath>

namespace {

// One AI pod at P, heading +x, 20 ms after its last step, aimed at checkpoint 1, which the
// test puts where it likes.
class AIDriving : public EntityTestBase {
protected:
    static constexpr double PI = 3.14159265358979323846;
    const Vector3 P{0, 3000, 0};

    // Checkpoint 1 at P + offset: a 3 x 3 grid placed so that its far corner lies there
    // (markers float 3000 above their vertex); checkpoint 0 is far away.
    void aimAt(const Vector3& offset) {
        const Vector3 target = P + offset;
        pod.reset();
        setCurrentTerrain(nullptr);
        Image image = heightmap(3, 3, 0, {checkpointAt(0, 0, 0), checkpointAt(2, 2, 1)});
        const double spacing = 100000.0;
        terrain_ = std::make_unique<Terrain>(
            Vector3(target.x - spacing, target.y - 3000.0, target.z - spacing), image, 10000.0, spacing);
        setCurrentTerrain(terrain_.get());
        pod = std::make_unique<Probe<AIPod>>(&model);
        setTestClock(T0);
        pod->place(P, P + Vector3(1, 0, 0), AI_POD_TUNING);
        setTestClock(T0 + 20);
        ASSERT_LT(length(currentTerrain()->checkpoint(1) - target), 1e-6);
    }

    double ramped(double a) const { return a * 0.02 * std::min(std::fabs(a), 0.08); }

    BoxModel model = podModel();
    std::unique_ptr<Probe<AIPod>> pod;
    const double power = AI_POD_TUNING.enginePower;
};

TEST_F(AIDriving, StraightAheadAndLevelOnlyThrusts) {
    aimAt(Vector3(50000, 0, 0));
    pod->update();
    const Body& b = *pod->body();
    EXPECT_EQ(b.yawRate(), 0.0);
    EXPECT_EQ(b.brake(), 0.0);
    EXPECT_EQ(b.climbRate(), 0.0);
    EXPECT_NEAR(b.thrustForce().x, 1.2 * power, 1e-3);
}

TEST_F(AIDriving, QuarterTurnLeftYawsPiAndBrakesPositively) {
    // Left of a +x heading with y up is -z.
    aimAt(Vector3(0, 0, -50000));
    pod->update();
    EXPECT_NEAR(pod->body()->yawRate(), ramped(PI), 1e-12);
    EXPECT_NEAR(pod->body()->brake(), PI / 16, 1e-12);
    EXPECT_NEAR(pod->body()->thrustForce().x, 1.2 * power, 1e-3);
}

TEST_F(AIDriving, QuarterTurnRightYawsMinusPiAndBrakesNegatively) {
    aimAt(Vector3(0, 0, 50000));
    pod->update();
    EXPECT_NEAR(pod->body()->yawRate(), ramped(-PI), 1e-12);
    EXPECT_NEAR(pod->body()->brake(), -PI / 16, 1e-12);
}

TEST_F(AIDriving, SteersAndClimbsOnlyBeyondTheDeadZone) {
    const double r = 50000;
    aimAt(Vector3(r * std::cos(0.0499), 0, -r * std::sin(0.0499)));
    pod->update();
    EXPECT_EQ(pod->body()->yawRate(), 0.0);
    EXPECT_EQ(pod->body()->brake(), 0.0);

    aimAt(Vector3(r * std::cos(0.0501), 0, -r * std::sin(0.0501)));
    pod->update();
    EXPECT_NEAR(pod->body()->brake(), 0.0501 / 8, 1e-9);

    // Climb demand 2 * u.y: 0.0499 gives nothing, 0.0501 climbs.
    const double below = 0.0499 / 2, above = 0.0501 / 2;
    aimAt(Vector3(r * std::sqrt(1 - below * below), r * below, 0));
    pod->update();
    EXPECT_EQ(pod->body()->climbRate(), 0.0);
    aimAt(Vector3(r * std::sqrt(1 - above * above), r * above, 0));
    pod->update();
    EXPECT_NEAR(pod->body()->climbRate(), ramped(0.0501), 1e-9);
}

TEST_F(AIDriving, CheckpointStraightAboveClimbsWithoutTurning) {
    aimAt(Vector3(0, 40000, 0));
    pod->update();
    const Body& b = *pod->body();
    EXPECT_EQ(b.yawRate(), 0.0);
    EXPECT_EQ(b.brake(), 0.0);
    EXPECT_NEAR(b.climbRate(), ramped(2.0), 1e-12);
    EXPECT_NEAR(b.thrustForce().x, 1.2 * power, 1e-3);
}

TEST_F(AIDriving, OnTheArrivalFrameSteersAtTheCheckpointJustReached) {
    // Reached (inside the arrival distance) but lying to the left: the pod still turns to it.
    aimAt(Vector3(0, 0, -10000));
    pod->update();
    EXPECT_EQ(pod->nextCheckpoint(), 0);
    EXPECT_EQ(pod->laps(), 1);
    EXPECT_NEAR(pod->body()->brake(), PI / 16, 1e-12);
}

}  // namespace

#include "motion/Body.h"

#include "app/services/Clock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

const double EPS = 1e-9;

void expectNear(const Vector3& actual, const Vector3& expected, double eps = EPS) {
    EXPECT_NEAR(actual.x, expected.x, eps);
    EXPECT_NEAR(actual.y, expected.y, eps);
    EXPECT_NEAR(actual.z, expected.z, eps);
}

void expectSameFrame(const Frame& a, const Frame& b) {
    EXPECT_EQ(a.position, b.position);
    EXPECT_EQ(a.lookPoint, b.lookPoint);
    EXPECT_EQ(a.up, b.up);
}

}  // namespace

// Every body here is built at a known clock reading; steps happen at exact milliseconds.
class BodyTest : public testing::Test {
protected:
    static constexpr std::uint32_t START = 100000;

    void SetUp() override { setTestClock(START); }
    void TearDown() override { useRealClock(); }

    // A player pod at (x, y, z) facing +x with +y up.
    static Body pod(double x = 0, double y = 0, double z = 0) {
        Body body(Vector3(x, y, z), Vector3(x + 1, y, z), Vector3(0, 1, 0));
        body.setParameters(PLAYER_POD_TUNING);
        return body;
    }

    static void stepAt(Body& body, std::uint32_t ms) {
        setTestClock(ms);
        body.step();
    }
};

TEST_F(BodyTest, ConstructionTakesTheClockAndOneRandomNumber) {
    std::srand(42);
    const int expectedPhase = std::rand();
    std::srand(42);
    const Body body(Vector3(1, 2, 3), Vector3(2, 2, 3), Vector3(0, 1, 0));
    EXPECT_EQ(body.bobPhase(), static_cast<double>(expectedPhase));
    EXPECT_EQ(body.lastStepTime(), START);
    EXPECT_EQ(body.position(), Vector3(1, 2, 3));
    EXPECT_EQ(body.velocity(), Vector3(0, 0, 0));
    EXPECT_EQ(body.yawRate(), 0.0);
    EXPECT_EQ(body.climbRate(), 0.0);
    EXPECT_EQ(body.tuning().mass, 0.0);
}

TEST_F(BodyTest, SetParametersTakesTheNineValuesInOrder) {
    Body body(Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0));
    body.setParameters(1, 2, 3, 4, 5, 6, 7, 8, 9);
    const BodyTuning t = body.tuning();
    EXPECT_EQ(t.mass, 1);
    EXPECT_EQ(t.enginePower, 2);
    EXPECT_EQ(t.brakeDrag, 3);
    EXPECT_EQ(t.drag, 4);
    EXPECT_EQ(t.bankFactor, 5);
    EXPECT_EQ(t.pitchFactor, 6);
    EXPECT_EQ(t.ceiling, 7);
    EXPECT_EQ(t.bobAmplitude, 8);
    EXPECT_EQ(t.grip, 9);
    body.setParameters(AI_POD_TUNING);
    EXPECT_EQ(body.tuning().grip, 0.35);
    EXPECT_EQ(body.tuning().enginePower, 15000000.0);
}

TEST_F(BodyTest, CopyKeepsEverythingButTheInputSigns) {
    Body original = pod(10, 20, 30);
    original.setVelocity(Vector3(1, 2, 3));
    setTestClock(START + 20);
    original.yawInput(1);  // rate 0.0016, sign +1
    original.thrust(1);
    const Body copy(original);
    EXPECT_EQ(copy.position(), original.position());
    EXPECT_EQ(copy.velocity(), original.velocity());
    EXPECT_EQ(copy.yawRate(), original.yawRate());
    EXPECT_EQ(copy.thrustForce(), original.thrustForce());
    EXPECT_EQ(copy.lastStepTime(), original.lastStepTime());
    EXPECT_EQ(copy.bobPhase(), original.bobPhase());
    EXPECT_EQ(copy.tuning().grip, original.tuning().grip);

    // Only the copy forgets the input, so only the copy's rate decays.
    Body copyToStep(original);
    original.step();
    copyToStep.step();
    EXPECT_NEAR(original.yawRate(), 0.0016, EPS);
    EXPECT_NEAR(copyToStep.yawRate(), 0.0016 / 1.15, EPS);
}

TEST_F(BodyTest, ThrustStepped20MsLaterMovesAPodFromRest) {
    Body body = pod();
    body.thrust(1.1);
    stepAt(body, START + 20);
    expectNear(body.position(), Vector3(3.3, 0, 0));
    expectNear(body.velocity(), Vector3(330, 0, 0));
    EXPECT_EQ(body.thrustForce(), Vector3(0, 0, 0));
    EXPECT_EQ(body.lastStepTime(), START + 20);
    EXPECT_EQ(body.msSinceStep(), 0u);
}

TEST_F(BodyTest, SideThrustPushesToTheRightAtOnePercent) {
    Body body = pod();
    body.sideThrust(100);
    expectNear(body.sideForce(), Vector3(0, 0, 15000000.0));
    body.sideThrust(-100);
    expectNear(body.sideForce(), Vector3(0, 0, 0));
}

TEST_F(BodyTest, MsSinceStepCountsAcrossTheClockWrap) {
    setTestClock(0xFFFFFFF0u);
    Body body = pod();
    setTestClock(16);
    EXPECT_EQ(body.msSinceStep(), 32u);
    body.thrust(1.1);
    body.step();  // 32 ms, not four billion
    EXPECT_NEAR(body.velocity().x, 16500 * 0.032, EPS);
}

TEST_F(BodyTest, YawRampFollowsTheTimeSinceTheStep) {
    Body body = pod();
    setTestClock(START + 20);
    body.yawInput(1);
    EXPECT_NEAR(body.yawRate(), 0.0016, 1e-15);

    // The second call ramps from the new rate with the same dt; the last sign wins.
    body.yawInput(-1);
    const double limit = 0.8 * 0.0016 + 0.08;
    EXPECT_NEAR(body.yawRate(), 0.0016 - 0.02 * limit, 1e-15);

    // Zero input changes nothing but still counts as input: no decay.
    setTestClock(START);
    Body held = pod();
    setTestClock(START + 20);
    held.yawInput(1);
    held.step();
    held.yawInput(0);
    EXPECT_NEAR(held.yawRate(), 0.0016, 1e-15);
    held.step();
    EXPECT_NEAR(held.yawRate(), 0.0016, 1e-15);
    held.step();
    EXPECT_NEAR(held.yawRate(), 0.0016 / 1.15, 1e-15);
}

TEST_F(BodyTest, RatesAreClampedTo8Hundredths) {
    Body body = pod();
    setTestClock(START + 1000);
    body.yawInput(100);
    body.climbInput(-100);
    EXPECT_EQ(body.yawRate(), 0.08);
    EXPECT_EQ(body.climbRate(), -0.08);
    body.yawInput(0);
    EXPECT_EQ(body.yawRate(), 0.08);
}

// Seconds of steps at the given frame interval until a held yaw input reaches the limit.
static double secondsToFullTurn(std::uint32_t frameMs) {
    setTestClock(0);
    Body body(Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0));
    body.setParameters(PLAYER_POD_TUNING);
    std::uint32_t now = 0;
    while (body.yawRate() < 0.08 && now < 10000) {
        now += frameMs;
        setTestClock(now);
        body.yawInput(1);
        body.step();
    }
    return now / 1000.0;
}

TEST_F(BodyTest, HeldYawReachesTheLimitInAboutThreeQuartersOfASecond) {
    EXPECT_NEAR(secondsToFullTurn(16), 0.75, 0.03);
    EXPECT_NEAR(secondsToFullTurn(33), 0.77, 0.04);
    EXPECT_NEAR(secondsToFullTurn(5), 0.74, 0.03);
}

TEST_F(BodyTest, TurningClimbingAndDecayHappenOncePerStepEvenWith0Ms) {
    Body body = pod();
    setTestClock(START + 20);
    body.yawInput(1);
    body.climbInput(1);
    body.step();
    const Vector3 afterFirst = body.position();
    EXPECT_NEAR(afterFirst.y, 0.0016 * 0.3 * 5000, EPS);

    // The first step had input, so nothing decayed yet.
    EXPECT_EQ(body.yawRate(), 0.0016);
    EXPECT_EQ(body.climbRate(), 0.0016);

    // No time passes, yet the second step climbs, turns and decays.
    const Vector3 lookBefore = body.lookPoint() - body.position();
    body.step();
    EXPECT_NEAR(body.position().y, 2 * afterFirst.y, EPS);
    EXPECT_NEAR(body.position().x, afterFirst.x, EPS);
    EXPECT_NEAR(body.yawRate(), 0.0016 / 1.15, 1e-15);
    EXPECT_NEAR(body.climbRate(), 0.0016 / 1.15, 1e-15);
    const Vector3 lookAfter = body.lookPoint() - body.position();
    EXPECT_NEAR(std::acos(dot(lookBefore, lookAfter)), 0.0016, 1e-9);
    EXPECT_NEAR(length(lookAfter), 1.0, 1e-12);
}

TEST_F(BodyTest, StepResetsTheLookDistanceToOne) {
    Body body(Vector3(0, 0, 0), Vector3(0, 0, 7), Vector3(0, 1, 0));
    body.setParameters(PLAYER_POD_TUNING);
    body.yaw(0.3);
    stepAt(body, START + 16);
    EXPECT_NEAR(length(body.lookPoint() - body.position()), 1.0, 1e-15);
}

TEST_F(BodyTest, CeilingRulesTestThePositionBeforeTheStep) {
    // Upward speed above the ceiling value is dropped; the value itself stays.
    Body fast = pod();
    fast.setVelocity(Vector3(0, 5001, 0));
    fast.step();
    EXPECT_EQ(fast.velocity(), Vector3(0, 0, 0));
    Body limit = pod();
    limit.setVelocity(Vector3(0, 5000, 0));
    limit.step();
    EXPECT_GT(limit.velocity().y, 4900.0);

    // Above the ceiling the step starts from the ceiling height.
    Body high = pod(0, 6000, 0);
    stepAt(high, START + 20);
    EXPECT_DOUBLE_EQ(high.position().y, 5000.0);

    // Exactly at the ceiling a positive climb does nothing, a negative one dives.
    setTestClock(START);
    Body atCeiling = pod(0, 5000, 0);
    Body diving = pod(0, 5000, 0);
    setTestClock(START + 20);
    atCeiling.climbInput(1);
    diving.climbInput(-1);
    atCeiling.step();
    diving.step();
    EXPECT_EQ(atCeiling.position().y, 5000.0);
    EXPECT_NEAR(diving.position().y, 5000.0 - 0.0016 * 0.3 * 5000, EPS);
    // The climb moves the position only.
    EXPECT_EQ(diving.velocity(), Vector3(0, 0, 0));
}

TEST_F(BodyTest, DragAndGripSlowTheVelocity) {
    // Straight ahead: drag only, v' = v - (drag / mass) v dt.
    Body ahead = pod();
    ahead.setVelocity(Vector3(1000, 0, 0));
    stepAt(ahead, START + 20);
    expectNear(ahead.velocity(), Vector3(1000 - 0.5 * 1000 * 0.02, 0, 0));

    // Sideways, with no time passing: grip alone divides by 1 + grip / 18.
    setTestClock(START);
    Body sideways = pod();
    sideways.setVelocity(Vector3(0, 0, 900));
    sideways.step();
    expectNear(sideways.velocity(), Vector3(0, 0, 900 / (1 + 0.15 / 18)));

    // Backwards counts double.
    Body backwards = pod();
    backwards.setVelocity(Vector3(-900, 0, 0));
    backwards.step();
    expectNear(backwards.velocity(), Vector3(-900 / (1 + 2 * 0.15 / 18), 0, 0));

    // A tiny speed is left to drag alone.
    Body still = pod();
    still.setVelocity(Vector3(0, 0, 1e-8));
    still.step();
    EXPECT_EQ(still.velocity(), Vector3(0, 0, 1e-8));
}

TEST_F(BodyTest, BrakeEntersTheStepWithItsSign) {
    Body braking = pod();
    braking.setVelocity(Vector3(100, 0, 0));
    braking.setBrake(1);
    stepAt(braking, START + 20);
    expectNear(braking.velocity(), Vector3(100 - 3.5 * 100 * 0.02, 0, 0));
    EXPECT_EQ(braking.brake(), 0.0);

    // Below -drag / brakeDrag the drag term pushes along the velocity.
    setTestClock(START);
    Body pushed = pod();
    pushed.setVelocity(Vector3(100, 0, 0));
    pushed.setBrake(0.5);
    pushed.setBrake(-1);  // the last call wins
    stepAt(pushed, START + 20);
    expectNear(pushed.velocity(), Vector3(100 + 2.5 * 100 * 0.02, 0, 0));
}

TEST_F(BodyTest, TiltedLeavesTheBodyExactlyAsItWas) {
    Body body = pod(3, 4, 5);
    setTestClock(START + 20);
    body.yawInput(1);
    body.climbInput(-1);
    const Frame before = body.frame();
    const Frame shown = body.tilted();
    expectSameFrame(body.frame(), before);
    EXPECT_NE(shown.up, before.up);

    // Bank by 5 x yaw rate, pitch by 5 x climb rate, bob along up.
    Frame expected = before;
    expected.roll(5 * body.yawRate());
    expected.pitch(5 * body.climbRate());
    expected.moveUp(50 * std::cos(2 * (START / 1000.0) + body.bobPhase()));
    expectNear(shown.position, expected.position, 1e-12);
    expectNear(shown.lookPoint, expected.lookPoint, 1e-12);
    expectNear(shown.up, expected.up, 1e-12);
}

TEST_F(BodyTest, ChaseCameraSitsBehindAboveAndLooksDown) {
    const Body followed = pod();
    const Body camera = chaseCamera(followed, 2000);
    expectNear(camera.position(), Vector3(-2000, 2000.0 / 3, 0));
    EXPECT_NEAR(camera.position().y, 666.67, 0.005);
    const Vector3 look = camera.lookPoint() - camera.position();
    EXPECT_NEAR(look.x, 0.96497, 5e-6);
    EXPECT_NEAR(look.y, -0.26237, 5e-6);
    EXPECT_NEAR(look.z, 0.0, EPS);

    const Body cockpit = chaseCamera(followed, 0);
    expectSameFrame(cockpit.frame(), followed.frame());
}

namespace {
// A pod sliding off its heading with every input held, stepped ms after its previous step.
Body steppedAfter(std::uint32_t ms) {
    setTestClock(100000);
    Body body(Vector3(10, 20, 30), Vector3(11, 20, 31), Vector3(0, 1, 0));
    body.setParameters(PLAYER_POD_TUNING);
    body.setVelocity(Vector3(3000, 200, -1000));
    setTestClock(100000 + ms);
    body.thrust(1.1);
    body.sideThrust(100);
    body.setBrake(1.0);
    body.yawInput(1);
    body.climbInput(-1);
    body.step();
    return body;
}

struct StepResult {
    Vector3 position{0, 0, 0}, velocity{0, 0, 0};
    double yawRate = 0, climbRate = 0;
};

void expectExactly(const Body& b, const StepResult& r) {
    EXPECT_EQ(b.position(), r.position);
    EXPECT_EQ(b.velocity(), r.velocity);
    EXPECT_EQ(b.yawRate(), r.yawRate);
    EXPECT_EQ(b.climbRate(), r.climbRate);
}
}  // namespace

TEST_F(BodyTest, AStepIntegratesAtMostAQuarterOfASecondAndShorterOnesAsBefore) {
    // Recorded from the step as it was before the bound, bit for bit.
    const StepResult after16{Vector3(0x1.c49eaf790cbfp+5, 0x1.52d15d8438515p+4, 0x1.15ed7e2f4b443p+4),
                             Vector3(0x1.627ed7370f18ep+11, 0x1.77dda285d02e2p+7, -0x1.23a42bc01a42bp+9),
                             0x1.4f8b588e368f1p-10, -0x1.4f8b588e368f1p-10};
    const StepResult after250{Vector3(0x1.cf154279ade64p+8, 0x1.1feee901a3c1cp+4, 0x1.250a1fed3c6p+9),
                              Vector3(0x1.3f38abe140684p+9, 0x1.8e29b2ac1fc88p+4, 0x1.5440a3d821576p+12),
                              0x1.47ae147ae147bp-6, -0x1.47ae147ae147bp-6};
    expectExactly(steppedAfter(16), after16);
    expectExactly(steppedAfter(MAX_STEP_MS), after250);
    // A stall of an hour is integrated as a quarter of a second, the rest dropped.
    expectExactly(steppedAfter(60 * 60 * 1000), after250);
    setTestClock(START);
    const Body stalled = pod();
    setTestClock(START + 60 * 60 * 1000);
    EXPECT_EQ(stalled.msSinceStep(), MAX_STEP_MS);  // so a boost spends no more than that
}

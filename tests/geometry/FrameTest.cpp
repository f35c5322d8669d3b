#include "geometry/Frame.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double PI = std::acos(-1.0);
const double EPS = 1e-12;

// At the origin facing +x with +y up: the starting frame of every entity.
Frame startFrame() { return Frame(Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0)); }

void expectNear(const Vector3& actual, const Vector3& expected, double eps = EPS) {
    EXPECT_NEAR(actual.x, expected.x, eps);
    EXPECT_NEAR(actual.y, expected.y, eps);
    EXPECT_NEAR(actual.z, expected.z, eps);
}

}  // namespace

TEST(Frame, DerivedDirectionsAreRightHanded) {
    Frame frame(Vector3(5, 0, 0), Vector3(9, 0, 0), Vector3(0, 1, 0));
    expectNear(frame.forward(), Vector3(1, 0, 0));
    expectNear(frame.left(), Vector3(0, 0, -1));
    expectNear(frame.right(), Vector3(0, 0, 1));
}

TEST(Frame, RotationsFromTheStartingFrame) {
    Frame yawed = startFrame();
    yawed.yaw(PI / 2);
    expectNear(yawed.lookPoint, Vector3(0, 0, -1));
    expectNear(yawed.up, Vector3(0, 1, 0));
    expectNear(yawed.position, Vector3(0, 0, 0));

    Frame rolled = startFrame();
    rolled.roll(PI / 2);
    expectNear(rolled.up, Vector3(0, 0, -1));
    EXPECT_EQ(rolled.position, Vector3(0, 0, 0));
    EXPECT_EQ(rolled.lookPoint, Vector3(1, 0, 0));

    Frame pitched = startFrame();
    pitched.pitch(PI / 2);
    expectNear(pitched.lookPoint, Vector3(0, 1, 0));
    expectNear(pitched.up, Vector3(-1, 0, 0));
}

TEST(Frame, SmallPositiveAnglesTurnLeftRaiseTheNoseAndTipUpLeft) {
    Frame yawed = startFrame();
    yawed.yaw(0.1);
    EXPECT_LT(yawed.lookPoint.z, 0.0);  // left of +x with +y up is -z

    Frame pitched = startFrame();
    pitched.pitch(0.1);
    EXPECT_GT(pitched.lookPoint.y, 0.0);
    EXPECT_NEAR(dot(pitched.up, pitched.forward()), 0.0, EPS);
    EXPECT_NEAR(length(pitched.up), 1.0, EPS);

    Frame rolled = startFrame();
    rolled.roll(0.1);
    EXPECT_LT(rolled.up.z, 0.0);
}

TEST(Frame, MovesFollowTheFrameNotTheWorldAxes) {
    Frame frame = startFrame();
    frame.moveRight(10);
    EXPECT_EQ(frame.position, Vector3(0, 0, 10));
    EXPECT_EQ(frame.lookPoint, Vector3(1, 0, 10));
    frame.moveUp(5);
    EXPECT_EQ(frame.position, Vector3(0, 5, 10));
    frame.moveRight(-10);
    expectNear(frame.position, Vector3(0, 5, 0));
    frame.moveForward(-2);
    expectNear(frame.position, Vector3(-2, 5, 0));
    expectNear(frame.lookPoint, Vector3(-1, 5, 0));

    // Along the frame's own up once it is rolled.
    Frame rolled = startFrame();
    rolled.roll(PI / 2);
    rolled.moveUp(4);
    expectNear(rolled.position, Vector3(0, 0, -4));
}

TEST(Frame, EveryRotationKeepsTheLookDistance) {
    const Frame start(Vector3(1, 2, 3), Vector3(1 + 3 * std::cos(0.3), 2, 3 + 3 * std::sin(0.3)), Vector3(0, 1, 0));
    for (double angle : {0.7, -2.1, 50.0}) {
        Frame yawed = start, pitched = start, rolled = start;
        yawed.yaw(angle);
        pitched.pitch(angle);
        rolled.roll(angle);
        EXPECT_NEAR(length(yawed.lookPoint - yawed.position), 3.0, EPS) << angle;
        EXPECT_NEAR(length(pitched.lookPoint - pitched.position), 3.0, EPS) << angle;
        EXPECT_NEAR(length(rolled.lookPoint - rolled.position), 3.0, EPS) << angle;
    }
}

TEST(Frame, PlacementMatrixColumnsAreForwardUpRightPosition) {
    double identity[16];
    startFrame().placementMatrix(identity);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(identity[i], (i % 5 == 0) ? 1.0 : 0.0) << i;

    // Facing -z from (7, 8, 9): right is +x.
    Frame frame(Vector3(7, 8, 9), Vector3(7, 8, 5), Vector3(0, 1, 0));
    double m[16];
    frame.placementMatrix(m);
    const double expected[16] = {0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 7, 8, 9, 1};
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(m[i], expected[i], EPS) << i;
}

#include "motion/Body.h"

#include "app/services/Clock.h"
#include "support/GlContext.h"

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

namespace {

void modelView(GLdouble matrix[16]) { glGetDoublev(GL_MODELVIEW_MATRIX, matrix); }

}  // namespace

TEST(CameraGl, MultMatrixOnTheStartingFrameIsTheIdentity) {
    REQUIRE_GL_CONTEXT();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslated(1, 2, 3);
    glRotated(30, 0, 1, 0);
    GLdouble before[16], after[16];
    modelView(before);
    Frame(Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0)).multMatrix();
    modelView(after);
    for (int i = 0; i < 16; ++i) EXPECT_DOUBLE_EQ(after[i], before[i]) << i;
}

TEST(CameraGl, MultMatrixSelectsTheModelViewMatrix) {
    REQUIRE_GL_CONTEXT();
    glMatrixMode(GL_PROJECTION);
    Frame(Vector3(4, 5, 6), Vector3(5, 5, 6), Vector3(0, 1, 0)).multMatrix();
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    GLdouble m[16];
    modelView(m);
    EXPECT_DOUBLE_EQ(m[12], 4);
    EXPECT_DOUBLE_EQ(m[13], 5);
    EXPECT_DOUBLE_EQ(m[14], 6);
}

TEST(CameraGl, PlainCameraIsGluLookAtOfTheBodysFrame) {
    REQUIRE_GL_CONTEXT();
    setTestClock(5000);
    Body body(Vector3(10, 20, 30), Vector3(11, 20.5, 29), Vector3(0, 1, 0));
    body.setParameters(PLAYER_POD_TUNING);
    setTestClock(5020);
    body.yawInput(1);  // a turning, climbing body: the plain view ignores both
    body.climbInput(1);
    useRealClock();

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(10, 20, 30, 11, 20.5, 29, 0, 1, 0);
    GLdouble expected[16], actual[16];
    modelView(expected);
    glLoadIdentity();
    body.applyCamera(false);
    modelView(actual);
    for (int i = 0; i < 16; ++i) EXPECT_DOUBLE_EQ(actual[i], expected[i]) << i;

    // With the effects the view banks and bobs away from it.
    glLoadIdentity();
    body.applyCamera(true);
    modelView(actual);
    bool differs = false;
    for (int i = 0; i < 16; ++i) differs = differs || actual[i] != expected[i];
    EXPECT_TRUE(differs);
}

TEST(CameraGl, EffectsOfAnUntunedBodyGiveThePlainViewWithinRounding) {
    REQUIRE_GL_CONTEXT();
    // Constructed bodies have zero yaw rate, climb rate and bob amplitude.
    const Body body(Vector3(-3, 7, 2), Vector3(-2, 7, 3), Vector3(0, 1, 0));
    glMatrixMode(GL_MODELVIEW);
    GLdouble plain[16], effects[16];
    glLoadIdentity();
    body.applyCamera(false);
    modelView(plain);
    glLoadIdentity();
    body.applyCamera(true);
    modelView(effects);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(effects[i], plain[i], 1e-9) << i;

    // Drawing a body places the model origin at its position.
    glLoadIdentity();
    body.applyTransform();
    modelView(effects);
    EXPECT_NEAR(effects[12], -3, 1e-9);
    EXPECT_NEAR(effects[13], 7, 1e-9);
    EXPECT_NEAR(effects[14], 2, 1e-9);
}

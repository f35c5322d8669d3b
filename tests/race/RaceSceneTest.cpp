#include "race/Race.h"

#include "HeadlessRace.h"

#include "app/services/Clock.h"
#include "app/services/KeySlots.h"
#include "app/services/KeyTable.h"
#include "app/MenuScene.h"
#include "app/RaceScene.h"
#include "app/Scene.h"
#include "app/services/Text.h"
#include "entities/Missile.h"
#include "motion/Body.h"
#include "race/Hud.h"
#include "race/RaceSetup.h"
#include "support/GlContext.h"
#include "support/TestFont.h"

#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <algorithm>
#include <vector>

namespace {
class RaceFrame : public testing::Test {
protected:
    void SetUp() override {
        clearKeys();
        setTestClock(7000000);
        if (!GlContext::makeCurrent()) GTEST_SKIP() << "no offscreen OpenGL context";
        GlContext::resetState();
        font = makeTestFont({'V', 'M', MISSILE_SIGN});
        setFontTexture(font);
        auto race = headlessRace();
        populateRace(*race);
        setCurrentRace(std::move(race));
        setScene(raceScene);
    }
    void TearDown() override {
        destroyCurrentRace();
        setScene(nullptr);
        setFontTexture(0);
        glDeleteTextures(1, &font);
        clearKeys();
        setCameraIndex(0);
        useRealClock();
    }
    static std::uint32_t rgb(double x, double y) {
        return GlContext::pixel(fractionToPixelX(x), fractionToPixelY(y)) & 0xFFFFFF;
    }
    static void clearScreen() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
    GLuint font = 0;
};
}

TEST_F(RaceFrame, TheHudLabelsAreDrawnInTheirColoursOverEverything) {
    clearScreen();
    drawHud(*currentRace());
    // The 'V' of "VITESSE", label blue at full font strength.
    EXPECT_EQ(rgb(0.76, 0.92), 0xFFCCCCu);
    EXPECT_EQ(rgb(0.76, 0.97), 0u);  // the speed value "  0" has no lit glyph in this font
}

TEST_F(RaceFrame, TheMissileSignIsHiddenInTheFirstFrameOfAWindowAndShownAfter) {
    setTestClock(clockMs() + 5000);  // far past any earlier window: this frame opens one
    clearScreen();
    drawHud(*currentRace());
    EXPECT_EQ(rgb(0.72, 0.05), 0u);
    setTestClock(clockMs() + 16);
    clearScreen();
    drawHud(*currentRace());
    EXPECT_EQ(rgb(0.72, 0.05) & 0xFF, 0xFFu);  // red
    currentRace()->entityAt(0)->missileReady() = 0;
    clearScreen();
    drawHud(*currentRace());
    EXPECT_EQ(rgb(0.72, 0.05), 0u);
}

// The player's pod turned round on the start, flying back the way it came.
TEST_F(RaceFrame, MauvaisSensShowsAfterTwoSecondsFlyingTheWrongWayStaysStoppedAndGoesWhenThePodTurnsBack) {
    auto wide = headlessRace({}, 64);
    populateRace(*wide);
    setCurrentRace(std::move(wide));
    Body& pod = *currentRace()->entityAt(0)->body();
    pod.yaw(3.14159265358979);
    // One race frame without the world's drawing, then its head-up display on black: the
    // pixel inside the 'M' of "MAUVAIS".
    const auto frame = [&](double speed) {
        pod.setVelocity(pod.frame().forward() * speed);
        setTestClock(clockMs() + 16);
        currentRace()->runFrame(false);
        clearScreen();
        drawHud(*currentRace());
        return rgb(0.21, 0.43);
    };
    // Slower than a real speed: no warning however long it lasts.
    for (int i = 0; i < 150; ++i) ASSERT_EQ(frame(900.0), 0u) << i;
    const std::uint32_t firstAway = clockMs() + 16;  // each frame is 16 ms on
    while (clockMs() + 16 - firstAway <= 2000) ASSERT_EQ(frame(2000.0), 0u) << clockMs() - firstAway;
    EXPECT_EQ(frame(2000.0) & 0xFF, 0xFFu) << "red, over the middle of the screen";
    for (int i = 0; i < 200; ++i) ASSERT_EQ(frame(0.0) & 0xFF, 0xFFu) << "stays while it faces away, stopped: " << i;
    pod.yaw(3.14159265358979);
    EXPECT_EQ(frame(2000.0), 0u) << "gone the frame it turns back";
}

// The view keys as the window system gives them: each changes the picture, which holds still
// without a key while the clock does (on a busy screen time alone moves it almost as much).
TEST_F(RaceFrame, EachViewKeyChangesThePictureThatHoldsStillWithoutIt) {
    const auto frame = [] {
        clearScreen();
        currentScene()();
        return GlContext::readPixels();
    };
    frame();  // the first frame of a window hides the missile sign
    std::vector<std::uint8_t> previous = frame();
    EXPECT_TRUE(frame() == previous) << "no key and no time: the same picture";
    for (int key : {GLUT_KEY_F1, GLUT_KEY_F3, GLUT_KEY_F2}) {
        onSpecialPress(key, 0, 0);
        const std::vector<std::uint8_t> shown = frame();
        onSpecialRelease(key, 0, 0);
        EXPECT_FALSE(shown == previous) << "F" << key - GLUT_KEY_F1 + 1;
        previous = shown;
    }
}

// Whatever the camera follows, the head-up display shows the player's values: it says so.
TEST_F(RaceFrame, TheHudSaysWhenTheCameraFollowsAnotherEntityAndWhichKeyComesHome) {
    std::vector<TextRecord> texts;
    const auto saysElsewhere = [&] {
        texts.clear();
        recordTexts(&texts);
        drawHud(*currentRace());
        recordTexts(nullptr);
        return std::any_of(texts.begin(), texts.end(), [](const TextRecord& t) { return t.text == CAMERA_ELSEWHERE[1]; });
    };
    EXPECT_FALSE(saysElsewhere());
    onKeyPress(KEY_PLUS, 0, 0);
    currentRace()->updateCamera();
    onKeyRelease(KEY_PLUS, 0, 0);
    EXPECT_TRUE(saysElsewhere());
    onSpecialPress(GLUT_KEY_HOME, 0, 0);
    currentRace()->updateCamera();
    EXPECT_FALSE(saysElsewhere());
}

TEST_F(RaceFrame, AFrameMovesTheRaceAndEscapeReturnsToTheMenuAfterHalfASecond) {
    Race* race = currentRace();
    const std::uint32_t before = race->entityAt(1)->body()->lastStepTime();
    setTestClock(clockMs() + 16);
    clearScreen();
    currentScene()();
    EXPECT_NE(race->entityAt(1)->body()->lastStepTime(), before);
    // Every missile has a target once the world is drawn.
    EXPECT_NE(static_cast<Missile*>(race->entityAt(11))->target(), nullptr);

    onKeyPress(KEY_ESCAPE, 0, 0);
    const std::uint32_t escapeAt = clockMs();
    clearScreen();
    currentScene()();
    EXPECT_EQ(currentRace(), nullptr);
    EXPECT_EQ(currentScene(), menuScene);
    EXPECT_GE(clockMs() - escapeAt, 500u);
}

TEST_F(RaceFrame, ATappedEscapeLeavesTheRaceAndIsGoneForTheMenu) {
    onKeyPress(KEY_ESCAPE, 0, 0);
    onKeyRelease(KEY_ESCAPE, 0, 0);
    setTestClock(clockMs() + 16);
    clearScreen();
    currentScene()();
    endKeyFrame();
    EXPECT_EQ(currentRace(), nullptr);
    EXPECT_EQ(currentScene(), menuScene);
    EXPECT_EQ(keyDown(KEY_ESCAPE), 0);  // the menu does not quit
}

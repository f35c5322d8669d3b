#include "race/Race.h"

#include "HeadlessRace.h"

#include "app/Clock.h"
#include "app/KeySlots.h"
#include "app/KeyTable.h"
#include "app/MenuScene.h"
#include "app/Scene.h"
#include "app/Text.h"
#include "entities/Missile.h"
#include "race/Hud.h"
#include "race/RaceSetup.h"
#include "support/GlContext.h"
#include "support/TestFont.h"

#include <gtest/gtest.h>

namespace {
class RaceFrame : public testing::Test {
protected:
    void SetUp() override {
        clearKeys();
        setTestClock(7000000);
        if (!GlContext::makeCurrent()) GTEST_SKIP() << "no offscreen OpenGL context";
        GlContext::resetState();
        font = makeTestFont({'V', MISSILE_SIGN});
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

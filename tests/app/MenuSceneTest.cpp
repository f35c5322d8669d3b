#include "app/MenuScene.h"

#include "app/services/Clock.h"
#include "app/services/KeySlots.h"
#include "app/services/KeyTable.h"
#include "app/LoadingScene.h"
#include "app/Previews.h"
#include "app/RaceScene.h"
#include "app/Scene.h"
#include "app/services/Text.h"
#include "support/GlContext.h"
#include "support/TestFont.h"

#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <vector>

namespace {
class Menu : public testing::Test {
protected:
    void SetUp() override {
        clearKeys();
        setTestClock(10000);
        setChosenCircuit(0);
        setScene(menuScene);
    }
    void TearDown() override {
        clearKeys();
        setChosenCircuit(0);
        setScene(nullptr);
        useRealClock();
    }
};

// One displayed frame of whatever scene is current, as the window shell runs it.
void runFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    currentScene()();
}

class MenuDrawing : public Menu {
protected:
    void SetUp() override {
        Menu::SetUp();
        if (!GlContext::makeCurrent()) GTEST_SKIP() << "no offscreen OpenGL context";
        GlContext::resetState();
        textures[0] = makeSolidTexture(0, 255, 0);
        textures[1] = makeSolidTexture(0, 0, 255);
        textures[2] = makeSolidTexture(255, 0, 255);
        textures[3] = makeTestFont({MENU_MARKER, 'B'});
        for (int i = 0; i < 3; ++i) setPreviewTexture(i, textures[i]);
        setFontTexture(textures[3]);
    }
    void TearDown() override {
        glDeleteTextures(4, textures);
        for (int i = 0; i < 3; ++i) setPreviewTexture(i, 0);
        setFontTexture(0);
        Menu::TearDown();
    }
    static std::uint32_t rgb(double x, double y) {
        return GlContext::pixel(fractionToPixelX(x), fractionToPixelY(y)) & 0xFFFFFF;
    }
    GLuint textures[4] = {};
};
}

TEST_F(Menu, ArrowsWrapBothWaysAndFreezeForTwoHundredMilliseconds) {
    onSpecialPress(GLUT_KEY_LEFT, 0, 0);
    updateMenuChoice();
    EXPECT_EQ(chosenCircuit(), 2);
    EXPECT_EQ(clockMs(), 10200u);
    endKeyFrame();
    onSpecialRelease(GLUT_KEY_LEFT, 0, 0);
    onSpecialPress(GLUT_KEY_RIGHT, 0, 0);
    updateMenuChoice();
    EXPECT_EQ(chosenCircuit(), 0);
    updateMenuChoice();
    EXPECT_EQ(chosenCircuit(), 1);
    EXPECT_EQ(clockMs(), 10600u);
}

TEST_F(Menu, BothArrowsInOneFrameGoBackAndForthAgain) {
    setChosenCircuit(1);
    onSpecialPress(GLUT_KEY_LEFT, 0, 0);
    onSpecialPress(GLUT_KEY_RIGHT, 0, 0);
    updateMenuChoice();
    EXPECT_EQ(chosenCircuit(), 1);
    EXPECT_EQ(clockMs(), 10400u);
}

TEST_F(Menu, ATapBetweenTwoFramesMovesTheMarkerExactlyOneStep) {
    onSpecialPress(GLUT_KEY_RIGHT, 0, 0);
    onSpecialRelease(GLUT_KEY_RIGHT, 0, 0);
    for (int frame = 0; frame < 2; ++frame) {
        updateMenuChoice();
        endKeyFrame();
        EXPECT_EQ(chosenCircuit(), 1);
    }
}

TEST_F(Menu, EnterMovesTheMarkerLeftAndDoesNotChoose) {
    onKeyPress('\r', 0, 0);
    updateMenuChoice();
    EXPECT_EQ(chosenCircuit(), 2);
    EXPECT_EQ(currentScene(), menuScene);
    setChosenCircuit(-1);
    EXPECT_EQ(chosenCircuit(), 2);
    setChosenCircuit(4);
    EXPECT_EQ(chosenCircuit(), 1);
}

TEST_F(Menu, EscapeEndsTheProcessWithStatusZero) {
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    onKeyPress(KEY_ESCAPE, 0, 0);
    EXPECT_EXIT(menuScene(), testing::ExitedWithCode(0), "");
    EXPECT_EXIT(loadingScene(), testing::ExitedWithCode(0), "");
}

TEST_F(MenuDrawing, ThreePreviewsTitleAndTheMarkerAboveTheChosenOne) {
    setChosenCircuit(1);
    runFrame();
    // Previews in y -30 .. -10 of the eye plane, that is screen fractions 0.625 .. 0.875.
    EXPECT_EQ(rgb(0.15, 0.75), 0x00FF00u);  // circuit 0, untinted
    EXPECT_EQ(rgb(0.50, 0.75), 0xFF0000u);  // circuit 1 (blue, R in the low byte)
    EXPECT_EQ(rgb(0.85, 0.75), 0xFF00FFu);  // circuit 2
    EXPECT_EQ(rgb(0.50, 0.95), 0u);
    // The marker, white, above the middle picture only.
    EXPECT_EQ(rgb(0.46, 0.575), 0xFFFFFFu);
    EXPECT_EQ(rgb(0.16, 0.575), 0u);
    // The title's 'B' in yellow.
    const std::uint32_t title = rgb(0.16, 0.15);
    EXPECT_EQ(title & 0xFFFF, 0xFFFFu);
    EXPECT_NEAR(static_cast<int>(title >> 16), 26, 1);
}

TEST_F(MenuDrawing, SpaceStartsOneLoadingSequence) {
    setChosenCircuit(2);
    onKeyPress(' ', 0, 0);
    runFrame();
    EXPECT_EQ(currentScene(), loadingScene);
    std::vector<TextRecord> texts;
    recordTexts(&texts);
    runFrame();  // Space still held: the loading frame hands over to set-up, not to itself
    recordTexts(nullptr);
    EXPECT_EQ(currentScene(), setupScene);
    // The loading picture is the chosen circuit's, nearly full-screen, untinted, with the
    // message in red across the middle of the screen.
    EXPECT_EQ(rgb(0.05, 0.2), 0xFF00FFu);
    EXPECT_EQ(rgb(0.95, 0.85), 0xFF00FFu);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "CHARGEMENT EN COURS ...");
    EXPECT_TRUE(texts[0].y1 < 0.45 && texts[0].y2 > 0.45 && texts[0].r > 0.9 && texts[0].g < 0.2) << texts[0].y1;
}

#include "app/services/KeySlots.h"
#include "app/services/KeyTable.h"

#include <gtest/gtest.h>

#include <GL/freeglut.h>

class KeyTableTest : public testing::Test {
protected:
    void SetUp() override { clearKeys(); }
};

TEST_F(KeyTableTest, SpecialKeysMapToTheirSlots) {
    EXPECT_EQ(keySlot(GLUT_KEY_F1), 1);
    EXPECT_EQ(keySlot(GLUT_KEY_F12), 12);
    EXPECT_EQ(keySlot(GLUT_KEY_LEFT), 13);
    EXPECT_EQ(keySlot(GLUT_KEY_UP), 14);
    EXPECT_EQ(keySlot(GLUT_KEY_RIGHT), 15);
    EXPECT_EQ(keySlot(GLUT_KEY_DOWN), 16);
    EXPECT_EQ(keySlot(GLUT_KEY_PAGE_UP), 17);
    EXPECT_EQ(keySlot(GLUT_KEY_PAGE_DOWN), 18);
    EXPECT_EQ(keySlot(GLUT_KEY_HOME), 19);
    EXPECT_EQ(keySlot(GLUT_KEY_END), 20);
    EXPECT_EQ(keySlot(GLUT_KEY_INSERT), 21);
}

TEST_F(KeyTableTest, ModifierAndUnknownSpecialKeysAreIgnored) {
    // Left Ctrl would land on Escape's slot and right Super on Space's.
    for (int code = 109; code <= 300; ++code) {
        EXPECT_EQ(keySlot(code), -1) << code;
        onSpecialPress(code, 0, 0);
    }
    onSpecialPress(-5, 0, 0);
    for (int slot = 0; slot < KEY_SLOTS; ++slot) EXPECT_EQ(keyDown(slot), 0) << slot;
}

TEST_F(KeyTableTest, EnterSharesTheLeftArrowSlot) {
    onKeyPress('\r', 0, 0);
    EXPECT_EQ(keyDown(KEY_LEFT), 1);
    endKeyFrame();
    onSpecialRelease(GLUT_KEY_LEFT, 0, 0);
    EXPECT_EQ(keyDown(KEY_LEFT), 0);
    onSpecialPress(GLUT_KEY_LEFT, 0, 0);
    EXPECT_EQ(keyDown(KEY_LEFT), 1);
}

TEST_F(KeyTableTest, CaseMattersAndReleaseWithoutPressClears) {
    onKeyPress('W', 0, 0);
    EXPECT_EQ(keyDown('W'), 1);
    EXPECT_EQ(keyDown('w'), 0);
    endKeyFrame();
    onKeyRelease('w', 0, 0);
    EXPECT_EQ(keyDown('w'), 0);
    EXPECT_EQ(keyDown('W'), 1);
    onKeyRelease('W', 0, 0);
    EXPECT_EQ(keyDown('W'), 0);
    onKeyPress(0xF9, 0, 0);
    EXPECT_EQ(keyDown(0xF9), 1);
}

TEST_F(KeyTableTest, KeysStayHeldAcrossReadsAndOutOfRangeReadsAreZero) {
    onKeyPress(' ', 0, 0);
    for (int frame = 0; frame < 3; ++frame) EXPECT_EQ(keyDown(KEY_SPACE), 1);
    EXPECT_EQ(keyDown(-1), 0);
    EXPECT_EQ(keyDown(256), 0);
}

TEST_F(KeyTableTest, ATapBetweenTwoFramesReadsHeldForTheNextFrameOnly) {
    onKeyPress(KEY_ESCAPE, 0, 0);
    onKeyRelease(KEY_ESCAPE, 0, 0);
    onSpecialPress(GLUT_KEY_F1, 0, 0);
    onSpecialRelease(GLUT_KEY_F1, 0, 0);
    EXPECT_EQ(keyDown(KEY_ESCAPE), 1);
    EXPECT_EQ(keyDown(KEY_ESCAPE), 1);  // for the whole frame, however often it is read
    EXPECT_EQ(keyDown(KEY_F1), 1);
    endKeyFrame();
    EXPECT_EQ(keyDown(KEY_ESCAPE), 0);
    EXPECT_EQ(keyDown(KEY_F1), 0);

    // A held key reads 1 on every frame until it is let go, as before.
    onKeyPress('w', 0, 0);
    endKeyFrame();
    EXPECT_EQ(keyDown('w'), 1);
    endKeyFrame();
    EXPECT_EQ(keyDown('w'), 1);
    onKeyRelease('w', 0, 0);
    EXPECT_EQ(keyDown('w'), 0);
}

TEST_F(KeyTableTest, AReleaseAlwaysReleasesTheSlotItsPressSet) {
    onKeyPress('w', 0, 0);  // thrust, held throughout
    setKeyModifiers(GLUT_ACTIVE_SHIFT);
    onKeyPress('+', 0, 0);
    endKeyFrame();
    EXPECT_EQ(keyDown('+'), 1);
    setKeyModifiers(0);  // Shift let go first: the key comes up as '='
    onKeyRelease('=', 0, 0);
    EXPECT_EQ(keyDown('+'), 0);
    EXPECT_EQ(keyDown('w'), 1) << "pressed under the modifiers of the release, so not the key that went up";

    // The other way round: pressed plain, let go under Shift, it comes up as 'W'.
    setKeyModifiers(GLUT_ACTIVE_SHIFT);
    onKeyRelease('W', 0, 0);
    EXPECT_EQ(keyDown('w'), 0);
}

TEST_F(KeyTableTest, AReleaseFreesOnlyTheSlotsItsOwnKeyCouldHaveSet) {
    onKeyPress('w', 0, 0);
    onKeyPress('7', 0, 0);
    onKeyPress('1', 0, 0);
    endKeyFrame();
    setKeyModifiers(GLUT_ACTIVE_SHIFT);
    onKeyRelease('!', 0, 0);  // US: '1' let go under Shift
    EXPECT_EQ(keyDown('1'), 0);
    EXPECT_EQ(keyDown('w'), 1);
    EXPECT_EQ(keyDown('7'), 1);
    onKeyRelease('&', 0, 0);  // US: '7' under Shift; not AZERTY's '1', which Shift would give
    EXPECT_EQ(keyDown('7'), 0);
    EXPECT_EQ(keyDown('w'), 1);

    onKeyPress('1', 0, 0);  // AZERTY: '1' is Shift and the '&' key
    endKeyFrame();
    setKeyModifiers(0);
    onKeyRelease('&', 0, 0);
    EXPECT_EQ(keyDown('1'), 0);
    EXPECT_EQ(keyDown('w'), 1);

    // A key pressed before the window had the focus: nothing of its own is held, so what was
    // pressed under other modifiers goes, and only that.
    setKeyModifiers(GLUT_ACTIVE_SHIFT);
    onKeyPress('+', 0, 0);
    endKeyFrame();
    setKeyModifiers(0);
    onKeyRelease('q', 0, 0);
    EXPECT_EQ(keyDown('+'), 0);
    EXPECT_EQ(keyDown('w'), 1);
}

TEST_F(KeyTableTest, KeysHeldBeforeAreIgnoredUntilLetGoButTheExceptedOne) {
    onKeyPress(' ', 0, 0);
    onKeyPress('w', 0, 0);
    onKeyPress(KEY_ESCAPE, 0, 0);
    ignoreHeldKeys(KEY_ESCAPE);
    EXPECT_EQ(keyDown(KEY_SPACE), 0);
    EXPECT_EQ(keyDown('w'), 0);
    EXPECT_EQ(keyDown(KEY_ESCAPE), 1);
    onKeyRelease(' ', 0, 0);
    onKeyPress(' ', 0, 0);
    onKeyRelease(' ', 0, 0);
    EXPECT_EQ(keyDown(KEY_SPACE), 1) << "a tap after the release counts";
    onKeyPress('w', 0, 0);  // a new press after a release lost to another window
    EXPECT_EQ(keyDown('w'), 1);
}

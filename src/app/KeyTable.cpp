#include "app/KeyTable.h"

namespace {
// Keys held now, and keys pressed since the last frame ended (held or already let go).
int keyTable[KEY_SLOTS] = {};
int pressedThisFrame[KEY_SLOTS] = {};
constexpr int LAST_READ_SPECIAL_CODE = 108;  // Insert

// Slots held by a character key (not by a special key, whose code does not change with the
// modifiers), and the modifiers held at that press.
bool heldByCharacter[KEY_SLOTS] = {};
int pressModifiers[KEY_SLOTS] = {};
int modifiersNow = 0;

void press(int slot) {
    keyTable[slot] = 1;
    pressedThisFrame[slot] = 1;
}

void release(int slot) {
    keyTable[slot] = 0;
    heldByCharacter[slot] = false;
}

void setSpecial(int code, bool down) {
    const int slot = keySlot(code);
    if (slot < 0) return;
    if (down) {
        press(slot);
        heldByCharacter[slot] = false;
    } else {
        release(slot);
    }
}

// The release's character is not one that is held: the key that went up is one whose press
// gave another character, and only a change of modifiers can do that.
void releasePressedUnderOtherModifiers() {
    for (int slot = 0; slot < KEY_SLOTS; ++slot)
        if (heldByCharacter[slot] && pressModifiers[slot] != modifiersNow) release(slot);
}
}

int keySlot(int specialCode) {
    if (specialCode < 0 || specialCode > LAST_READ_SPECIAL_CODE) return -1;
    return specialCode < 100 ? specialCode : specialCode - 87;
}

int keyDown(int slot) {
    if (slot < 0 || slot >= KEY_SLOTS) return 0;
    return keyTable[slot] | pressedThisFrame[slot];
}

void endKeyFrame() {
    for (int& slot : pressedThisFrame) slot = 0;
}

void clearKeys() {
    for (int slot = 0; slot < KEY_SLOTS; ++slot) release(slot);
    modifiersNow = 0;
    endKeyFrame();
}

void setKeyModifiers(int modifiers) { modifiersNow = modifiers; }

void onKeyPress(unsigned char key, int, int) {
    const int slot = key & 0xFF;
    press(slot);
    heldByCharacter[slot] = true;
    pressModifiers[slot] = modifiersNow;
}

void onKeyRelease(unsigned char key, int, int) {
    const int slot = key & 0xFF;
    const bool held = keyTable[slot] != 0;
    // A release with nothing to release still sets its slot to 0.
    release(slot);
    if (!held) releasePressedUnderOtherModifiers();
}
void onSpecialPress(int key, int, int) { setSpecial(key, true); }
void onSpecialRelease(int key, int, int) { setSpecial(key, false); }

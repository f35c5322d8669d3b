#include "app/KeyTable.h"

namespace {
// Keys held now, and keys pressed since the last frame ended (held or already let go).
int keyTable[KEY_SLOTS] = {};
int pressedThisFrame[KEY_SLOTS] = {};
constexpr int LAST_READ_SPECIAL_CODE = 108;  // Insert

void press(int slot) {
    keyTable[slot] = 1;
    pressedThisFrame[slot] = 1;
}

void release(int slot) { keyTable[slot] = 0; }

void setSpecial(int code, bool down) {
    const int slot = keySlot(code);
    if (slot < 0) return;
    if (down)
        press(slot);
    else
        release(slot);
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
    for (int& slot : keyTable) slot = 0;
    endKeyFrame();
}

void onKeyPress(unsigned char key, int, int) { press(key & 0xFF); }
void onKeyRelease(unsigned char key, int, int) { release(key & 0xFF); }
void onSpecialPress(int key, int, int) { setSpecial(key, true); }
void onSpecialRelease(int key, int, int) { setSpecial(key, false); }

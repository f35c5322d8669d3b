#include "app/KeyTable.h"

namespace {
int keyTable[KEY_SLOTS] = {};
constexpr int LAST_READ_SPECIAL_CODE = 108;  // Insert

void setSpecial(int code, int value) {
    const int slot = keySlot(code);
    if (slot >= 0) keyTable[slot] = value;
}
}

int keySlot(int specialCode) {
    if (specialCode < 0 || specialCode > LAST_READ_SPECIAL_CODE) return -1;
    return specialCode < 100 ? specialCode : specialCode - 87;
}

int keyDown(int slot) {
    if (slot < 0 || slot >= KEY_SLOTS) return 0;
    return keyTable[slot];
}

void clearKeys() {
    for (int& slot : keyTable) slot = 0;
}

void onKeyPress(unsigned char key, int, int) { keyTable[key & 0xFF] = 1; }
void onKeyRelease(unsigned char key, int, int) { keyTable[key & 0xFF] = 0; }
void onSpecialPress(int key, int, int) { setSpecial(key, 1); }
void onSpecialRelease(int key, int, int) { setSpecial(key, 0); }

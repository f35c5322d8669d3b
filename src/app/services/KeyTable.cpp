#include "app/services/KeyTable.h"

#include <GL/freeglut.h>

namespace {
// Keys held now, and keys pressed since the last frame ended (held or already let go).
int keyTable[KEY_SLOTS] = {};
int pressedThisFrame[KEY_SLOTS] = {};
// Held keys that read as up until they are let go once.
bool ignoredUntilReleased[KEY_SLOTS] = {};
constexpr int LAST_READ_SPECIAL_CODE = 108;  // Insert

// Slots a character key's press set that no character release has freed yet (a special key's
// code does not change with the modifiers, so its events need no matching), and the modifiers
// held at that press.
bool characterDown[KEY_SLOTS] = {};
int pressModifiers[KEY_SLOTS] = {};
int modifiersNow = 0;

// The two characters of one key, without and with Shift, on the layouts players of this game
// are likely to have: US, then French AZERTY (Latin-1 codes, as the window system gives them).
// Letters are left out: their other case is always the same key.
struct ShiftPair {
    int plain = 0;
    int shifted = 0;
};
constexpr ShiftPair SHIFT_PAIRS[] = {
    {'1', '!'}, {'2', '@'}, {'3', '#'}, {'4', '$'}, {'5', '%'}, {'6', '^'}, {'7', '&'},
    {'8', '*'}, {'9', '('}, {'0', ')'}, {'-', '_'}, {'=', '+'}, {'[', '{'}, {']', '}'},
    {'\\', '|'}, {';', ':'}, {'\'', '"'}, {',', '<'}, {'.', '>'}, {'/', '?'}, {'`', '~'},
    {'&', '1'}, {0xE9, '2'}, {'"', '3'}, {'\'', '4'}, {'(', '5'}, {'-', '6'}, {0xE8, '7'},
    {'_', '8'}, {0xE7, '9'}, {0xE0, '0'}, {')', 0xB0}, {'$', 0xA3}, {0xF9, '%'}, {'*', 0xB5},
    {'<', '>'}, {',', '?'}, {';', '.'}, {':', '/'}, {'!', 0xA7},
};

bool shifted(int modifiers) { return (modifiers & GLUT_ACTIVE_SHIFT) != 0; }

void press(int slot) {
    keyTable[slot] = 1;
    pressedThisFrame[slot] = 1;
    ignoredUntilReleased[slot] = false;
}

void release(int slot) {
    keyTable[slot] = 0;
    ignoredUntilReleased[slot] = false;
}

void releaseCharacter(int slot) {
    release(slot);
    characterDown[slot] = false;
}

void setSpecial(int code, bool down) {
    const int slot = keySlot(code);
    if (slot < 0) return;
    if (down)
        press(slot);
    else
        release(slot);
}

// No press of the release's character is outstanding: the key that went up may have set
// another slot at its press, under other modifiers. Releases the held slots it could have set
// (the letter's other case pressed under other modifiers; the other character of its key,
// pressed on the other side of Shift); false if none is.
bool releaseSameKey(int slot) {
    bool found = false;
    auto take = [&found](int candidate) {
        if (!characterDown[candidate]) return;
        releaseCharacter(candidate);
        found = true;
    };
    // The same letter in the other case: its key, pressed under other modifiers.
    const int otherCase = slot >= 'a' && slot <= 'z'   ? slot - 'a' + 'A'
                          : slot >= 'A' && slot <= 'Z' ? slot - 'A' + 'a'
                                                       : -1;
    if (otherCase >= 0 && pressModifiers[otherCase] != modifiersNow) take(otherCase);
    const bool shiftNow = shifted(modifiersNow);
    for (const ShiftPair& pair : SHIFT_PAIRS) {
        if (shiftNow && pair.shifted == slot && !shifted(pressModifiers[pair.plain])) take(pair.plain);
        if (!shiftNow && pair.plain == slot && shifted(pressModifiers[pair.shifted])) take(pair.shifted);
    }
    return found;
}

// No slot the key that went up could have set is held (a key pressed before the window had
// the focus, or a layout not known here): the key is among those pressed under other modifiers.
void releasePressedUnderOtherModifiers() {
    for (int slot = 0; slot < KEY_SLOTS; ++slot)
        if (characterDown[slot] && pressModifiers[slot] != modifiersNow) releaseCharacter(slot);
}
}

int keySlot(int specialCode) {
    if (specialCode < 0 || specialCode > LAST_READ_SPECIAL_CODE) return -1;
    return specialCode < 100 ? specialCode : specialCode - 87;
}

int keyDown(int slot) {
    if (slot < 0 || slot >= KEY_SLOTS || ignoredUntilReleased[slot]) return 0;
    return keyTable[slot] | pressedThisFrame[slot];
}

int letterDown(int lowerCaseLetter) { return keyDown(lowerCaseLetter) | keyDown(lowerCaseLetter - 'a' + 'A'); }

void endKeyFrame() {
    for (int& slot : pressedThisFrame) slot = 0;
}

void clearKeys() {
    for (int slot = 0; slot < KEY_SLOTS; ++slot) releaseCharacter(slot);
    modifiersNow = 0;
    endKeyFrame();
}

void ignoreHeldKeys(int exceptSlot) {
    for (int slot = 0; slot < KEY_SLOTS; ++slot)
        if (keyTable[slot] && slot != exceptSlot) ignoredUntilReleased[slot] = true;
}

void setKeyModifiers(int modifiers) { modifiersNow = modifiers; }

void onKeyPress(unsigned char key, int, int) {
    const int slot = key & 0xFF;
    press(slot);
    characterDown[slot] = true;
    pressModifiers[slot] = modifiersNow;
}

void onKeyRelease(unsigned char key, int, int) {
    const int slot = key & 0xFF;
    const bool matched = characterDown[slot];
    // A release with nothing to release still sets its slot to 0.
    releaseCharacter(slot);
    if (!matched && !releaseSameKey(slot)) releasePressedUnderOtherModifiers();
}
void onSpecialPress(int key, int, int) { setSpecial(key, true); }
void onSpecialRelease(int key, int, int) { setSpecial(key, false); }

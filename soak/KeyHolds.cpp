#include "KeyHolds.h"

#include "app/services/KeyTable.h"

#include <GL/freeglut.h>

#include <cctype>

KeyHolds::KeyHolds(unsigned seed) : random_(seed), shift_{true, GLUT_KEY_SHIFT_L, 200, 80} {
    // Thrust is held most of the time, so that the pod gets somewhere; the view distance
    // keys only briefly, so that it wanders without running off; the rest in between. Enter
    // ('\r') shares the left arrow's slot; '+' is Shift and '='.
    keys_ = {
        {false, 'w', 10, 300}, {false, 'x', 150, 40}, {true, GLUT_KEY_LEFT, 60, 40},
        {false, '\r', 200, 20}, {true, GLUT_KEY_RIGHT, 60, 40}, {false, '7', 120, 30},
        {false, '1', 120, 30}, {true, GLUT_KEY_DOWN, 80, 30}, {true, GLUT_KEY_UP, 80, 30},
        {false, 'c', 150, 60}, {false, ' ', 100, 5}, {true, GLUT_KEY_PAGE_UP, 300, 4},
        {true, GLUT_KEY_PAGE_DOWN, 300, 4}, {false, '=', 100, 25}, {true, GLUT_KEY_F1, 200, 5},
        {true, GLUT_KEY_F2, 200, 5}, {true, GLUT_KEY_F3, 200, 5}, {false, '0', 150, 5},
        {false, '.', 150, 5}, {true, GLUT_KEY_HOME, 300, 3},
    };
}

void KeyHolds::advance() {
    hold(shift_);  // first: the other keys' events this frame come with Shift as it is now
    for (Key& key : keys_) hold(key);
}

void KeyHolds::hold(Key& key) {
    if (key.heldFor > 0) {
        if (--key.heldFor == 0) release(key);
    } else if (std::uniform_int_distribution<int>(1, key.meanRest)(random_) == 1) {
        key.heldFor = std::uniform_int_distribution<int>(1, key.longestHold)(random_);
        press(key);
    }
}

void KeyHolds::releaseAll() {
    for (Key& key : keys_) {
        if (key.heldFor > 0) release(key);
        key.heldFor = 0;
    }
    if (shift_.heldFor > 0) release(shift_);
    shift_.heldFor = 0;
    setKeyModifiers(0);
}

int KeyHolds::lostCharacter() const {
    for (const Key& key : keys_)
        if (!key.special && key.heldFor > 0 && key.code != '\r' && !keyDown(key.pressedAs)) return key.pressedAs;
    return -1;
}

// What the key gives with Shift as held now, on a US keyboard.
int KeyHolds::character(const Key& key) const {
    if (shift_.heldFor == 0) return key.code;
    switch (key.code) {
    case '1': return '!';
    case '7': return '&';
    case '0': return ')';
    case '.': return '>';
    case '=': return '+';
    default: return std::toupper(key.code);
    }
}

void KeyHolds::press(Key& key) {
    if (key.special) {
        onSpecialPress(key.code, 0, 0);
        return;
    }
    key.pressedAs = character(key);
    setKeyModifiers(shift_.heldFor > 0 ? GLUT_ACTIVE_SHIFT : 0);
    onKeyPress(static_cast<unsigned char>(key.pressedAs), 0, 0);
}

void KeyHolds::release(const Key& key) {
    if (key.special) {
        onSpecialRelease(key.code, 0, 0);
        return;
    }
    setKeyModifiers(shift_.heldFor > 0 ? GLUT_ACTIVE_SHIFT : 0);
    onKeyRelease(static_cast<unsigned char>(character(key)), 0, 0);
}

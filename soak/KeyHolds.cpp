#include "KeyHolds.h"

#include "app/KeyTable.h"

#include <GL/freeglut.h>

KeyHolds::KeyHolds(unsigned seed) : random_(seed) {
    // Thrust is held most of the time, so that the pod gets somewhere; the view distance
    // keys only briefly, so that it wanders without running off; the rest in between. Enter
    // ('\r') shares the left arrow's slot.
    keys_ = {
        {false, 'w', 10, 300}, {false, 'x', 150, 40}, {true, GLUT_KEY_LEFT, 60, 40},
        {false, '\r', 200, 20}, {true, GLUT_KEY_RIGHT, 60, 40}, {false, '7', 120, 30},
        {false, '1', 120, 30}, {true, GLUT_KEY_DOWN, 80, 30}, {true, GLUT_KEY_UP, 80, 30},
        {false, 'c', 150, 60}, {false, ' ', 100, 5}, {true, GLUT_KEY_PAGE_UP, 300, 4},
        {true, GLUT_KEY_PAGE_DOWN, 300, 4}, {false, '+', 250, 25}, {true, GLUT_KEY_F1, 200, 5},
        {true, GLUT_KEY_F2, 200, 5}, {true, GLUT_KEY_F3, 200, 5}, {false, '0', 150, 5},
        {false, '.', 150, 5},
    };
}

void KeyHolds::advance() {
    for (Key& key : keys_) {
        if (key.heldFor > 0) {
            if (--key.heldFor == 0) release(key);
        } else if (std::uniform_int_distribution<int>(1, key.meanRest)(random_) == 1) {
            key.heldFor = std::uniform_int_distribution<int>(1, key.longestHold)(random_);
            press(key);
        }
    }
}

void KeyHolds::releaseAll() {
    for (Key& key : keys_) {
        if (key.heldFor > 0) release(key);
        key.heldFor = 0;
    }
}

void KeyHolds::press(const Key& key) {
    if (key.special)
        onSpecialPress(key.code, 0, 0);
    else
        onKeyPress(static_cast<unsigned char>(key.code), 0, 0);
}

void KeyHolds::release(const Key& key) {
    if (key.special)
        onSpecialRelease(key.code, 0, 0);
    else
        onKeyRelease(static_cast<unsigned char>(key.code), 0, 0);
}

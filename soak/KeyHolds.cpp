#include "KeyHolds.h"

#include "app/KeyTable.h"

namespace {
// GLUT's codes for the special keys the race reads.
constexpr int F1 = 1, F2 = 2, F3 = 3;
constexpr int LEFT = 100, UP = 101, RIGHT = 102, DOWN = 103, PAGE_UP = 104, PAGE_DOWN = 105;
}

KeyHolds::KeyHolds(unsigned seed) : random_(seed) {
    // Thrust is held most of the time, so that the pod gets somewhere; the view distance
    // keys only briefly, so that it wanders without running off; the rest in between.
    keys_ = {
        {false, 'w', 10, 300},     {false, 'x', 150, 40},   {true, LEFT, 60, 40},     {false, 13, 200, 20},
        {true, RIGHT, 60, 40},     {false, '7', 120, 30},   {false, '1', 120, 30},    {true, DOWN, 80, 30},
        {true, UP, 80, 30},        {false, 'c', 150, 60},   {false, ' ', 100, 5},     {true, PAGE_UP, 300, 4},
        {true, PAGE_DOWN, 300, 4}, {false, '+', 250, 25},   {true, F1, 200, 5},       {true, F2, 200, 5},
        {true, F3, 200, 5},        {false, '0', 150, 5},    {false, '.', 150, 5},
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

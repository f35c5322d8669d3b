#pragma once

#include <random>
#include <vector>

// Random holds of every key the race reads, pressed and released through the window's own
// key callbacks, and of Shift, which changes the character keys' characters as a US keyboard
// does ('w' and 'W', '1' and '!', '=' and '+'), so that a key may come up as another
// character than it went down as. Each key rests for a random while, then is held for a
// random number of frames; the same seed gives the same holds.
class KeyHolds {
public:
    explicit KeyHolds(unsigned seed);

    // One frame: ends the holds that are over and starts new ones.
    void advance();
    // Lets go of every key that is held, Shift last.
    void releaseAll();
    // The character a held key went down as, when the key table reads its slot as up; else -1.
    // Enter is left out: the left arrow's release frees its slot by design.
    int lostCharacter() const;

private:
    struct Key {
        bool special = false;  // a special key code, else a character (the one without Shift)
        int code = 0;
        int meanRest = 0;  // frames between holds, on average
        int longestHold = 0;
        int heldFor = 0;  // frames of hold left; 0 when up
        int pressedAs = 0;  // the character its press gave
    };
    void hold(Key& key);
    void press(Key& key);
    void release(const Key& key);
    int character(const Key& key) const;

    std::mt19937 random_;
    std::vector<Key> keys_;
    Key shift_;  // a special key to the window system, which sets no slot
};

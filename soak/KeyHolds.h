#pragma once

#include <random>
#include <vector>

// Random holds of every key the race reads, pressed and released through the window's own
// key callbacks. Each key rests for a random while, then is held for a random number of
// frames; the same seed gives the same holds.
class KeyHolds {
public:
    explicit KeyHolds(unsigned seed);

    // One frame: ends the holds that are over and starts new ones.
    void advance();
    // Lets go of every key that is held.
    void releaseAll();

private:
    struct Key {
        bool special;  // a special key code, else a character
        int code;
        int meanRest;  // frames between holds, on average
        int longestHold;
        int heldFor = 0;  // frames of hold left; 0 when up
    };
    void press(const Key& key);
    void release(const Key& key);

    std::mt19937 random_;
    std::vector<Key> keys_;
};

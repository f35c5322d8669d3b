#pragma once

#include <cstdint>

// Milliseconds of the monotonic clock, truncated to 32 bits. Every elapsed time in the game
// is an unsigned 32-bit difference of two readings, so it stays right across the wrap.
std::uint32_t clockMs();

// The one seam for time in tests: clockMs returns ms until the next call.
void setTestClock(std::uint32_t ms);
// Back to the platform clock.
void useRealClock();

// Busy-waits until clockMs has advanced by at least ms. The whole game freezes meanwhile
// (it is the menu's and the race exit's only key-repeat control). Under a test clock the
// wait moves the test clock forward itself instead of spinning for ever.
void waitMs(std::uint32_t ms);

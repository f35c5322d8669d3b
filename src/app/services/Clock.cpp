#include "app/services/Clock.h"

#include <chrono>

namespace {
bool testClockSet = false;
std::uint32_t testClockValue = 0;
}

std::uint32_t clockMs() {
    if (testClockSet) return testClockValue;
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void setTestClock(std::uint32_t ms) {
    testClockSet = true;
    testClockValue = ms;
}

void useRealClock() { testClockSet = false; }

void waitMs(std::uint32_t ms) {
    const std::uint32_t start = clockMs();
    while (static_cast<std::uint32_t>(clockMs() - start) < ms) {
        if (testClockSet) testClockValue = start + ms;
    }
}

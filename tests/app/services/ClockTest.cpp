#include "app/services/Clock.h"

#include <gtest/gtest.h>

class ClockTest : public testing::Test {
protected:
    void TearDown() override { useRealClock(); }
};

TEST_F(ClockTest, TestClockHoldsItsValueUntilTheNextCall) {
    setTestClock(1234);
    EXPECT_EQ(clockMs(), 1234u);
    EXPECT_EQ(clockMs(), 1234u);
    setTestClock(0xFFFFFFF0u);
    EXPECT_EQ(clockMs(), 0xFFFFFFF0u);
}

TEST_F(ClockTest, WaitAdvancesATestClockAcrossTheWrap) {
    setTestClock(0xFFFFFF00u);
    waitMs(500);
    const std::uint32_t now = clockMs();
    EXPECT_EQ(now, 0xFFFFFF00u + 500u);
    EXPECT_LT(now, 500u) << "the clock wrapped";
    EXPECT_EQ(static_cast<std::uint32_t>(now - 0xFFFFFF00u), 500u);
}

TEST_F(ClockTest, RealClockMovesForward) {
    useRealClock();
    const std::uint32_t start = clockMs();
    waitMs(2);
    EXPECT_GE(static_cast<std::uint32_t>(clockMs() - start), 2u);
}

#include "race/Hud.h"

#include "entities/Entity.h"

#include <gtest/gtest.h>

// Hundredths always in two digits: 30.04 s must not read as 30.4.
TEST(HudText, RaceTimeShowsMinutesSecondsAndHundredthsInTwoCellsEach) {
    EXPECT_EQ(raceTimeText(83456), " 1' 23\" 45");
    EXPECT_EQ(raceTimeText(30040), " 0' 30\" 04");
    EXPECT_EQ(raceTimeText(61 * 60 * 1000 + 5 * 1000 + 70), "61'  5\" 07");
    EXPECT_EQ(raceTimeText(0), " 0'  0\" 00");
}

TEST(HudText, SpeedIsTheVelocityOverFiftyTruncated) {
    EXPECT_EQ(speedText(Vector3(0, 0, 0)), "  0");
    EXPECT_EQ(speedText(Vector3(3000, 0, 4000)), "100");  // length 5000
    EXPECT_EQ(speedText(Vector3(0, -99.9, 0)), "  1");
    EXPECT_EQ(speedText(Vector3(50000, 0, 0)), "1000");  // four cells, narrower glyphs
    // Absurd speeds still give a number, never an undefined conversion.
    EXPECT_EQ(speedText(Vector3(1e300, 0, 0)), "999999");
}

TEST(HudText, RankLapsMoneyAndBoost) {
    EXPECT_EQ(twoDigitText(1), " 1");
    EXPECT_EQ(twoDigitText(11), "11");
    EXPECT_EQ(twoDigitText(123), "123");
    EXPECT_EQ(boostText(2000), "2.0");
    EXPECT_EQ(boostText(0), "0.0");
    EXPECT_EQ(boostText(1989), "2.0");
    EXPECT_EQ(boostText(-11), "-0.0");
    EXPECT_EQ(boostText(12345), "12.3");
}

namespace {
class StubPod : public Entity {
public:
    StubPod() : Entity(nullptr, KIND_AI_POD) {}
    void update() override {}
};
}

TEST(HudText, RankIsThePlaceInTheRankedListAndOneWhenAbsent) {
    StubPod a, b, c, outsider;
    const std::vector<Entity*> pods{&a, &b, &c};
    EXPECT_EQ(rankOf(pods, &a), 0);
    EXPECT_EQ(rankOf(pods, &c), 2);
    EXPECT_EQ(rankOf(pods, &outsider), 0);
}

TEST(HudFrameRate, TheFirstCountOpensAWindowAtOnceAndShowsOne) {
    FrameRateCounter counter;
    EXPECT_EQ(counter.text(), "");
    EXPECT_EQ(counter.countFrame(5000), 5000u);
    EXPECT_EQ(counter.text(), "  1");
}

TEST(HudFrameRate, AWindowClosesOnlyAfterMoreThanASecond) {
    FrameRateCounter counter;
    counter.countFrame(10000);
    for (std::uint32_t t = 10010; t <= 11000; t += 10) counter.countFrame(t);  // 100 frames
    EXPECT_EQ(counter.text(), "  1");  // 1000 ms is not more than 1000
    EXPECT_EQ(counter.countFrame(11001), 1001u);
    EXPECT_EQ(counter.text(), "101");
    // The window elapsed time is an unsigned difference: it survives the clock's wrap.
    FrameRateCounter wrapping;
    wrapping.countFrame(0xFFFFFF00u);
    EXPECT_EQ(wrapping.countFrame(0x100u), 0x200u);
}

TEST(HudMissileSign, BlinksWithTheWindowAndHidesInItsFirstFrame) {
    FrameRateCounter counter;
    counter.countFrame(20000);
    EXPECT_TRUE(missileSignShown(1, counter.countFrame(20100)));
    EXPECT_TRUE(missileSignShown(1, counter.countFrame(20499)));
    EXPECT_FALSE(missileSignShown(1, counter.countFrame(20500)));
    EXPECT_FALSE(missileSignShown(1, counter.countFrame(21000)));
    // The first frame of a new window still reads the old window's time: hidden.
    EXPECT_FALSE(missileSignShown(1, counter.countFrame(21001)));
    EXPECT_TRUE(missileSignShown(1, counter.countFrame(21002)));
    EXPECT_FALSE(missileSignShown(0, 0));
}

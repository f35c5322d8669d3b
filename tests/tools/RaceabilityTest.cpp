#include "content/AiFlight.h"
#include "content/Circuits.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct Raced {
    Circuit circuit;
    HeightGrid grid;
    explicit Raced(int index) : circuit(buildCircuit(index)), grid(circuit.heightmap, circuit.design->heightScale, circuit.design->gridSpacing) {}
};

const Raced& raced(int index) {
    static const Raced circuits[CIRCUIT_COUNT] = {Raced(0), Raced(1), Raced(2)};
    return circuits[index];
}

}  // namespace

class Raceability : public ::testing::TestWithParam<int> {};

TEST_P(Raceability, ComputerPodsLapWithoutTouchingTheGroundAtAnyFrameRate) {
    const Raced& r = raced(GetParam());
    for (double frameMs : {8.0, 16.0, 33.0})
        for (double offset : {-2500.0, 0.0, 2900.0}) {
            FlightSettings settings;
            settings.frameMs = frameMs;
            settings.sideOffset = offset;
            settings.laps = 2;
            settings.timeLimitMs = 240000;
            FlightResult flight = simulateAiFlight(r.grid, settings);
            EXPECT_TRUE(flight.finished) << frameMs << " ms, offset " << offset << ": " << flight.laps << " laps";
            EXPECT_EQ(flight.groundContacts, 0) << frameMs << " ms, offset " << offset;
        }
}

TEST_P(Raceability, PodsFlyingTheLineTakeBonusesOfEveryKind) {
    const Raced& r = raced(GetParam());
    const auto& bonuses = r.circuit.bonuses;
    std::set<int> kinds;
    for (const GridMarker& b : bonuses) kinds.insert(b.value);
    EXPECT_EQ(kinds, (std::set<int>{BONUS_BOOST, BONUS_MONEY, BONUS_RELOAD}));
    EXPECT_GE(bonuses.size(), 12u);
    EXPECT_LT(bonuses.size(), 255u);
    for (double frameMs : {10.0, 16.0, 33.0}) {
        FlightSettings settings;
        settings.frameMs = frameMs;
        settings.laps = 3;
        FlightResult flight = simulateAiFlight(r.grid, settings);
        std::set<int> taken;
        for (std::size_t k = 0; k < bonuses.size(); ++k) {
            Vector3 b = bonusPosition(r.grid, bonuses[k].x, bonuses[k].y);
            for (const FlightSample& s : flight.path)
                if (s.lap == 2 && podTouchesBonus(s.position, b)) taken.insert(bonuses[k].value);
        }
        EXPECT_EQ(taken.size(), 3u) << frameMs << " ms: a lap takes some of every kind";
    }
}

TEST_P(Raceability, TrackIsOfSensibleLength) {
    const Circuit& c = raced(GetParam()).circuit;
    EXPECT_GE(c.checkpoints.size(), 12u);
    EXPECT_LE(c.checkpoints.size(), 40u);
    EXPECT_GT(c.centreLineLength(), 500000);
    EXPECT_LT(c.centreLineLength(), 2000000);
}

INSTANTIATE_TEST_SUITE_P(Circuits, Raceability, ::testing::Values(0, 1, 2));

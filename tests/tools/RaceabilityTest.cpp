#include "content/Circuits.h"
#include "content/PodFlight.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct Raced {
    Circuit circuit;
    CircuitFlights flights;
    explicit Raced(int index)
        : circuit(buildCircuit(index)), flights(circuit.heightmap, circuit.design->heightScale, circuit.design->gridSpacing) {}
};

const Raced& raced(int index) {
    static const Raced circuits[CIRCUIT_COUNT] = {Raced(0), Raced(1), Raced(2)};
    return circuits[index];
}

}  // namespace

class Raceability : public ::testing::TestWithParam<int> {};

TEST_P(Raceability, ComputerPodsLapWithoutTouchingTheGroundAtAnyFrameRate) {
    const Raced& r = raced(GetParam());
    for (std::uint32_t frameMs : {8u, 16u, 33u})
        for (double offset : {-2500.0, 0.0, 2900.0}) {
            FlightSettings settings;
            settings.frameMs = frameMs;
            settings.sideOffset = offset;
            settings.laps = 2;
            settings.timeLimitMs = 240000;
            FlightResult flight = r.flights.fly(settings);
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
    for (std::uint32_t frameMs : {10u, 16u, 33u}) {
        FlightSettings settings;
        settings.frameMs = frameMs;
        settings.laps = 3;
        settings.withBonuses = true;
        std::set<int> taken;
        for (const BonusPickUp& p : r.flights.fly(settings).pickUps)
            if (p.lap == 2) taken.insert(p.kind);
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

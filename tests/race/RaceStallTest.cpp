#include "race/Race.h"

#include "entities/EntitySupport.h"

#include "app/services/Clock.h"
#include "app/services/KeyTable.h"
#include "content/Circuits.h"
#include "content/Models.h"
#include "race/RaceSetup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {
constexpr std::uint32_t FRAME_MS = 16;
constexpr std::uint32_t ONE_HOUR_MS = 60 * 60 * 1000;

// The first circuit as the game builds it, with the real models' boxes, raced without
// drawing on the test clock.
class RaceStall : public testing::Test {
protected:
    void SetUp() override {
        std::srand(1);
        clearKeys();
        setCameraIndex(0);
        setViewDistance(START_VIEW_DISTANCE);
        setTestClock(now_);
        const Circuit circuit = buildCircuit(0);
        race_ = std::make_unique<Race>(std::make_unique<Terrain>(
            Vector3(0, 0, 0), circuit.heightmap, circuit.design->heightScale, circuit.design->gridSpacing));
        setCurrentTerrain(race_->terrain());
        for (const ModelAsset& asset : buildModels())  // pod, missile, three bonuses: the race's order
            race_->addModel(std::make_unique<BoxModel>(asset.mesh.box));
        populateRace(*race_);
        // The grid is centred on the origin.
        halfWidth_ = std::max(race_->terrain()->columns(), race_->terrain()->rows()) / 2 * circuit.design->gridSpacing;
    }
    void TearDown() override {
        race_.reset();
        setCurrentTerrain(nullptr);
        setCameraIndex(0);
        useRealClock();
    }

    void run(std::uint32_t ms) {
        for (std::uint32_t t = 0; t < ms; t += FRAME_MS) frame(FRAME_MS);
    }
    void frame(std::uint32_t ms) {
        setTestClock(now_ += ms);
        race_->runFrame(false);
        for (int i = 0; i < race_->entityCount(); ++i) {
            // A missile once fired flies straight on until it strikes, off the map or not.
            if (isMissileKind(race_->entityAt(i)->kind())) continue;
            const Vector3 p = race_->entityAt(i)->body()->position();
            farthest_ = std::max({farthest_, std::fabs(p.x) - halfWidth_, std::fabs(p.z) - halfWidth_});
        }
    }

    // Races for two minutes after a stall in mid-race; false unless every AI pod laps again.
    bool everyAiPodLapsAfter(std::uint32_t stallMs) {
        run(30000);
        std::vector<int> lapsBefore;
        for (int i = 1; i <= AI_POD_COUNT; ++i) lapsBefore.push_back(race_->entityAt(i)->laps());
        frame(stallMs);
        run(120000);
        for (int i = 1; i <= AI_POD_COUNT; ++i)
            if (race_->entityAt(i)->laps() <= lapsBefore[i - 1]) return false;
        return true;
    }

    std::uint32_t now_ = 1000000;
    std::unique_ptr<Race> race_;
    double halfWidth_ = 0.0;
    double farthest_ = 0.0;  // how far a pod or a bonus has gone beyond the terrain's edges
};
}

TEST_F(RaceStall, FiveSecondsOfStallAndEveryAiPodLapsAgain) {
    EXPECT_TRUE(everyAiPodLapsAfter(5000));
    EXPECT_LE(farthest_, 0.0);
}

TEST_F(RaceStall, AnHourOfStallAndEveryAiPodLapsAgain) {
    EXPECT_TRUE(everyAiPodLapsAfter(ONE_HOUR_MS));
    EXPECT_LE(farthest_, 0.0);
}

#include "race/Race.h"

#include "HeadlessRace.h"

#include "app/services/Clock.h"
#include "app/services/KeyTable.h"
#include "entities/Missile.h"
#include "race/RaceSetup.h"
#include "support/GlContext.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {
// Where everything stands after a race: every body, the ranking and the missiles' targets.
struct RaceState {
    std::vector<double> numbers;
    std::vector<int> ranking;
    std::vector<int> targets;
    bool operator==(const RaceState& other) const {
        return numbers == other.numbers && ranking == other.ranking && targets == other.targets;
    }
};

int indexOf(const Race& race, const Entity* entity) {
    for (int i = 0; i < race.entityCount(); ++i)
        if (race.entityAt(i) == entity) return i;
    return -1;
}

// Three hundred frames with the thrust and the fire keys held, drawn or not.
RaceState play(bool draw) {
    clearKeys();
    setCameraIndex(0);
    std::srand(7);
    setTestClock(5000000);
    auto race = headlessRace({255, 254, 253});
    populateRace(*race);
    onKeyPress('w', 0, 0);
    onKeyPress(' ', 0, 0);
    for (int frame = 0; frame < 300; ++frame) {
        setTestClock(clockMs() + 16);
        race->runFrame(draw);
    }
    clearKeys();

    RaceState state;
    for (int i = 0; i < race->entityCount(); ++i) {
        const Body& body = *race->entityAt(i)->body();
        for (const Vector3& v : {body.position(), body.lookPoint(), body.velocity()})
            state.numbers.insert(state.numbers.end(), {v.x, v.y, v.z});
        if (isMissileKind(race->entityAt(i)->kind()))
            state.targets.push_back(indexOf(*race, static_cast<const Missile*>(race->entityAt(i))->target()));
    }
    for (const Entity* pod : race->pods()) state.ranking.push_back(indexOf(*race, pod));
    return state;
}
}

// The soak runs most race frames without drawing: they must run the very same race.
TEST(HeadlessFrame, RunsTheSameRaceAsTheDrawnFrame) {
    REQUIRE_GL_CONTEXT();
    const RaceState drawn = play(true);
    const RaceState headless = play(false);
    useRealClock();
    EXPECT_TRUE(drawn == headless);
    EXPECT_NE(drawn.targets, std::vector<int>(drawn.targets.size(), -1)) << "missiles were aimed";
}

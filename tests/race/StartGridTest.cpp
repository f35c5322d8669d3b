#include "race/Race.h"

#include "app/services/Clock.h"
#include "app/services/KeyTable.h"
#include "entities/Entity.h"
#include "motion/Body.h"
#include "race/CircuitTable.h"
#include "race/RaceSetup.h"
#include "support/GlContext.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {
// The pods and the world as the race's drawing shows them, without the head-up display.
std::vector<std::uint8_t> drawModels(const Race& race) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    race.applyView();
    race.drawEntities();
    return GlContext::readPixels();
}

class StartGrid : public testing::Test {
protected:
    void SetUp() override {
        if (!GlContext::makeCurrent()) GTEST_FAIL() << "no offscreen OpenGL context";
        GlContext::setGameState();
        clearKeys();
        setCameraIndex(0);
        setTestClock(3000000);
    }
    void TearDown() override {
        destroyCurrentRace();
        useRealClock();
    }
};
}

// Every circuit the generator writes, set up by the game itself: the player starts in the
// AI pods' row but touches none of them, so the contacts of the start leave it at rest.
TEST_F(StartGrid, ThePlayerStartsInTheRowClearOfEveryAiPodAndNoContactPushesIt) {
    for (int circuit = 0; circuit < 3; ++circuit) {
        setUpRace(CIRCUITS[circuit]);
        Race& race = *currentRace();
        Body& player = *race.entityAt(0)->body();
        const Vector3 start = player.position();
        race.think();  // every box where its pod stands
        for (int i = 1; i <= AI_POD_COUNT; ++i) {
            const Vector3 offset = race.entityAt(i)->body()->position() - start;
            EXPECT_NEAR(dot(offset, player.frame().forward()), 0.0, 1e-6) << circuit << ": in the row";
            EXPECT_FALSE(race.entityAt(0)->box().overlaps(race.entityAt(i)->box())) << circuit << ": AI pod " << i;
        }
        setTestClock(clockMs() + 16);
        race.collide();
        race.moveBodies();
        EXPECT_EQ(player.velocity(), Vector3(0, 0, 0)) << circuit;
        EXPECT_EQ(player.position(), start) << circuit;
        destroyCurrentRace();
    }
}

// The loading screen leaves its red text colour current and nothing has moved yet; the first
// frame still shows the models in their own colours and the pods already ranked.
// On every circuit: the pods ahead are in view at the start, however briefly a busy machine
// shows that frame.
TEST_F(StartGrid, TheFirstFrameShowsTheModelsInTheirColoursAndARanking) {
    for (int circuit = 0; circuit < CIRCUIT_COUNT; ++circuit) {
        setUpRace(CIRCUITS[circuit]);
        const Race& race = *currentRace();
        glColor3f(1.0f, 0.1f, 0.1f);
        const std::vector<std::uint8_t> afterRed = drawModels(race);
        glColor3f(1.0f, 1.0f, 1.0f);
        EXPECT_TRUE(afterRed == drawModels(race)) << circuit;
        EXPECT_GT(std::count_if(afterRed.begin(), afterRed.end(), [](std::uint8_t b) { return b != 0; }), 10000)
            << "the pods are in view on circuit " << circuit;

        const std::vector<Entity*> ranked = race.pods();
        for (std::size_t i = 1; i < ranked.size(); ++i)
            EXPECT_GT(ranked[i - 1]->progress(), ranked[i]->progress()) << circuit << ": " << i;
        destroyCurrentRace();
    }
}

#include "race/Race.h"

#include "app/services/Clock.h"
#include "app/services/KeyTable.h"
#include "entities/Entity.h"
#include "entities/Missile.h"
#include "motion/Body.h"
#include "race/RaceSetup.h"
#include "support/GlContext.h"
#include "terrain/Terrain.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {
constexpr int PLAYER_MISSILE = 1 + AI_POD_COUNT;

// The first circuit two seconds after the start, once the pods beside the player have moved
// off, seen from the given distance behind the player (0: its cockpit).
void raceFirstCircuit(double cameraDistance) {
    clearKeys();
    setCameraIndex(0);
    std::srand(11);
    setTestClock(9000000);
    setUpRace(CIRCUITS[0]);
    currentRace()->setView(0, cameraDistance);
    for (int frame = 0; frame < 120; ++frame) {
        setTestClock(clockMs() + 16);
        currentRace()->runFrame(false);
    }
}

// The race frame's world (the head-up display left out: its frame counter moves on its own).
std::vector<std::uint8_t> drawWorldPixels() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    Race& race = *currentRace();
    race.applyView();
    race.drawEntities();
    race.terrain()->draw(race.camera());
    race.terrain()->drawSky();
    return GlContext::readPixels();
}

// Pixels that change when the player's docked missile leaves play, counted within the given
// columns and rows (fractions of the screen from the bottom left).
int pixelsTheDockedMissileChanges(double x0, double y0, double x1, double y1) {
    drawWorldPixels();  // the fog and lights one race frame leaves for the next
    const std::vector<std::uint8_t> docked = drawWorldPixels();
    currentRace()->entityAt(PLAYER_MISSILE)->body()->moveUp(-10000.0);
    const std::vector<std::uint8_t> away = drawWorldPixels();
    int changed = 0;
    for (int y = int(y0 * GlContext::HEIGHT); y < int(y1 * GlContext::HEIGHT); ++y)
        for (int x = int(x0 * GlContext::WIDTH); x < int(x1 * GlContext::WIDTH); ++x) {
            const std::size_t at = (static_cast<std::size_t>(y) * GlContext::WIDTH + x) * 4;
            if (docked[at] != away[at] || docked[at + 1] != away[at + 1] || docked[at + 2] != away[at + 2])
                ++changed;
        }
    return changed;
}

class DockedMissile : public testing::Test {
protected:
    void SetUp() override {
        if (!GlContext::makeCurrent()) GTEST_FAIL() << "no offscreen OpenGL context";
        GlContext::setGameState();
    }
    void TearDown() override {
        destroyCurrentRace();
        clearKeys();
        setCameraIndex(0);
        useRealClock();
    }
};
}

TEST_F(DockedMissile, StaysOutOfTheCockpitViewAndRidesOnThePodInTheChaseView) {
    raceFirstCircuit(0.0);
    ASSERT_EQ(currentRace()->entityAt(PLAYER_MISSILE)->kind(), KIND_PLAYER_MISSILE);
    const int cockpit = pixelsTheDockedMissileChanges(0, 0, 1, 1);
    EXPECT_LT(cockpit, GlContext::WIDTH * GlContext::HEIGHT / 200) << "under 0.5 % of the cockpit view";
    destroyCurrentRace();

    // The chase camera looks down on the pod, drawn about the middle of the lower half.
    raceFirstCircuit(2000.0);
    EXPECT_GT(pixelsTheDockedMissileChanges(0.35, 0.2, 0.65, 0.5), 500);
}

using MissileStrike = DockedMissile;

// The first AI pod's missile put on the player's pod: the next frame's contacts strike it, and
// the picture flashes there for a moment, drawn from the race's record.
TEST_F(MissileStrike, FlashesBrieflyWhereItStruck) {
    raceFirstCircuit(2000.0);
    Race& race = *currentRace();
    auto& missile = static_cast<Missile&>(*race.entityAt(PLAYER_MISSILE + 1));
    missile.docked() = 0;
    missile.body()->shift(race.entityAt(0)->body()->position() - missile.body()->position());
    race.think();
    race.collide();
    ASSERT_EQ(race.record().impacts()[0].seen, true);
    const std::uint32_t struck = clockMs();
    auto brightPixels = [&](std::uint32_t at) {
        setTestClock(at);
        drawWorldPixels();
        race.drawImpacts();
        const std::vector<std::uint8_t> pixels = GlContext::readPixels();
        int bright = 0;
        for (std::size_t p = 0; p < pixels.size(); p += 4) bright += pixels[p] > 240 && pixels[p + 1] > 200;
        return bright;
    };
    const int flash = brightPixels(struck + 50), after = brightPixels(struck + 400);
    EXPECT_GT(flash, after + 2000) << flash << " bright pixels in the flash, " << after << " after it";
}

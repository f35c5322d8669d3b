#include "race/Race.h"

#include "app/services/Clock.h"
#include "app/services/KeySlots.h"
#include "app/services/KeyTable.h"
#include "app/MenuScene.h"
#include "app/Scene.h"
#include "sound/Sound.h"

namespace {
unsigned int followedEntity = 0;
int currentViewDistance = START_VIEW_DISTANCE;
std::unique_ptr<Race> race;

// Escape must be let go within this time, or the menu that follows quits too.
constexpr std::uint32_t LEAVE_WAIT_MS = 500;
}

unsigned int cameraIndex() { return followedEntity; }
void setCameraIndex(unsigned int index) { followedEntity = index; }
int viewDistance() { return currentViewDistance; }
void setViewDistance(int distance) { currentViewDistance = distance; }

Race* currentRace() { return race.get(); }
void setCurrentRace(std::unique_ptr<Race> next) { race = std::move(next); }
void destroyCurrentRace() { race.reset(); }

void raceScene() {
    if (!race) return;
    race->runFrame();
    // The sound reads what the frame left, never the other way round.
    updateRaceSound(*race);
    if (keyDown(KEY_ESCAPE)) {
        leaveRaceSound();  // at once, not after the wait
        destroyCurrentRace();
        setScene(menuScene);
        waitMs(LEAVE_WAIT_MS);
    }
}

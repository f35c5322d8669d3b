#include "app/RaceScene.h"

#include "app/MenuScene.h"
#include "app/Scene.h"
#include "app/services/Clock.h"
#include "app/services/KeySlots.h"
#include "app/services/KeyTable.h"
#include "race/Race.h"
#include "race/RaceSetup.h"
#include "sound/Sound.h"

namespace {
// Escape must be let go within this time, or the menu that follows quits too.
constexpr std::uint32_t LEAVE_WAIT_MS = 500;
}

void setupScene() {
    setUpRace(CIRCUITS[chosenCircuit()]);
    setScene(raceScene);
    // The Space that chose the circuit, still down, must not fire; nor does any other key
    // held since the menu act before it is pressed anew. Escape keeps its own wait.
    ignoreHeldKeys(KEY_ESCAPE);
}

void raceScene() {
    Race* race = currentRace();
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

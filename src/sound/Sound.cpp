#include "sound/Sound.h"

#include "app/Clock.h"
#include "sound/OpenAlOutput.h"
#include "sound/RaceSounds.h"

#include <cstdio>
#include <cstdlib>

namespace {
std::unique_ptr<OpenAlOutput> output;
RaceSounds raceSounds;
RaceState lastState;
}

void startSound(bool mute) {
    if (mute || output) return;
    // OpenAL reads its log level on its first call; an error it would print is ours to tell.
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    output = OpenAlOutput::open();
    if (!output) {
        std::fprintf(stderr, "brenvask: no sound device could be opened; playing without sound\n");
        return;
    }
    std::atexit(stopSound);
}

void stopSound() { output.reset(); }

bool soundOn() { return output != nullptr; }

void playMenuSound(SoundId id) {
    if (output) output->play(id);
}

void updateRaceSound(const Race& race) {
    if (!output) return;
    lastState = captureRaceState(race, clockMs());
    output->apply(raceSounds.frame(lastState), lastState);
}

void leaveRaceSound() {
    if (!output) return;
    output->apply(raceSounds.left(), lastState);
}

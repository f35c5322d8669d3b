// The soak: brenvask_soak [--races N per circuit] [--frames N per race] [--draw-every N]
// [--seed N], run from the folder that holds Data/ (the build folder). Exit status 0 when
// every race passed.
#include "Soak.h"

#include "app/DataFiles.h"
#include "app/Previews.h"
#include "app/services/Text.h"
#include "offscreen/GlContext.h"
#include "sound/Sound.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
int usage(const char* program) {
    std::fprintf(stderr, "usage: %s [--races N] [--frames N] [--draw-every N] [--seed N]\n", program);
    return 2;
}
}

int main(int argc, char** argv) {
    SoakSettings settings;
    for (int i = 1; i < argc; i += 2) {
        if (i + 1 >= argc) return usage(argv[0]);
        const char* option = argv[i];
        const long value = std::strtol(argv[i + 1], nullptr, 10);
        if (std::strcmp(option, "--races") == 0)
            settings.racesPerCircuit = static_cast<int>(value);
        else if (std::strcmp(option, "--frames") == 0)
            settings.framesPerRace = static_cast<int>(value);
        else if (std::strcmp(option, "--draw-every") == 0)
            settings.drawEvery = static_cast<int>(value);
        else if (std::strcmp(option, "--seed") == 0)
            settings.seed = static_cast<unsigned>(value);
        else
            return usage(argv[0]);
    }
    if (settings.racesPerCircuit < 1 || settings.framesPerRace < 1 || settings.drawEvery < 1) return usage(argv[0]);
    if (access(FONT_FILE, R_OK) != 0) {
        std::fprintf(stderr, "No Data/ here: run the soak from the build folder.\n");
        return 1;
    }
    if (!GlContext::makeCurrent()) return 1;
    GlContext::setGameState();
    createPreviews();
    loadFont(FONT_FILE);
    // With sound, through OpenAL's null backend unless ALSOFT_DRIVERS names another: the
    // mixer runs and every sound is played, heard by no one.
    setenv("ALSOFT_DRIVERS", "null", 0);
    startSound(false);

    std::printf("soak: %d races on each of the %d circuits, %d frames each, every %d-th frame drawn, seed %u, %s\n",
                settings.racesPerCircuit, CIRCUIT_COUNT, settings.framesPerRace, settings.drawEvery, settings.seed,
                soundOn() ? "with sound" : "without sound");
    if (!runSoak(settings)) {
        std::printf("soak: FAILED\n");
        return 1;
    }
    std::printf("soak: every race stayed finite%s\n",
                heapMeasured() ? " and the heap did not grow" : "; heap not measured in this build");
    return 0;
}

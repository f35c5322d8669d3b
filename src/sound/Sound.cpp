#include "sound/Sound.h"

#include "app/services/Clock.h"
#include "sound/OpenAlOutput.h"
#include "sound/RaceSounds.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {
std::unique_ptr<OpenAlOutput> output;
RaceSounds raceSounds;
RaceState lastState;

// Standard error pointed at /dev/null for the object's life. The libraries under OpenAL
// (ALSA's, when there is no sound card) print errors of their own while a device opens.
class QuietStderr {
public:
    QuietStderr() : saved_(::dup(STDERR_FILENO)) {
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && null >= 0) ::dup2(null, STDERR_FILENO);
        if (null >= 0) ::close(null);
    }
    ~QuietStderr() {
        if (saved_ < 0) return;
        ::dup2(saved_, STDERR_FILENO);
        ::close(saved_);
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int saved_ = 0;
};
}

void startSound(bool mute) {
    if (mute || output) return;
    // OpenAL reads its log level on its first call; an error it would print is ours to tell.
    // Who sets ALSOFT_LOGLEVEL wants to read its messages, and those under it.
    if (std::getenv("ALSOFT_LOGLEVEL")) {
        output = OpenAlOutput::open();
    } else {
        setenv("ALSOFT_LOGLEVEL", "0", 1);
        QuietStderr quiet;
        output = OpenAlOutput::open();
    }
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

#include "sound/Sound.h"

#include "app/services/Clock.h"
#include "sound/AlsaMessages.h"
#include "sound/OpenAlOutput.h"
#include "sound/RaceSounds.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <string>

namespace {

// While a device plays, it is asked this often whether it is still there; once lost, the
// default device is tried again this often until one opens.
constexpr std::uint32_t CHECK_EVERY_MS = 1000;
constexpr std::uint32_t RETRY_EVERY_MS = 2000;

bool started = false;  // a device opened at start: the sound is watched and brought back
std::vector<Pcm> sounds;  // read once, loaded again into every device that opens
std::unique_ptr<OpenAlOutput> output;  // null while the device is lost
std::future<OpenedDevice> attempt;  // an open running on its own thread
std::uint32_t nextCheckMs = 0;
std::uint32_t nextTryMs = 0;
RaceSounds raceSounds;
RaceState lastState;
SoundPlan plan;

bool due(std::uint32_t now, std::uint32_t at) { return static_cast<std::int32_t>(now - at) >= 0; }

void readSounds() {
    sounds.clear();
    for (const SoundFile& sound : SOUNDS) sounds.push_back(readWav(sound.path));
}

// An open can block while a sound server answers, so it runs off the game's thread; the game
// only picks up its result once it is ready.
void tryAgain(std::uint32_t now) {
    if (attempt.valid()) {
        if (attempt.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
        output = OpenAlOutput::adopt(attempt.get(), sounds);
        if (output) {
            std::fprintf(stderr, "brenvask: the sound device is back\n");
            nextCheckMs = now + CHECK_EVERY_MS;
            return;
        }
        nextTryMs = now + RETRY_EVERY_MS;
    }
    if (!due(now, nextTryMs)) return;
    attempt = std::async(std::launch::async, OpenAlOutput::openDefaultDevice);
}

// Once a second while a device plays: still there? Once lost, tries again every two seconds.
void watchDevice() {
    if (!started) return;
    const std::uint32_t now = clockMs();
    if (!output) {
        tryAgain(now);
        return;
    }
    if (!due(now, nextCheckMs)) return;
    nextCheckMs = now + CHECK_EVERY_MS;
    if (output->connected()) return;
    std::fprintf(stderr, "brenvask: the sound device was lost; trying to open it again\n");
    output.reset();
    nextTryMs = now;
    tryAgain(now);
}

}  // namespace

void keepSoundSettingsPath() {
    const char* conf = std::getenv("ALSOFT_CONF");
    if (!conf || !*conf || conf[0] == '/') return;
    char here[4096];
    if (!::getcwd(here, sizeof here)) return;
    setenv("ALSOFT_CONF", (std::string(here) + "/" + conf).c_str(), 1);
}

void startSound(bool mute) {
    if (mute || started) return;
    // OpenAL reads its log level on its first call; an error it would print is ours to tell.
    // Who sets ALSOFT_LOGLEVEL wants to read its messages, and those of ALSA under it.
    if (!std::getenv("ALSOFT_LOGLEVEL")) {
        setenv("ALSOFT_LOGLEVEL", "0", 1);
        dropAlsaMessages();
    }
    readSounds();
    output = OpenAlOutput::adopt(OpenAlOutput::openDefaultDevice(), sounds);
    if (!output) {
        std::fprintf(stderr, "brenvask: no sound device could be opened; playing without sound\n");
        sounds.clear();
        return;
    }
    started = true;
    nextCheckMs = clockMs() + CHECK_EVERY_MS;
    std::atexit(stopSound);
}

void stopSound() {
    output.reset();
    if (attempt.valid()) OpenAlOutput::close(attempt.get());
    started = false;
}

bool soundOn() { return output != nullptr; }

void playMenuSound(SoundId id) {
    watchDevice();
    if (output) output->play(id);
}

void updateRaceSound(const Race& race) {
    if (!started) return;
    watchDevice();
    // Heard or not, the race is followed, so that a device back mid-race plays what it should.
    captureRaceState(race, clockMs(), lastState);
    raceSounds.frame(lastState, plan);
    if (output) output->apply(plan, lastState);
}

void leaveRaceSound() {
    if (!started) return;
    raceSounds.left(plan);
    if (output) output->apply(plan, lastState);
}

#include "sound/OpenAlOutput.h"

#include "app/services/Clock.h"
#include "app/services/KeyTable.h"
#include "race/CircuitTable.h"
#include "race/Race.h"
#include "race/RaceSetup.h"
#include "support/GlContext.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

namespace {
// Allocations made on this thread while counting; OpenAL's mixer runs on a thread of its own.
thread_local bool counting = false;
thread_local int allocations = 0;
}  // namespace

void* operator new(std::size_t size) {
    if (counting) ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

// A race on the first circuit heard through OpenAL's null backend, as the game hears it after
// every frame: once running, the sound's frame allocates nothing, and the sources are what the
// context granted.
TEST(SoundFrame, AllocatesNothingOnceRunning) {
    REQUIRE_GL_CONTEXT();
    setenv("ALSOFT_DRIVERS", "null", 1);
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    std::vector<Pcm> sounds;
    for (const SoundFile& sound : SOUNDS) sounds.push_back(readWav(sound.path));
    auto output = OpenAlOutput::adopt(OpenAlOutput::openDefaultDevice(), sounds);
    ASSERT_NE(output, nullptr);
    EXPECT_GT(output->loopSourceCount(), 21);  // eleven engines, nine missiles and the boost
    EXPECT_GT(output->eventSourceCount(), 0);

    clearKeys();
    std::srand(5);
    setTestClock(5000000);
    setUpRace(CIRCUITS[0]);
    RaceSounds heard;
    RaceState state;
    SoundPlan plan;
    for (int frame = 0; frame < 300; ++frame) {
        setTestClock(clockMs() + 16);
        currentRace()->runFrame(false);
        counting = frame > 0;  // the first frame makes room for the race
        captureRaceState(*currentRace(), clockMs(), state);
        heard.frame(state, plan);
        output->apply(plan, state);
        counting = false;
    }
    EXPECT_EQ(allocations, 0);
    destroyCurrentRace();
    useRealClock();
}

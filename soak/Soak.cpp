#include "Soak.h"

#include "KeyHolds.h"

#include "app/services/Clock.h"
#include "app/services/KeySlots.h"
#include "app/services/KeyTable.h"
#include "app/LoadingScene.h"
#include "app/MenuScene.h"
#include "app/Previews.h"
#include "app/RaceScene.h"
#include "app/Scene.h"
#include "app/services/Text.h"
#include "entities/Entity.h"
#include "offscreen/GlContext.h"
#include "motion/Body.h"
#include "race/ImpactDrawing.h"
#include "race/Race.h"
#include "race/RaceSetup.h"
#include "sound/Sound.h"
#include "terrain/Terrain.h"

#include <GL/gl.h>
#include <malloc.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
constexpr std::uint32_t FRAME_MS = 16;
// The renderer's display-list storage for the models grows once, by about 176 KB, in the
// first race after the first round, then stays flat for the rest of a 60-race run.
constexpr std::size_t HEAP_SLACK = 256 * 1024;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool HEAP_MEASURABLE = false;  // the sanitizer's allocator; LeakSanitizer watches instead
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool HEAP_MEASURABLE = false;
#else
constexpr bool HEAP_MEASURABLE = true;
#endif
#else
constexpr bool HEAP_MEASURABLE = true;
#endif

// Bytes allocated and not freed, as the C library's allocator counts them.
std::size_t heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

bool finite(const Vector3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// The first entity whose body is no longer finite, or -1.
int firstBrokenEntity(const Race& race) {
    for (int i = 0; i < race.entityCount(); ++i) {
        const Body& body = *race.entityAt(i)->body();
        if (!finite(body.position()) || !finite(body.velocity())) return i;
    }
    return -1;
}

// One displayed frame as the window runs it. The renderer keeps a frame's work until the
// buffer swap hands it over; without a window, glFinish takes the swap's place.
void displayedFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (SceneFunction scene = currentScene()) scene();
    endKeyFrame();
    glFinish();
}

// A race frame without drawing, heard as the race scene hears it, ended for the key table
// as the window ends every frame.
void undrawnRaceFrame(Race& race) {
    race.runFrame(false);
    updateRaceSound(race);
    endKeyFrame();
}

void tick() { setTestClock(clockMs() + FRAME_MS); }

class Soak {
public:
    explicit Soak(const SoakSettings& settings) : settings_(settings), keys_(settings.seed) {}

    bool run() {
        std::srand(settings_.seed);
        setTestClock(1000000);
        setScene(menuScene);
        int number = 0;
        for (int round = 0; round < settings_.racesPerCircuit; ++round) {
            for (int circuit = 0; circuit < CIRCUIT_COUNT; ++circuit) {
                if (!playRace(++number, circuit)) return false;
                if (!heapSteady(number)) return false;
            }
        }
        useRealClock();
        return true;
    }

private:
    // A strike's burst is drawn with a state nothing else uses, for which the renderer builds
    // and keeps a program of its own; a random race may first show one long after the first
    // round. One burst in the world's state, at the start, fills that cache where it belongs.
    static void drawOneImpact(Race& race) {
        race.applyView();
        race.terrain()->draw(race.camera());
        race.terrain()->drawSky();
        ImpactList impacts{};
        impacts[0] = Impact{race.camera().position() + race.camera().frame().forward() * 2000.0, clockMs(), true};
        drawImpactBursts(impacts, clockMs(), race.camera());
        glFinish();
    }

    bool fail(int number, const std::string& what) {
        std::printf("race %d: %s\n", number, what.c_str());
        useRealClock();
        return false;
    }

    // Menu, loading screen, set-up, the race, and Escape back to the menu.
    bool playRace(int number, int circuit) {
        if (currentScene() != menuScene) return fail(number, "the menu is not the scene between races");
        setChosenCircuit(circuit);
        onKeyPress(KEY_SPACE, 0, 0);
        tick();
        displayedFrame();  // the menu sees Space
        onKeyRelease(KEY_SPACE, 0, 0);
        for (SceneFunction expected : {loadingScene, setupScene}) {
            if (currentScene() != expected) return fail(number, "the menu did not lead to loading and set-up");
            tick();
            displayedFrame();
        }
        Race* race = currentRace();
        if (currentScene() != raceScene || race == nullptr) return fail(number, "set-up built no race");
        if (number == 1) drawOneImpact(*race);

        for (int frame = 1; frame <= settings_.framesPerRace; ++frame) {
            tick();
            keys_.advance();
            const int lost = keys_.lostCharacter();
            if (lost >= 0)
                return fail(number, "frame " + std::to_string(frame) + ": the key held as character " +
                                        std::to_string(lost) + " reads as up");
            if (frame % settings_.drawEvery == 0)
                displayedFrame();
            else
                undrawnRaceFrame(*race);
            const int broken = firstBrokenEntity(*race);
            if (broken >= 0)
                return fail(number, "frame " + std::to_string(frame) + ": entity " + std::to_string(broken) +
                                        " (kind " + std::to_string(race->entityAt(broken)->kind()) +
                                        ") has a position or velocity that is not finite");
        }
        const int laps = race->entityAt(0)->laps();

        keys_.releaseAll();
        onKeyPress(KEY_ESCAPE, 0, 0);
        tick();
        displayedFrame();  // the last race frame: drawn, then the race is destroyed
        onKeyRelease(KEY_ESCAPE, 0, 0);
        if (currentRace() != nullptr || currentScene() != menuScene)
            return fail(number, "Escape did not destroy the race and return to the menu");
        // The renderer lets go of the race's textures once the next frame is done.
        tick();
        displayedFrame();

        std::printf("race %2d  circuit %d  %d frames  player laps %2d  view distance %7d  camera on entity %2u",
                    number, circuit + 1, settings_.framesPerRace, laps, viewDistance(), cameraIndex());
        if (HEAP_MEASURABLE) std::printf("  heap in use %zu", heapInUse());
        std::printf("\n");
        std::fflush(stdout);
        return true;
    }

    // After a first round on every circuit, in which the renderer's caches fill up, the heap
    // in use between races must stay where that round left it, give or take what a cache may
    // still add once. A leak of a few kilobytes a race goes beyond that within the run.
    bool heapSteady(int number) {
        if (!HEAP_MEASURABLE) return true;
        const std::size_t now = heapInUse();
        if (number <= CIRCUIT_COUNT) {
            if (now > settled_) settled_ = now;
            return true;
        }
        if (now > settled_ + HEAP_SLACK)
            return fail(number, "the heap grew from " + std::to_string(settled_) + " bytes in use after the first "
                                    "round to " + std::to_string(now));
        return true;
    }

    SoakSettings settings_;
    KeyHolds keys_;
    std::size_t settled_ = 0;
};
}

bool runSoak(const SoakSettings& settings) { return Soak(settings).run(); }

bool heapMeasured() { return HEAP_MEASURABLE; }

#include "CircuitRun.h"

#include "Autopilot.h"
#include "Floor.h"

#include "app/Clock.h"
#include "app/KeyTable.h"
#include "app/MenuScene.h"
#include "offscreen/GlContext.h"
#include "race/Hud.h"
#include "race/Race.h"
#include "race/RaceSetup.h"
#include "terrain/Terrain.h"

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>

namespace {
using Clock = std::chrono::steady_clock;

constexpr std::uint32_t GAME_CLOCK_START = 1000000;
constexpr std::uint32_t FRAME_MS = 16;
constexpr unsigned RANDOM_SEED = 1;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The time since `mark`, which moves on to now.
double lap(Clock::time_point& mark) {
    const double ms = msSince(mark);
    mark = Clock::now();
    return ms;
}

// Everything a race takes from outside, as in a game just started on that circuit.
void freshGame(int circuit) {
    std::srand(RANDOM_SEED);
    clearKeys();
    setCameraIndex(0);
    setViewDistance(START_VIEW_DISTANCE);
    setChosenCircuit(circuit);
    GlContext::setGameState();
}

// What the window does around every scene.
void beginFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

class GameClock {
public:
    GameClock() { setTestClock(now_); }
    void tick() { setTestClock(now_ += FRAME_MS); }

private:
    std::uint32_t now_ = GAME_CLOCK_START;
};

// The set-up scene's frame, then the first race frame, finished.
double setUpRace(GameClock& clock) {
    const auto start = Clock::now();
    beginFrame();
    setupScene();
    clock.tick();
    beginFrame();
    raceScene();
    glFinish();
    return msSince(start);
}

// Processor time of the whole process (the renderer's threads included) or of this thread.
double cpuMs(clockid_t clock) {
    timespec now;
    clock_gettime(clock, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

// The race frame as the race scene runs it, with the autopilot at the keys.
double wholeFrame(Race& race, double* cpu = nullptr, double* mainCpu = nullptr) {
    const double cpuStart = cpuMs(CLOCK_PROCESS_CPUTIME_ID);
    const double mainStart = cpuMs(CLOCK_THREAD_CPUTIME_ID);
    const auto start = Clock::now();
    beginFrame();
    race.readKeys();
    race.drawWorld();
    race.think();
    flyPlayer(race);
    race.collide();
    race.moveBodies();
    race.updateCamera();
    glFinish();
    if (cpu) *cpu = cpuMs(CLOCK_PROCESS_CPUTIME_ID) - cpuStart;
    if (mainCpu) *mainCpu = cpuMs(CLOCK_THREAD_CPUTIME_ID) - mainStart;
    return msSince(start);
}

// The same frame in the same order, each part timed on its own.
FrameParts frameByParts(Race& race) {
    FrameParts parts;
    beginFrame();
    race.readKeys();
    race.rankPods();
    glFinish();  // the clear is nobody's part
    auto mark = Clock::now();
    race.applyView();
    glFinish();
    parts.camera = lap(mark);
    race.drawEntities();
    glFinish();
    parts.entities = lap(mark);
    race.terrain()->visibleTriangles(race.camera());
    parts.terrainCulling = lap(mark);
    race.terrain()->draw(race.camera());
    parts.terrainSending = lap(mark);
    glFinish();
    parts.terrain = parts.terrainSending + lap(mark);
    race.terrain()->drawSky();
    glFinish();
    parts.sky = lap(mark);
    drawHud(race);
    glFinish();
    parts.hud = lap(mark);
    race.think();
    flyPlayer(race);
    race.collide();
    race.moveBodies();
    parts.simulation = lap(mark);
    race.updateCamera();
    parts.camera += lap(mark);
    return parts;
}

void endRace() {
    destroyCurrentRace();
    useRealClock();
}
}

CircuitFigures runCircuit(int circuit, int frames) {
    CircuitFigures figures;
    figures.circuit = circuit;

    freshGame(circuit);
    GameClock clock;
    figures.setUpMs = setUpRace(clock);
    Race* race = currentRace();
    std::vector<CameraPose> path;
    for (int i = 0; i < frames; ++i) {
        clock.tick();
        path.push_back(CameraPose{race->camera(), race->cameraDistance() == 0.0});
        double cpu = 0, mainCpu = 0;
        figures.frameMs.push_back(wholeFrame(*race, &cpu, &mainCpu));
        figures.frameCpuMs.push_back(cpu);
        figures.frameMainCpuMs.push_back(mainCpu);
        figures.triangles.push_back(race->terrain()->lastDrawnTriangles());
    }
    figures.floorMs = timeFloor(*race->terrain(), path);
    endRace();

    freshGame(circuit);
    GameClock again;
    // Two set-ups of the same circuit: the quicker one is the less disturbed by other work.
    figures.setUpMs = std::min(figures.setUpMs, setUpRace(again));
    race = currentRace();
    for (int i = 0; i < frames; ++i) {
        again.tick();
        figures.parts.push_back(frameByParts(*race));
        if (race->terrain()->lastDrawnTriangles() != figures.triangles[static_cast<std::size_t>(i)])
            figures.samePath = false;
    }
    endRace();
    return figures;
}

void warmUp() {
    freshGame(0);
    GameClock clock;
    setUpRace(clock);
    for (int i = 0; i < 30; ++i) {
        clock.tick();
        wholeFrame(*currentRace());
    }
    endRace();
}

#include "CircuitRun.h"

#include "Autopilot.h"
#include "Floor.h"
#include "SoundThreads.h"
#include "WholeFloor.h"

#include "app/services/Clock.h"
#include "app/services/KeyTable.h"
#include "app/MenuScene.h"
#include "app/RaceScene.h"
#include "app/services/Text.h"
#include "content/GeneratedMap.h"
#include "offscreen/GlContext.h"
#include "race/Hud.h"
#include "race/Race.h"
#include "race/RaceSetup.h"
#include "sound/Sound.h"
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
void freshGame(int circuit, int viewDistance) {
    std::srand(RANDOM_SEED);
    clearKeys();
    setCameraIndex(0);
    setViewDistance(viewDistance);
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

// The set-up scene's frame (the chosen circuit's, or the one given), then the first race
// frame, finished.
double setUpTimed(GameClock& clock, const CircuitSpec* circuit = nullptr) {
    const auto start = Clock::now();
    beginFrame();
    if (circuit != nullptr)
        setUpRace(*circuit);
    else
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

// The race frame as the race scene runs it, with the autopilot at the keys, and heard.
double wholeFrame(Race& race, double* cpu = nullptr, double* mainCpu = nullptr, double* soundMs = nullptr) {
    const double cpuStart = cpuMs(CLOCK_PROCESS_CPUTIME_ID);
    const double mainStart = cpuMs(CLOCK_THREAD_CPUTIME_ID);
    const auto start = Clock::now();
    beginFrame();
    race.readKeys();
    race.rankAndAim();
    race.drawWorld();
    race.think();
    flyPlayer(race);
    race.collide();
    race.moveBodies();
    race.updateCamera();
    const auto soundStart = Clock::now();
    updateRaceSound(race);
    if (soundMs) *soundMs = msSince(soundStart);
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
    race.rankAndAim();
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
    leaveRaceSound();
    destroyCurrentRace();
    useRealClock();
}
}

namespace {
// The race frames as the game runs them, timed whole, each frame's scene recorded for the
// floors; then both floors over the recorded frames.
void timeWholeFrames(Race& race, GameClock& clock, int frames, CircuitFigures& figures) {
    std::vector<CameraPose> path;
    std::vector<FrameScene> scenes;
    const double soundCpuStart = soundThreadsCpuMs();
    const auto start = Clock::now();
    for (int i = 0; i < frames; ++i) {
        clock.tick();
        scenes.push_back(sceneBeforeFrame(race));
        path.push_back(scenes.back().pose);
        double cpu = 0, mainCpu = 0, sound = 0;
        recordTexts(&scenes.back().texts);  // a score of short strings: nothing beside the frame
        figures.frameMs.push_back(wholeFrame(race, &cpu, &mainCpu, &sound));
        recordTexts(nullptr);
        figures.frameCpuMs.push_back(cpu);
        figures.frameMainCpuMs.push_back(mainCpu);
        figures.soundMs.push_back(sound);
        figures.triangles.push_back(race.terrain()->lastDrawnTriangles());
    }
    figures.soundThreadsShare = (soundThreadsCpuMs() - soundCpuStart) / msSince(start);
    figures.floorMs = timeFloor(*race.terrain(), path);
    GroundWork ground = timeGroundWork(*race.terrain(), path);
    figures.choosingCpuMs = std::move(ground.choosingMs);
    figures.groundCpuMs = std::move(ground.groundMs);
    figures.wholeFloorMs = timeWholeFloor(race, scenes);
}
}

CircuitFigures runCircuit(int circuit, int frames, int viewDistance) {
    CircuitFigures figures;
    figures.circuit = circuit;
    figures.viewDistance = viewDistance;

    freshGame(circuit, viewDistance);
    GameClock clock;
    figures.setUpMs = setUpTimed(clock);
    timeWholeFrames(*currentRace(), clock, frames, figures);
    endRace();

    freshGame(circuit, viewDistance);
    GameClock again;
    // Two set-ups of the same circuit: the quicker one is the less disturbed by other work.
    figures.setUpMs = std::min(figures.setUpMs, setUpTimed(again));
    Race* race = currentRace();
    for (int i = 0; i < frames; ++i) {
        again.tick();
        figures.parts.push_back(frameByParts(*race));
        if (race->terrain()->lastDrawnTriangles() != figures.triangles[static_cast<std::size_t>(i)])
            figures.samePath = false;
    }
    endRace();
    return figures;
}

CircuitFigures runGeneratedMap(int size, int frames, int viewDistance, const std::string& folder) {
    CircuitFigures figures;
    figures.mapSize = size;
    figures.viewDistance = viewDistance;
    const std::string heightmap = writeGeneratedMap(folder, size);
    CircuitSpec map = CIRCUITS[0];
    map.heightmapPath = heightmap.c_str();

    freshGame(0, viewDistance);
    GameClock clock;
    figures.setUpMs = setUpTimed(clock, &map);
    timeWholeFrames(*currentRace(), clock, frames, figures);
    endRace();
    freshGame(0, viewDistance);
    GameClock again;
    figures.setUpMs = std::min(figures.setUpMs, setUpTimed(again, &map));
    endRace();
    return figures;
}

void warmUp() {
    freshGame(0, START_VIEW_DISTANCE);
    GameClock clock;
    setUpTimed(clock);
    for (int i = 0; i < 30; ++i) {
        clock.tick();
        wholeFrame(*currentRace());
    }
    endRace();
}

// The frame benchmark. Run it from the folder that holds Data/ (the build folder):
//   bench/brenvask_bench [--frames N] [--circuit 1|2|3] [--view-distance D] [--maps]
// See docs/performance.md for what the figures mean.
#include "CircuitRun.h"
#include "Report.h"
#include "SoundThreads.h"

#include "app/services/Text.h"
#include "offscreen/GlContext.h"
#include "race/Race.h"
#include "race/RaceSetup.h"

#include <GL/gl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace {
constexpr int MIN_FRAMES = 600;

std::string loadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

// Sides of the generated maps of --maps: the circuits' own size, then twice, four and eight
// times, the largest heightmap the game takes.
constexpr int MAP_SIZES[] = {256, 512, 1024, 2048};

int usage(const char* program) {
    std::fprintf(stderr,
                 "usage: %s [--frames N (default %d)] [--circuit 1|2|3] [--view-distance D (default %d)]\n"
                 "       [--maps: generated maps of 256, 512, 1024 and 2048 samples a side instead of the circuits]\n",
                 program, MIN_FRAMES, START_VIEW_DISTANCE);
    return 2;
}

std::vector<CircuitFigures> runMaps(int frames, int viewDistance) {
    std::vector<CircuitFigures> maps;
    char folder[] = "/tmp/brenvask_bench_XXXXXX";
    if (mkdtemp(folder) == nullptr) return maps;
    for (const int size : MAP_SIZES) {
        maps.push_back(runGeneratedMap(size, frames, viewDistance, folder));
        std::fflush(stdout);
    }
    std::filesystem::remove_all(folder);
    return maps;
}
}

int main(int argc, char** argv) {
    int frames = MIN_FRAMES;
    int onlyCircuit = 0;
    int viewDistance = START_VIEW_DISTANCE;
    bool maps = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc)
            frames = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--view-distance") == 0 && i + 1 < argc)
            viewDistance = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--maps") == 0)
            maps = true;
        else if (std::strcmp(argv[i], "--circuit") == 0 && i + 1 < argc)
            onlyCircuit = std::atoi(argv[++i]);
        else
            return usage(argv[0]);
    }
    if (frames < 1 || onlyCircuit < 0 || onlyCircuit > CIRCUIT_COUNT || viewDistance <= 0) return usage(argv[0]);
    if (access("Data/font2.bmp", R_OK) != 0) {
        std::fprintf(stderr, "No Data/ here: run the benchmark from the build folder.\n");
        return 1;
    }
    if (!GlContext::makeCurrent()) return 1;
    GlContext::setGameState();
    loadFont("Data/font2.bmp");
    const bool sound = startBenchSound();

    std::printf("renderer: %s, %dx%d, %d frames per %s, view distance %d, %s; load average at start: %s\n",
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)), GlContext::WIDTH, GlContext::HEIGHT, frames,
                maps ? "map" : "circuit", viewDistance, sound ? "with sound" : "without sound", loadAverage().c_str());
    warmUp();
    if (maps) {
        const std::vector<CircuitFigures> results = runMaps(frames, viewDistance);
        std::printf("load average at end: %s\n", loadAverage().c_str());
        printMapReport(results);
        return results.empty() ? 1 : 0;
    }
    std::vector<CircuitFigures> results;
    for (int circuit = 0; circuit < CIRCUIT_COUNT; ++circuit) {
        if (onlyCircuit != 0 && circuit != onlyCircuit - 1) continue;
        results.push_back(runCircuit(circuit, frames, viewDistance));
        std::fflush(stdout);
    }
    std::printf("load average at end: %s\n", loadAverage().c_str());
    printReport(results);
    return 0;
}

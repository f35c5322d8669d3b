// The frame benchmark. Run it from the folder that holds Data/ (the build folder):
//   bench/brenvask_bench [--frames N] [--circuit 1|2|3]
// See the README, "Benchmark", for what the figures mean.
#include "CircuitRun.h"
#include "Report.h"

#include "app/Text.h"
#include "offscreen/GlContext.h"
#include "race/RaceSetup.h"

#include <GL/gl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
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

int usage(const char* program) {
    std::fprintf(stderr, "usage: %s [--frames N (default %d)] [--circuit 1|2|3]\n", program, MIN_FRAMES);
    return 2;
}
}

int main(int argc, char** argv) {
    int frames = MIN_FRAMES;
    int onlyCircuit = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc)
            frames = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--circuit") == 0 && i + 1 < argc)
            onlyCircuit = std::atoi(argv[++i]);
        else
            return usage(argv[0]);
    }
    if (frames < 1 || onlyCircuit < 0 || onlyCircuit > CIRCUIT_TABLE_SIZE) return usage(argv[0]);
    if (access("Data/font2.bmp", R_OK) != 0) {
        std::fprintf(stderr, "No Data/ here: run the benchmark from the build folder.\n");
        return 1;
    }
    if (!GlContext::makeCurrent()) return 1;
    GlContext::setGameState();
    loadFont("Data/font2.bmp");

    std::printf("renderer: %s, %dx%d, %d frames per circuit; load average at start: %s\n",
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)), GlContext::WIDTH, GlContext::HEIGHT, frames,
                loadAverage().c_str());
    warmUp();
    std::vector<CircuitFigures> results;
    for (int circuit = 0; circuit < CIRCUIT_TABLE_SIZE; ++circuit) {
        if (onlyCircuit != 0 && circuit != onlyCircuit - 1) continue;
        results.push_back(runCircuit(circuit, frames));
        std::fflush(stdout);
    }
    std::printf("load average at end: %s\n", loadAverage().c_str());
    printReport(results);
    return 0;
}

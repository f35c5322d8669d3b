// Checks circuit heightmaps: brenvask_circuitcheck <heightmap.bmp> [heightScale gridSpacing]
// Prints each problem as "x y: message" (pixel column, pixel row of the file) and exits 1 if
// there is any. Without a scale and spacing it takes those of the circuit whose heightmap has
// the file's name (terrain2.bmp: circuit 2's), else those of the first circuit.
#include "content/CircuitCheck.h"
#include "race/CircuitTable.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const CircuitSpec& circuitNamed(const std::string& path) {
    const std::string name = path.substr(path.find_last_of('/') + 1);
    for (const CircuitSpec& circuit : CIRCUITS) {
        const std::string own(circuit.heightmapPath);
        if (own.substr(own.find_last_of('/') + 1) == name) return circuit;
    }
    return CIRCUITS[0];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: %s <heightmap.bmp> [heightScale gridSpacing]\n", argv[0]);
        return 2;
    }
    const CircuitSpec& named = circuitNamed(argv[1]);
    double heightScale = argc == 4 ? std::atof(argv[2]) : named.heightScale;
    double gridSpacing = argc == 4 ? std::atof(argv[3]) : named.gridSpacing;
    if (heightScale <= 0 || gridSpacing <= 0) {
        std::fprintf(stderr, "heightScale and gridSpacing must be positive\n");
        return 2;
    }
    Image heightmap(argv[1]);
    auto problems = checkCircuit(heightmap, heightScale, gridSpacing);
    for (const CircuitProblem& p : problems) std::printf("%s: %s\n", argv[1], describe(p).c_str());
    if (problems.empty()) std::printf("%s: ok\n", argv[1]);
    return problems.empty() ? 0 : 1;
}

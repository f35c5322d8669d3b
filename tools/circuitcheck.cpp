// Checks circuit heightmaps: brenvask_circuitcheck <heightmap.bmp> [heightScale gridSpacing]
// Prints each problem as "x y: message" (pixel column, pixel row of the file) and exits 1 if
// there is any; the scale and spacing default to 10000 and 1200, those of circuits 1 and 3.
#include "content/CircuitCheck.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: %s <heightmap.bmp> [heightScale gridSpacing]\n", argv[0]);
        return 2;
    }
    double heightScale = argc == 4 ? std::atof(argv[2]) : 10000.0;
    double gridSpacing = argc == 4 ? std::atof(argv[3]) : 1200.0;
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

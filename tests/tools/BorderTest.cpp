#include "SoloRace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr std::uint32_t RUN_MS = 60000;
constexpr int PLACES = 16;

// From the racing line's place, heading at that angle from straight outward toward the
// direction of racing, thrust and boost held: how far beyond the grid's nearest edge the pod
// gets (negative: that far inside).
double farthestBeyondGrid(SoloRace& run, const Circuit& circuit, std::size_t place, double angle) {
    const auto& line = circuit.centreLine;
    const Point2 p = line[place], ahead = line[(place + 4) % line.size()], behind = line[(place + line.size() - 4) % line.size()];
    Vector3 along(ahead.x - behind.x, 0, ahead.y - behind.y);
    along = along / length(along);
    Vector3 outward(along.z, 0, -along.x);
    const Vector3 fromCentre(p.x - HEIGHTMAP_SIZE / 2, 0, p.y - HEIGHTMAP_SIZE / 2);
    if (dot(outward, fromCentre) < 0) outward = -outward;
    run.place(run.above(p), outward * std::cos(angle) + along * std::sin(angle));
    onKeyPress(KEY_W, 0, 0);
    onKeyPress(KEY_C, 0, 0);
    const Terrain& t = run.terrain();
    const Vector3 low = t.vertex(0, 0), high = t.vertex(t.rows() - 1, t.columns() - 1);
    double farthest = -1e300;
    for (std::uint32_t t = 0; t < RUN_MS; t += SoloRace::FRAME_MS) {
        run.frame();
        const Vector3 q = run.pod().body()->position();
        farthest = std::max({farthest, low.x - q.x, q.x - high.x, low.z - q.z, q.z - high.z});
    }
    return farthest;
}

}  // namespace

// The landscape keeps pods in the world: however a pod leaves the road, the border stops it
// before the grid's edge, where the ground would run on flat and undrawn.
TEST(Border, HoldsADeterminedPodOnTheGridOfEveryCircuit) {
    for (int i = 0; i < CIRCUIT_COUNT; ++i) {
        const Circuit circuit = buildCircuit(i);
        SoloRace run(circuit);
        double farthest = -1e300;
        for (int k = 0; k < PLACES; ++k)
            for (double angle : {0.0, 3.14159265358979 / 4}) {
                const double beyond = farthestBeyondGrid(run, circuit, circuit.centreLine.size() * k / PLACES, angle);
                farthest = std::max(farthest, beyond);
            }
        std::printf("circuit %d: the pod came within %.0f of the grid's edge\n", i + 1, -farthest);
        EXPECT_LE(farthest, 0.0) << "circuit " << i + 1;
    }
}

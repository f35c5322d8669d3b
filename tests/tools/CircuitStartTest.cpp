#include "content/Circuits.h"
#include "content/Models.h"
#include "content/RoadMarkings.h"
#include "content/TrackLocator.h"
#include "race/RaceSetup.h"

#include <gtest/gtest.h>

#include <cmath>

// The grid forms on checkpoint 0, facing checkpoint 1, its pods 600 apart across the road from
// -2500 to 2900, and the player's one slot beyond either end: every pod's box stands on the
// painted road, and the road runs straight through the grid and well beyond it either way.
TEST(CircuitStart, EveryPodStartsOnTheRoadOnAStraight) {
    const Box pod = buildModels()[POD_MODEL].mesh.box;
    const double halfLength = (pod.corner1.x - pod.corner0.x) / 2, halfWidth = std::fabs(pod.corner0.z - pod.corner1.z) / 2;
    for (int i = 0; i < CIRCUIT_COUNT; ++i) {
        const Circuit c = buildCircuit(i);
        const double spacing = c.design->gridSpacing;
        const Point2 start = c.checkpoints[0], ahead = c.checkpoints[1] - start;
        const Point2 forward = ahead * (1 / length2(ahead)), right{-forward.y, forward.x};
        TrackLocator track(c.centreLine, 2 * RoadPainter::HALF_WIDTH);
        for (double offset = -3100; offset <= 3500; offset += 600)
            for (double along : {-halfLength, halfLength})
                for (double across : {-halfWidth, halfWidth}) {
                    const Point2 corner = start + forward * (along / spacing) + right * ((offset + across) / spacing);
                    TrackPlace place;
                    ASSERT_TRUE(track.nearest(corner, 2 * RoadPainter::HALF_WIDTH, place)) << "circuit " << i + 1 << ", slot " << offset;
                    EXPECT_LE(place.distance, RoadPainter::HALF_WIDTH) << "circuit " << i + 1 << ", slot " << offset;
                }
        // A straight: from a road's width behind the grid to well past it, the line keeps
        // within a few degrees of the grid's heading.
        const auto& line = c.centreLine;
        for (std::size_t k = line.size() - 8; k != 24; k = (k + 1) % line.size()) {
            const Point2 d = line[(k + 1) % line.size()] - line[k];
            const double off = std::atan2(cross2(forward, d), dot2(forward, d));
            EXPECT_LT(std::fabs(off), 6 * 3.14159265358979 / 180) << "circuit " << i + 1 << ", line point " << k;
        }
    }
}

#pragma once

#include "assets/Image.h"

#include <string>
#include <vector>

// One broken rule of a circuit heightmap, at the pixel where it shows.
struct CircuitProblem {
    int x = 0, y = 0;
    std::string message;
};

// The rules a heightmap must keep for the computer pods to race it: 12 to 40 checkpoints
// numbered 255, 254, ... without gap or duplicate; legs between consecutive checkpoints long
// enough to be distinct stages and short enough to follow the track; ground under every leg
// below 2000, so the checkpoints hang under the ceiling and nothing stands in the pods' way;
// fewer than 255 bonus markers, only of the three known types, all three present, each on
// the line between two consecutive checkpoints.
struct CircuitRules {
    int minCheckpoints = 12, maxCheckpoints = 40;
    double arrivalRadius = 17320.5;   // a pod reaches a checkpoint closer than this
    double longestLeg = 60000.0;
    double trackGroundLimit = 2000.0;
    // Pods drift wide of the straight legs in curves; a bonus farther out than a checkpoint
    // reaches is off the racing line.
    double bonusOffLine = 17320.5;
};

std::vector<CircuitProblem> checkCircuit(const Image& heightmap, double heightScale, double gridSpacing,
                                         const CircuitRules& rules = CircuitRules());

// "x y: message", one line per problem.
std::string describe(const CircuitProblem& problem);

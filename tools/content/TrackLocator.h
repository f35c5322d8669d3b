#pragma once

#include "content/Geometry2.h"

#include <vector>

// Where a point lies relative to the racing line, in heightmap pixels.
struct TrackPlace {
    double distance = 0;  // to the nearest point of the line
    double across = 0;    // the same, signed by side: the sign of cross2 (line direction, offset)
    double arc = 0;       // of that nearest point, along the line from its start
};

// Finds the nearest point of a closed racing line quickly: each small square of the map lists
// the segments that pass within `nearReach` of it. Farther searches look at every segment.
class TrackLocator {
public:
    TrackLocator(const std::vector<Point2>& line, double nearReach);
    // False when the line is farther than reach from p.
    bool nearest(Point2 p, double reach, TrackPlace& place) const;
    double length() const { return total; }
    // Arc of the line's point i.
    double arcAt(std::size_t i) const { return arcs[i]; }
    // The signed arc from a to b the short way round the loop.
    double arcBetween(double a, double b) const;

private:
    static constexpr double CELL = 2;  // pixels
    bool closest(Point2 p, double reach, const std::vector<int>& segments, TrackPlace& place) const;

    std::vector<Point2> points;
    std::vector<double> arcs;
    std::vector<int> all;
    std::vector<std::vector<int>> cells;
    int cellsPerSide = 0;
    double nearReach = 0, total = 0;
};

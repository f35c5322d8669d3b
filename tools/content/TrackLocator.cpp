#include "content/TrackLocator.h"

#include "content/Circuits.h"

#include <algorithm>
#include <cmath>

TrackLocator::TrackLocator(const std::vector<Point2>& line, double nearReach)
    : points(line), nearReach(nearReach), total(0) {
    cellsPerSide = static_cast<int>(std::ceil(HEIGHTMAP_SIZE / CELL));
    cells.resize(static_cast<std::size_t>(cellsPerSide) * cellsPerSide);
    // A segment is listed in every cell whose centre lies within reach plus half the cell's
    // diagonal of it.
    const double margin = nearReach + CELL * std::sqrt(0.5);
    for (std::size_t i = 0; i < points.size(); ++i) {
        Point2 a = points[i], b = points[(i + 1) % points.size()];
        arcs.push_back(total);
        total += length2(b - a);
        all.push_back(static_cast<int>(i));
        auto cell = [&](double v) { return std::clamp(static_cast<int>(std::floor(v / CELL)), 0, cellsPerSide - 1); };
        for (int y = cell(std::min(a.y, b.y) - margin); y <= cell(std::max(a.y, b.y) + margin); ++y)
            for (int x = cell(std::min(a.x, b.x) - margin); x <= cell(std::max(a.x, b.x) + margin); ++x)
                if (segmentDistance({(x + 0.5) * CELL, (y + 0.5) * CELL}, a, b) <= margin)
                    cells[static_cast<std::size_t>(y) * cellsPerSide + x].push_back(static_cast<int>(i));
    }
}

bool TrackLocator::nearest(Point2 p, double reach, TrackPlace& place) const {
    int x = static_cast<int>(std::floor(p.x / CELL)), y = static_cast<int>(std::floor(p.y / CELL));
    bool onMap = x >= 0 && y >= 0 && x < cellsPerSide && y < cellsPerSide;
    if (reach > nearReach || !onMap) return closest(p, reach, all, place);
    return closest(p, reach, cells[static_cast<std::size_t>(y) * cellsPerSide + x], place);
}

bool TrackLocator::closest(Point2 p, double reach, const std::vector<int>& segments, TrackPlace& place) const {
    double best = reach;
    bool found = false;
    for (int i : segments) {
        Point2 a = points[i], b = points[(i + 1) % points.size()];
        double t = segmentParameter(p, a, b);
        double d = length2(p - (a + (b - a) * t));
        if (d < best) {
            best = d;
            place.distance = d;
            place.across = cross2(b - a, p - a) < 0 ? -d : d;
            place.arc = arcs[i] + t * length2(b - a);
            found = true;
        }
    }
    return found;
}

double TrackLocator::arcBetween(double a, double b) const {
    double d = std::fmod(b - a, total);
    if (d > total / 2) d -= total;
    if (d < -total / 2) d += total;
    return d;
}

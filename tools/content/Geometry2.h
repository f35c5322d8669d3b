#pragma once

#include <cmath>
#include <vector>

// A point or direction in a plane: glyph designs, circuit layouts, outlines.
struct Point2 {
    double x = 0, y = 0;
};

inline Point2 operator+(Point2 a, Point2 b) { return {a.x + b.x, a.y + b.y}; }
inline Point2 operator-(Point2 a, Point2 b) { return {a.x - b.x, a.y - b.y}; }
inline Point2 operator*(Point2 a, double s) { return {a.x * s, a.y * s}; }
inline double dot2(Point2 a, Point2 b) { return a.x * b.x + a.y * b.y; }
inline double cross2(Point2 a, Point2 b) { return a.x * b.y - a.y * b.x; }
inline double length2(Point2 a) { return std::sqrt(a.x * a.x + a.y * a.y); }

// Distance from p to the segment a-b.
double segmentDistance(Point2 p, Point2 a, Point2 b);
// Parameter in [0, 1] of the point of a-b closest to p.
double segmentParameter(Point2 p, Point2 a, Point2 b);
// Even-odd rule; the polygon need not be convex.
bool insidePolygon(Point2 p, const std::vector<Point2>& polygon);

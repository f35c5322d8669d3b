#include "content/Geometry2.h"

double segmentParameter(Point2 p, Point2 a, Point2 b) {
    Point2 ab = b - a;
    double len2 = dot2(ab, ab);
    if (len2 <= 0) return 0;
    double t = dot2(p - a, ab) / len2;
    return t < 0 ? 0 : (t > 1 ? 1 : t);
}

double segmentDistance(Point2 p, Point2 a, Point2 b) {
    return length2(p - (a + (b - a) * segmentParameter(p, a, b)));
}

bool insidePolygon(Point2 p, const std::vector<Point2>& polygon) {
    bool inside = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Point2& a = polygon[i];
        const Point2& b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside;
}

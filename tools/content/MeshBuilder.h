#pragma once

#include "assets/MdlFormat.h"
#include "content/Geometry2.h"

#include <vector>

// A place in the model to build a part in: an origin and three axes (unit, at right angles).
struct PartFrame {
    Vector3 origin{0, 0, 0};
    Vector3 axis{1, 0, 0};   // the length of a lofted part runs along this
    Vector3 sideA{0, 1, 0};  // a section's first half size is along this
    Vector3 sideB{0, 0, 1};  // and its second along this
};

// One cross-section of a lofted part: a superellipse of half sizes a and b at distance t
// along the axis; exponent 2 is an ellipse, larger values square it off.
struct LoftSection {
    double t = 0, a = 0, b = 0;
    double exponent = 2.0;
};

// A rectangle of the model's texture, in texture coordinates.
struct UvRect {
    double u0 = 0, v0 = 0, u1 = 0, v1 = 0;
    Point2 at(double s, double t) const { return {u0 + (u1 - u0) * s, v0 + (v1 - v0) * t}; }
};

// Builds closed, outward-facing triangle meshes from lofts and extruded outlines, game axes
// (+x forward, +y up). Every triangle is wound counter-clockwise seen from outside and
// every normal points outward.
class MeshBuilder {
public:
    // A smooth body through the sections, closed at both ends.
    void loft(const PartFrame& frame, const std::vector<LoftSection>& sections, int around, const UvRect& skin,
              const UvRect& ends);
    // A flat-sided slab: a convex outline in the frame's (axis, sideA) plane, thickness along sideB.
    void slab(const PartFrame& frame, const std::vector<Point2>& outline, double thickness, const UvRect& sides,
              const UvRect& faces);

    MdlData finish() const;

private:
    int vertex(const Vector3& position, const Vector3& normal);
    // Adds the triangle wound so that its face normal agrees with outward.
    void triangle(int a, int b, int c, Point2 ua, Point2 ub, Point2 uc, const Vector3& outward);

    std::vector<MeshVertex> vertices;
    std::vector<MeshTriangle> triangles;
};

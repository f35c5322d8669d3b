#include "content/MeshBuilder.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double PI = 3.14159265358979323846;

Vector3 unitOr(const Vector3& v, const Vector3& fallback) {
    double l = length(v);
    return l > 1e-9 ? v / l : fallback;
}

Vector3 toVector(const float* f) { return Vector3(f[0], f[1], f[2]); }

// Superellipse point at angle theta: (along sideA, along sideB).
Point2 sectionPoint(const LoftSection& s, double theta) {
    double c = std::cos(theta), sn = std::sin(theta);
    double e = 2.0 / s.exponent;
    return {s.a * (c < 0 ? -1 : 1) * std::pow(std::fabs(c), e), s.b * (sn < 0 ? -1 : 1) * std::pow(std::fabs(sn), e)};
}

}  // namespace

int MeshBuilder::vertex(const Vector3& p, const Vector3& n) {
    MeshVertex v{};
    v.position[0] = static_cast<float>(p.x);
    v.position[1] = static_cast<float>(p.y);
    v.position[2] = static_cast<float>(p.z);
    v.normal[0] = static_cast<float>(n.x);
    v.normal[1] = static_cast<float>(n.y);
    v.normal[2] = static_cast<float>(n.z);
    vertices.push_back(v);
    return static_cast<int>(vertices.size());  // 1-based, as the file counts them
}

void MeshBuilder::triangle(int a, int b, int c, Point2 ua, Point2 ub, Point2 uc, const Vector3& outward) {
    Vector3 pa = toVector(vertices[a - 1].position), pb = toVector(vertices[b - 1].position), pc = toVector(vertices[c - 1].position);
    Vector3 face = cross(pb - pa, pc - pa);
    if (length(face) < 1e-9) return;  // degenerate at a pointed tip
    if (dot(face, outward) < 0) {
        std::swap(b, c);
        std::swap(ub, uc);
    }
    MeshTriangle t{};
    int idx[3] = {a, b, c};
    Point2 uv[3] = {ua, ub, uc};
    for (int k = 0; k < 3; ++k) {
        t.vertexIndices[k] = idx[k];
        t.u[k] = static_cast<float>(uv[k].x);
        t.v[k] = static_cast<float>(uv[k].y);
    }
    triangles.push_back(t);
}

void MeshBuilder::loft(const PartFrame& f, const std::vector<LoftSection>& sections, int around, const UvRect& skin,
                       const UvRect& ends) {
    const int rows = static_cast<int>(sections.size());
    auto position = [&](int i, int j) {
        Point2 q = sectionPoint(sections[i], 2 * PI * j / around);
        return f.origin + f.axis * sections[i].t + f.sideA * q.x + f.sideB * q.y;
    };
    auto centre = [&](int i) { return f.origin + f.axis * sections[i].t; };
    // Smooth normals from the surface's two directions, turned outward from the axis.
    std::vector<int> index(static_cast<std::size_t>(rows) * (around + 1));
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j <= around; ++j) {
            Vector3 p = position(i, j);
            Vector3 alongLength = position(std::min(i + 1, rows - 1), j) - position(std::max(i - 1, 0), j);
            Vector3 alongRing = position(i, (j + 1) % around) - position(i, (j + around - 1) % around);
            Vector3 radial = p - centre(i);
            Vector3 n = cross(alongLength, alongRing);
            if (length(n) < 1e-9 || length(radial) < 1e-6) n = (i == 0 ? -f.axis : f.axis);
            if (dot(n, radial) < 0 && length(radial) > 1e-6) n = -n;
            index[static_cast<std::size_t>(i) * (around + 1) + j] = vertex(p, unitOr(n, f.axis));
        }
    for (int i = 0; i + 1 < rows; ++i)
        for (int j = 0; j < around; ++j) {
            int a = index[static_cast<std::size_t>(i) * (around + 1) + j], b = index[static_cast<std::size_t>(i + 1) * (around + 1) + j];
            int c = index[static_cast<std::size_t>(i + 1) * (around + 1) + j + 1], d = index[static_cast<std::size_t>(i) * (around + 1) + j + 1];
            Point2 ua = skin.at(double(i) / (rows - 1), double(j) / around), ub = skin.at(double(i + 1) / (rows - 1), double(j) / around);
            Point2 uc = skin.at(double(i + 1) / (rows - 1), double(j + 1) / around), ud = skin.at(double(i) / (rows - 1), double(j + 1) / around);
            Vector3 mid = (position(i, j) + position(i + 1, j + 1)) * 0.5;
            Vector3 outward = mid - (centre(i) + centre(i + 1)) * 0.5;
            triangle(a, b, c, ua, ub, uc, outward);
            triangle(a, c, d, ua, uc, ud, outward);
        }
    // Flat caps where the ends are open.
    for (int end : {0, rows - 1}) {
        if (sections[end].a < 1e-6 && sections[end].b < 1e-6) continue;
        Vector3 n = end == 0 ? -f.axis : f.axis;
        int middle = vertex(centre(end), n);
        std::vector<int> ring;
        for (int j = 0; j < around; ++j) ring.push_back(vertex(position(end, j), n));
        for (int j = 0; j < around; ++j) {
            Point2 q0 = sectionPoint(sections[end], 2 * PI * j / around), q1 = sectionPoint(sections[end], 2 * PI * (j + 1) / around);
            auto uv = [&](Point2 q) { return ends.at(0.5 + 0.5 * q.x / sections[end].a, 0.5 + 0.5 * q.y / sections[end].b); };
            triangle(middle, ring[j], ring[(j + 1) % around], ends.at(0.5, 0.5), uv(q0), uv(q1), n);
        }
    }
}

void MeshBuilder::slab(const PartFrame& f, const std::vector<Point2>& outline, double thickness, const UvRect& sides,
                       const UvRect& faces) {
    std::size_t n = outline.size();
    double minX = 1e300, maxX = -1e300, minY = 1e300, maxY = -1e300;
    for (const Point2& p : outline) {
        minX = std::min(minX, p.x), maxX = std::max(maxX, p.x), minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
    }
    auto at = [&](const Point2& p, double side) { return f.origin + f.axis * p.x + f.sideA * p.y + f.sideB * (side * thickness / 2); };
    auto faceUv = [&](const Point2& p) { return faces.at((p.x - minX) / std::max(maxX - minX, 1e-9), (p.y - minY) / std::max(maxY - minY, 1e-9)); };
    for (double side : {-1.0, 1.0}) {
        Vector3 normal = f.sideB * side;
        std::vector<int> ring;
        for (const Point2& p : outline) ring.push_back(vertex(at(p, side), normal));
        for (std::size_t k = 1; k + 1 < n; ++k) triangle(ring[0], ring[k], ring[k + 1], faceUv(outline[0]), faceUv(outline[k]), faceUv(outline[k + 1]), normal);
    }
    Point2 centre;
    for (const Point2& p : outline) centre = centre + p * (1.0 / n);
    for (std::size_t k = 0; k < n; ++k) {
        const Point2& p = outline[k];
        const Point2& q = outline[(k + 1) % n];
        Point2 edge = q - p;
        Point2 out2{edge.y, -edge.x};
        if (dot2(out2, p - centre) < 0) out2 = out2 * -1;
        Vector3 normal = unitOr(f.axis * out2.x + f.sideA * out2.y, f.axis);
        int a = vertex(at(p, -1), normal), b = vertex(at(q, -1), normal), c = vertex(at(q, 1), normal), d = vertex(at(p, 1), normal);
        triangle(a, b, c, sides.at(0, 0), sides.at(1, 0), sides.at(1, 1), normal);
        triangle(a, c, d, sides.at(0, 0), sides.at(1, 1), sides.at(0, 1), normal);
    }
}

MdlData MeshBuilder::finish() const {
    MdlData data;
    data.vertices = vertices;
    data.triangles = triangles;
    Vector3 low(1e300, 1e300, 1e300), high(-1e300, -1e300, -1e300);
    for (const MeshVertex& v : vertices) {
        low = componentMin(low, toVector(v.position));
        high = componentMax(high, toVector(v.position));
    }
    if (vertices.empty()) low = high = Vector3(0, 0, 0);
    // The file lists its box from its own minimum to its maximum (z up there), which in game
    // axes puts the larger z in the first corner.
    data.box = Box(Vector3(low.x, low.y, high.z), Vector3(high.x, high.y, low.z));
    return data;
}

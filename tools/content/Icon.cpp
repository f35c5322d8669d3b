#include "content/Icon.h"

#include "content/Models.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr int SAMPLES = 4;          // per pixel side: smooth edges and alpha
constexpr double MARGIN = 0.06;     // of the side, kept clear around the pod
constexpr double YAW = -50 * PI / 180, PITCH = 32 * PI / 180;

struct ViewPoint {
    double x = 0, y = 0, z = 0;  // x right, y up, z towards the viewer
};

ViewPoint view(const float* p) {
    // Turn the nose towards the viewer and to the right, then tilt the top towards the viewer.
    double x = p[0] * std::cos(YAW) + p[2] * std::sin(YAW);
    double z = -p[0] * std::sin(YAW) + p[2] * std::cos(YAW);
    double y = p[1];
    return {x, y * std::cos(PITCH) - z * std::sin(PITCH), y * std::sin(PITCH) + z * std::cos(PITCH)};
}

ViewPoint normalised(ViewPoint v) {
    double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return length > 0 ? ViewPoint{v.x / length, v.y / length, v.z / length} : ViewPoint{0, 0, 1};
}

double dot(ViewPoint a, ViewPoint b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// The skin colour under the light: soft ambient, diffuse from the upper left, a white highlight.
Colour shade(Colour paint, ViewPoint normal) {
    const ViewPoint light = normalised({-0.45, 0.75, 0.55});
    const ViewPoint halfway = normalised({light.x, light.y, light.z + 1});
    double diffuse = std::max(0.0, dot(normal, light));
    double highlight = std::pow(std::max(0.0, dot(normal, halfway)), 24) * 0.3;
    Colour lit = paint * (0.42 + 0.7 * diffuse);
    return {lit.r + highlight, lit.g + highlight, lit.b + highlight};
}

}  // namespace

RgbaPicture drawIcon(int size) {
    MdlData pod;
    for (ModelAsset& model : buildModels())
        if (model.name == "pod") pod = model.mesh;
    const Canvas skin = drawModelSkin();

    std::vector<ViewPoint> points, normals;
    double minX = 1e30, maxX = -1e30, minY = 1e30, maxY = -1e30;
    for (const MeshVertex& vertex : pod.vertices) {
        points.push_back(view(vertex.position));
        normals.push_back(normalised(view(vertex.normal)));
        minX = std::min(minX, points.back().x), maxX = std::max(maxX, points.back().x);
        minY = std::min(minY, points.back().y), maxY = std::max(maxY, points.back().y);
    }

    // Sample grid: the pod centred, its larger extent filling the side inside the margin.
    const int n = size * SAMPLES;
    const double scale = n * (1 - 2 * MARGIN) / std::max(maxX - minX, maxY - minY);
    const double centreX = (minX + maxX) / 2, centreY = (minY + maxY) / 2;
    auto toGridX = [&](double x) { return (x - centreX) * scale + n / 2.0; };
    auto toGridY = [&](double y) { return n / 2.0 - (y - centreY) * scale; };

    std::vector<double> depth(static_cast<std::size_t>(n) * n, -std::numeric_limits<double>::infinity());
    std::vector<Colour> colour(static_cast<std::size_t>(n) * n);
    for (const MeshTriangle& triangle : pod.triangles) {
        int index[3];
        double gx[3], gy[3];
        for (int k = 0; k < 3; ++k) {
            index[k] = triangle.vertexIndices[k] - 1;
            gx[k] = toGridX(points[index[k]].x);
            gy[k] = toGridY(points[index[k]].y);
        }
        double area = (gx[1] - gx[0]) * (gy[2] - gy[0]) - (gx[2] - gx[0]) * (gy[1] - gy[0]);
        if (std::abs(area) < 1e-12) continue;
        int x0 = std::max(0, static_cast<int>(std::floor(std::min({gx[0], gx[1], gx[2]}))));
        int x1 = std::min(n - 1, static_cast<int>(std::ceil(std::max({gx[0], gx[1], gx[2]}))));
        int y0 = std::max(0, static_cast<int>(std::floor(std::min({gy[0], gy[1], gy[2]}))));
        int y1 = std::min(n - 1, static_cast<int>(std::ceil(std::max({gy[0], gy[1], gy[2]}))));
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                double px = x + 0.5, py = y + 0.5;
                // Barycentric weights; the sample is inside when all three share the area's sign.
                double w0 = ((gx[1] - px) * (gy[2] - py) - (gx[2] - px) * (gy[1] - py)) / area;
                double w1 = ((gx[2] - px) * (gy[0] - py) - (gx[0] - px) * (gy[2] - py)) / area;
                double w2 = 1 - w0 - w1;
                if (w0 < 0 || w1 < 0 || w2 < 0) continue;
                double z = w0 * points[index[0]].z + w1 * points[index[1]].z + w2 * points[index[2]].z;
                std::size_t at = static_cast<std::size_t>(y) * n + x;
                if (z <= depth[at]) continue;
                depth[at] = z;
                double u = w0 * triangle.u[0] + w1 * triangle.u[1] + w2 * triangle.u[2];
                double v = w0 * triangle.v[0] + w1 * triangle.v[1] + w2 * triangle.v[2];
                ViewPoint normal = normalised({w0 * normals[index[0]].x + w1 * normals[index[1]].x + w2 * normals[index[2]].x,
                                               w0 * normals[index[0]].y + w1 * normals[index[1]].y + w2 * normals[index[2]].y,
                                               w0 * normals[index[0]].z + w1 * normals[index[1]].z + w2 * normals[index[2]].z});
                colour[at] = shade(skin.sample(u * skin.width(), v * skin.height()), normal);
            }
    }

    // Each pixel: the mean colour of its covered samples, the covered share as alpha.
    RgbaPicture icon;
    icon.width = icon.height = size;
    icon.rgba.assign(static_cast<std::size_t>(size) * size * 4, 0);
    auto byte = [](double v) { return static_cast<std::uint8_t>(std::lround(clamp01(v) * 255.0)); };
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            Colour sum;
            int covered = 0;
            for (int sy = 0; sy < SAMPLES; ++sy)
                for (int sx = 0; sx < SAMPLES; ++sx) {
                    std::size_t at = static_cast<std::size_t>(y * SAMPLES + sy) * n + x * SAMPLES + sx;
                    if (depth[at] == -std::numeric_limits<double>::infinity()) continue;
                    sum = sum + colour[at];
                    ++covered;
                }
            if (covered == 0) continue;
            std::uint8_t* p = &icon.rgba[(static_cast<std::size_t>(y) * size + x) * 4];
            Colour mean = sum * (1.0 / covered);
            p[0] = byte(mean.r), p[1] = byte(mean.g), p[2] = byte(mean.b);
            p[3] = byte(covered / double(SAMPLES * SAMPLES));
        }
    return icon;
}

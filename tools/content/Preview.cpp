#include "content/Preview.h"

#include "content/Mood.h"
#include "content/SkyBox.h"

#include <algorithm>
#include <cmath>

Canvas drawPreview(const Circuit& circuit, const Canvas& ground, int width, int height) {
    const int index = circuit.design->number - 1;
    const Mood& mood = circuitMood(index);
    const double N = HEIGHTMAP_SIZE;
    // Heights in heightmap pixels, raised a little so the relief reads at this size.
    const double relief = 2.2 / circuit.design->gridSpacing;
    const Vector3 eye(N / 2, 118, -104);
    const Vector3 forward = Vector3(0, -0.42, 1) / length(Vector3(0, -0.42, 1));
    const Vector3 right = cross(forward, Vector3(0, 1, 0)) / length(cross(forward, Vector3(0, 1, 0)));
    const Vector3 up = cross(right, forward);
    const double focal = width / 2 / std::tan(31 * 3.14159265358979 / 180);

    // The ground picture at falling resolutions, each distance read from the one whose texels
    // are about the size a preview pixel covers there: the road's markings do not flicker.
    std::vector<Canvas> smaller;
    for (const Canvas* level = &ground; level->width() > 64; level = &smaller.back()) smaller.push_back(level->halved());

    Canvas canvas(width, height);
    for (int column = 0; column < width; ++column) {
        double sx = (column + 0.5 - width / 2.0) / focal;
        // March along the ground plane's depth; paint each column front to back.
        int free = height;
        for (double z = 20; z < 520; z += 0.25 + z * 0.004) {
            // The point of the view ray at depth z, projected to the ground plane.
            Vector3 flatForward = Vector3(forward.x, 0, forward.z) / length(Vector3(forward.x, 0, forward.z));
            Vector3 p = eye + flatForward * z + right * (sx * z * 1.0);
            if (p.x < 0 || p.z < 0 || p.x >= N - 1 || p.z >= N - 1) continue;
            double h = circuit.heightAtPixel(p.x, p.z) * relief;
            Vector3 toPoint = Vector3(p.x, h, p.z) - eye;
            double depth = dot(toPoint, forward);
            if (depth <= 1) continue;
            int row = static_cast<int>(std::floor(height / 2.0 - dot(toPoint, up) / depth * focal));
            if (row >= free) continue;
            double footprint = z / focal / (N / ground.width());  // in texels of the full picture
            std::size_t level = std::min(smaller.size(), static_cast<std::size_t>(std::max(0.0, std::floor(std::log2(footprint)))));
            const Canvas& picture = level == 0 ? ground : smaller[level - 1];
            Colour c = picture.sample(p.x / N * picture.width(), p.z / N * picture.height());
            c = mix(c, mood.horizonSky, 0.35 * smoothstep(60, 420, z));
            // Rows under a surface seen edge-on are its steep side: darker.
            for (int r = std::max(row, 0); r < free; ++r) canvas.at(column, height - 1 - r) = r - row > 2 ? c * 0.55 : c;
            free = std::max(row, 0);
        }
        for (int r = 0; r < free; ++r) {
            double sy = (height / 2.0 - (r + 0.5)) / focal;
            Vector3 v = forward + right * sx + up * sy;
            v = v / length(v);
            // Tilt the sky up so its horizon meets the far edge of the land.
            const double tilt = 0.3;
            Vector3 direction = v * std::cos(tilt) + cross(right, v) * std::sin(tilt) + right * dot(right, v) * (1 - std::cos(tilt));
            canvas.at(column, height - 1 - r) = skyColour(index, direction, 1 / focal);
        }
    }
    return canvas;
}

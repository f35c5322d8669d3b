#include "content/SkyBox.h"

#include "content/Mood.h"
#include "content/Random.h"

#include <cmath>

namespace {

// Distant hills on the horizon: a height (radians of elevation) for each azimuth, periodic.
double hillsElevation(int circuitIndex, double azimuth) {
    double x = std::cos(azimuth) * 3.0, y = std::sin(azimuth) * 3.0;
    double n = fractalNoise(x + 11, y + 7, 4242u + circuitIndex, 5);
    double ridge = ridgedNoise(x * 0.8 + 3, y * 0.8 + 1, 5151u + circuitIndex, 4);
    double base = circuitIndex == 2 ? 0.012 : 0.02;
    return base + 0.025 * (0.5 + 0.5 * n) + (circuitIndex == 1 ? 0.05 : 0.02) * ridge * ridge;
}

}  // namespace

Colour skyColour(int circuitIndex, const Vector3& direction) {
    const Mood& mood = circuitMood(circuitIndex);
    Colour fog = fogColour();
    double elevation = std::asin(std::max(-1.0, std::min(1.0, direction.y)));
    if (elevation <= 0) return fog;

    // Gradient from the horizon to the zenith, with the haze of the fog at the bottom.
    double up = std::pow(std::sin(elevation), 0.55);
    Colour sky = mix(mood.horizonSky, mood.zenith, up);
    double sunCos = dot(direction, mood.toSun);
    double glow = std::pow(std::max(0.0, sunCos), 8.0) * 0.55 + std::pow(std::max(0.0, sunCos), 120.0) * 0.6;
    sky = sky + (mood.sunGlow - sky) * std::min(1.0, glow * (1 - mood.cloudCover * 0.6));

    // Clouds on a layer high above, seen through the direction: continuous across faces.
    if (direction.y > 0.01) {
        double scale = 1.0 / direction.y;
        double cx = direction.x * scale * 0.9, cz = direction.z * scale * 0.9;
        double stretch = circuitIndex == 1 ? 0.6 : 1.0;  // long streaks at sunset
        double n = fractalNoise(cx * stretch + 40, cz + 40, 777u + circuitIndex, 6, 0.55);
        double density = smoothstep(0.55 - mood.cloudCover, 0.95 - mood.cloudCover * 0.8, n + 0.5);
        density *= smoothstep(0.0, 0.12, direction.y) * 0.9 + 0.1;
        double light = 0.5 + 0.5 * fractalNoise(cx * stretch * 1.7 + 3, cz * 1.7 + 9, 999u + circuitIndex, 4);
        Colour cloud = mix(mood.cloudShade, mood.cloudLit, clamp01(light + 0.3 * std::max(0.0, sunCos)));
        sky = mix(sky, cloud, clamp01(density));
    }

    // Distant hills, then haze down to the fog colour at the horizon itself.
    double azimuth = std::atan2(direction.z, direction.x);
    double hills = hillsElevation(circuitIndex, azimuth);
    if (elevation < hills) sky = mix(mood.distantHills, fog, 0.35 + 0.5 * (1 - elevation / hills));
    return mix(fog, sky, smoothstep(0.0, 0.035, elevation) * 0.7 + 0.3 * smoothstep(0.0, 0.004, elevation));
}

Canvas drawSkyFace(int circuitIndex, int face, double W, int size) {
    Canvas canvas(size, size);
    double x0 = -W, x1 = W, y0 = -W / 2 + 30000.0, y1 = y0 + W, z0 = -W, z1 = W;
    for (int j = 0; j < size; ++j)
        for (int i = 0; i < size; ++i) {
            // Texture coordinates of the texel centre: s along the row, t up the rows.
            double s = (i + 0.5) / size, t = (j + 0.5) / size;
            Vector3 p;
            switch (face) {
                case 1: p = Vector3(x0 + (x1 - x0) * s, y0 + (y1 - y0) * t, z1); break;
                case 0: p = Vector3(x1 - (x1 - x0) * s, y0 + (y1 - y0) * t, z0); break;
                case 4: p = Vector3(x0, y0 + (y1 - y0) * t, z0 + (z1 - z0) * s); break;
                case 5: p = Vector3(x1, y0 + (y1 - y0) * t, z1 - (z1 - z0) * s); break;
                case 3: p = Vector3(x0 + (x1 - x0) * s, y1, z0 + (z1 - z0) * t); break;
                default: p = Vector3(x0 + (x1 - x0) * s, y0, z0 + (z1 - z0) * t); break;
            }
            canvas.at(i, j) = skyColour(circuitIndex, p / length(p));
        }
    return canvas;
}

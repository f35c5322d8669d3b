#include "content/GroundTexture.h"

#include "content/Mood.h"
#include "content/Random.h"
#include "content/RoadMarkings.h"
#include "content/TrackLocator.h"

#include <algorithm>
#include <cmath>

namespace {

struct Palette {
    Colour water, shallows, sand, meadow, grass, forest, rock, darkRock, snow;
    double snowLine = 0, rockLine = 0;  // heights, world units; the hills inside the border stay below 4500
};

const Palette& paletteFor(Landscape landscape) {
    static const Palette valley{bytes(28, 70, 92),   bytes(58, 120, 118), bytes(196, 184, 140), bytes(120, 160, 64),
                                bytes(84, 132, 50),  bytes(44, 86, 38),   bytes(128, 120, 108), bytes(92, 86, 80),
                                bytes(240, 244, 250), 4350, 3700};
    static const Palette alpine{bytes(40, 78, 98),   bytes(70, 118, 120), bytes(170, 160, 130), bytes(150, 160, 80),
                                bytes(102, 124, 58), bytes(40, 72, 44),   bytes(122, 112, 104), bytes(78, 72, 70),
                                bytes(246, 246, 252), 3900, 3300};
    static const Palette islands{bytes(36, 72, 84),   bytes(72, 132, 130), bytes(204, 194, 160), bytes(134, 150, 84),
                                 bytes(92, 118, 64),  bytes(58, 86, 52),   bytes(110, 104, 98),  bytes(66, 62, 62),
                                 bytes(226, 228, 232), 9000, 3600};
    switch (landscape) {
        case Landscape::Valley: return valley;
        case Landscape::Alpine: return alpine;
        case Landscape::Islands: return islands;
    }
    return valley;
}

double shapeAtPixel(const Circuit& c, double x, double y) {
    x = std::clamp(x, 0.0, HEIGHTMAP_SIZE - 1.0);
    y = std::clamp(y, 0.0, HEIGHTMAP_SIZE - 1.0);
    int x0 = std::min(static_cast<int>(x), HEIGHTMAP_SIZE - 2), y0 = std::min(static_cast<int>(y), HEIGHTMAP_SIZE - 2);
    double fx = x - x0, fy = y - y0;
    auto at = [&](int i, int j) { return static_cast<double>(c.shape[static_cast<std::size_t>(j) * HEIGHTMAP_SIZE + i]); };
    return lerp(lerp(at(x0, y0), at(x0 + 1, y0), fx), lerp(at(x0, y0 + 1), at(x0 + 1, y0 + 1), fx), fy);
}

// Natural ground colour from height, slope and patches, before light.
Colour landColour(const Circuit& c, const Palette& p, double px, double py, double h, double shape, double slope) {
    std::uint32_t seed = c.design->seed + 77;
    double patches = fractalNoise(px / 9, py / 9, seed, 4);
    double fine = fractalNoise(px * 1.3, py * 1.3, seed + 5, 3);
    Colour colour = mix(p.meadow, p.grass, smoothstep(-0.3, 0.3, patches));
    // Woods on the lower slopes, thinning out with height.
    double woods = smoothstep(0.0, 0.35, fractalNoise(px / 11, py / 11, seed + 9, 5) + 0.08 * fine) *
                   (1 - smoothstep(p.rockLine * 0.6, p.rockLine, h)) * smoothstep(300, 900, h);
    colour = mix(colour, p.forest, woods * 0.7);
    double rockiness = std::max(smoothstep(0.45, 0.8, slope), smoothstep(p.rockLine - 600, p.rockLine + 600, h + 500 * fine));
    colour = mix(colour, mix(p.rock, p.darkRock, smoothstep(-0.2, 0.4, patches)), rockiness);
    double snow = smoothstep(p.snowLine - 400, p.snowLine + 400, h + 700 * fine) * (1 - smoothstep(0.7, 1.1, slope));
    colour = mix(colour, p.snow, snow);
    double beach = 1 - smoothstep(120, 360, shape + 120 * fine);
    return mix(colour, p.sand, beach);
}

// The ground as nature left it, before light, and the light that falls on it (the game draws
// its ground unlit, so light and shade are baked in).
struct LitGround {
    Colour colour, light;
    double grain = 0;  // how much the picture's fine grain brightens and darkens it
};

LitGround naturalGround(const Circuit& c, double px, double py) {
    const Palette& p = paletteFor(c.design->landscape);
    const Mood& mood = circuitMood(c.design->number - 1);
    double spacing = c.design->gridSpacing;
    double h = c.heightAtPixel(px, py);
    double e = 0.5;
    double dx = (c.heightAtPixel(px + e, py) - c.heightAtPixel(px - e, py)) / (2 * e * spacing);
    double dz = (c.heightAtPixel(px, py + e) - c.heightAtPixel(px, py - e)) / (2 * e * spacing);
    Vector3 normal(-dx, 1, -dz);
    normal = normal / length(normal);
    double slope = std::sqrt(dx * dx + dz * dz);

    LitGround ground;
    double shape = shapeAtPixel(c, px, py);
    if (shape < 20) {
        double depth = smoothstep(0, -1800, shape);
        ground.colour = mix(p.shallows, p.water, depth);
        ground.grain = 0.04;
        normal = Vector3(0, 1, 0);
    } else {
        ground.colour = landColour(c, p, px, py, h, shape, slope);
        ground.grain = 0.09;
    }
    double direct = std::max(0.0, dot(normal, mood.toSun)), flat = std::max(0.05, mood.toSun.y);
    double lit = lerp(1.0, direct / flat, mood.shadeContrast);
    double brightness = 0.55 + 0.45 * std::min(lit, 1.35);
    ground.light = mix(mood.shadowLight, mood.sunLight, clamp01(lit)) * (brightness * 1.08);
    return ground;
}

}  // namespace

Canvas drawGroundTexture(const Circuit& circuit, int size) {
    // Nature varies slowly: it is painted at half the resolution and magnified; the grain and
    // the road are painted at full resolution.
    const int coarse = std::max(1, size / 2);
    Canvas land(coarse, coarse), light(coarse, coarse), grain(coarse, coarse);
    const double perCoarse = static_cast<double>(HEIGHTMAP_SIZE) / coarse;
    for (int y = 0; y < coarse; ++y)
        for (int x = 0; x < coarse; ++x) {
            LitGround ground = naturalGround(circuit, (x + 0.5) * perCoarse, (y + 0.5) * perCoarse);
            land.at(x, y) = ground.colour;
            light.at(x, y) = ground.light;
            grain.at(x, y) = Colour{ground.grain, ground.grain, ground.grain};
        }

    Canvas canvas(size, size);
    TrackLocator track(circuit.centreLine, RoadPainter::REACH);
    RoadPainter road(circuit, track);
    const double perPixel = static_cast<double>(HEIGHTMAP_SIZE) / size, toCoarse = static_cast<double>(coarse) / size;
    const std::uint32_t seed = circuit.design->seed + 991;
    // The grain keeps its size on the ground whatever the picture's resolution.
    const double grainScale = 0.35 * 1024.0 / size;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            // Texel centre in heightmap pixels: the terrain maps texture s = column / columns.
            double px = (x + 0.5) * perPixel, py = (y + 0.5) * perPixel;
            double cx = (x + 0.5) * toCoarse, cy = (y + 0.5) * toCoarse;
            double detail = 0.6 * fractalNoise(x * grainScale, y * grainScale, seed, 3) + 0.4 * (hash3(x, y, seed) / 2147483647.5 - 1.0);
            Colour colour = land.sample(cx, cy) * (Colour{1, 1, 1} + grain.sample(cx, cy) * detail);
            TrackPlace place;
            // The distance field is exact on the grid and a pixel's diagonal off between.
            if (circuit.distanceAtPixel(px, py) < RoadPainter::REACH + 1 && track.nearest({px, py}, RoadPainter::REACH, place))
                colour = road.paint(colour, place, perPixel, detail);
            canvas.at(x, y) = colour * light.sample(cx, cy);
        }
    return canvas;
}

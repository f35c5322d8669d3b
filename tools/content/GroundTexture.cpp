#include "content/GroundTexture.h"

#include "content/Mood.h"
#include "content/Random.h"

#include <algorithm>
#include <cmath>

TrackLocator::TrackLocator(const std::vector<Point2>& line) : points(line), total(0) {
    bucketsPerSide = HEIGHTMAP_SIZE / BUCKET + 1;
    buckets.resize(static_cast<std::size_t>(bucketsPerSide) * bucketsPerSide);
    for (std::size_t i = 0; i < points.size(); ++i) {
        arcAt.push_back(total);
        total += length2(points[(i + 1) % points.size()] - points[i]);
        int bx = std::clamp(static_cast<int>(points[i].x) / BUCKET, 0, bucketsPerSide - 1);
        int by = std::clamp(static_cast<int>(points[i].y) / BUCKET, 0, bucketsPerSide - 1);
        buckets[static_cast<std::size_t>(by) * bucketsPerSide + bx].push_back(static_cast<int>(i));
    }
}

bool TrackLocator::nearest(Point2 p, double reach, double& distance, double& arc) const {
    int r = static_cast<int>(std::ceil(reach / BUCKET)) + 1;
    int bx = static_cast<int>(std::floor(p.x / BUCKET)), by = static_cast<int>(std::floor(p.y / BUCKET));
    distance = reach;
    bool found = false;
    for (int y = std::max(0, by - r); y <= std::min(bucketsPerSide - 1, by + r); ++y)
        for (int x = std::max(0, bx - r); x <= std::min(bucketsPerSide - 1, bx + r); ++x)
            for (int i : buckets[static_cast<std::size_t>(y) * bucketsPerSide + x]) {
                Point2 a = points[i], b = points[(i + 1) % points.size()];
                double t = segmentParameter(p, a, b);
                double d = length2(p - (a + (b - a) * t));
                if (d < distance) {
                    distance = d;
                    arc = arcAt[i] + t * length2(b - a);
                    found = true;
                }
            }
    return found;
}

namespace {

struct Palette {
    Colour water, shallows, sand, meadow, grass, forest, rock, darkRock, snow, trackBed, trackLane;
    double snowLine, rockLine;  // heights, world units
};

const Palette& paletteFor(Landscape landscape) {
    static const Palette valley{bytes(28, 70, 92),   bytes(58, 120, 118), bytes(196, 184, 140), bytes(120, 160, 64),
                                bytes(84, 132, 50),  bytes(44, 86, 38),   bytes(128, 120, 108), bytes(92, 86, 80),
                                bytes(240, 244, 250), bytes(168, 150, 118), bytes(206, 192, 160), 7000, 4800};
    static const Palette alpine{bytes(40, 78, 98),   bytes(70, 118, 120), bytes(170, 160, 130), bytes(150, 160, 80),
                                bytes(102, 124, 58), bytes(40, 72, 44),   bytes(122, 112, 104), bytes(78, 72, 70),
                                bytes(246, 246, 252), bytes(96, 92, 90),  bytes(140, 136, 132), 6800, 3800};
    static const Palette islands{bytes(36, 72, 84),   bytes(72, 132, 130), bytes(204, 194, 160), bytes(134, 150, 84),
                                 bytes(92, 118, 64),  bytes(58, 86, 52),   bytes(110, 104, 98),  bytes(66, 62, 62),
                                 bytes(226, 228, 232), bytes(188, 178, 146), bytes(96, 150, 150), 9000, 3600};
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

}  // namespace

Colour groundColour(const Circuit& c, const TrackLocator& track, double px, double py, double detail) {
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

    Colour colour;
    double shape = shapeAtPixel(c, px, py);
    bool sea = shape < 20;
    if (sea) {
        double depth = smoothstep(0, -1800, shape);
        colour = mix(p.shallows, p.water, depth) * (1 + 0.04 * detail);
        normal = Vector3(0, 1, 0);
    } else {
        colour = landColour(c, p, px, py, h, shape, slope) * (1 + 0.09 * detail);
    }

    double distance, arc;
    const double half = 3.2;  // track half width, pixels (the grid of pods is about 6000 wide)
    if (track.nearest({px, py}, half + 1, distance, arc)) {
        Colour bed = sea ? p.trackLane : mix(p.trackBed, p.trackLane, 0.5 + 0.5 * std::sin(arc * 0.05));
        double inside = 1 - smoothstep(half - 0.15, half + 0.1, distance);
        colour = mix(colour, bed * (1 + 0.05 * detail), inside * (sea ? 0.55 : 0.92));
        // Kerbs: red and white blocks a grid cell long along both edges.
        double kerb = smoothstep(half - 0.75, half - 0.6, distance) * (1 - smoothstep(half - 0.1, half + 0.05, distance));
        Colour kerbColour = (static_cast<long>(std::floor(arc)) % 2) ? bytes(236, 236, 230) : bytes(200, 40, 36);
        colour = mix(colour, kerbColour, kerb);
        // A dashed centre line marks the racing line.
        double dash = (std::fmod(arc, 4.0) < 2.0) ? 1 - smoothstep(0.08, 0.2, distance) : 0;
        colour = mix(colour, bytes(250, 250, 240), dash * 0.85);
        // Chequered start across the track where the pods line up.
        double fromStart = arc < track.length() / 2 ? arc : arc - track.length();
        if (std::fabs(fromStart) < 0.8 && distance < half - 0.6) {
            int u = static_cast<int>(std::floor(fromStart * 2.5 + 10)), v = static_cast<int>(std::floor(distance * 2.5));
            colour = ((u + v) % 2) ? bytes(245, 245, 245) : bytes(24, 24, 24);
        }
    }

    // Light baked in: the game draws its ground unlit.
    double direct = std::max(0.0, dot(normal, mood.toSun)), flat = std::max(0.05, mood.toSun.y);
    double lit = lerp(1.0, direct / flat, mood.shadeContrast);
    Colour light = mix(mood.shadowLight, mood.sunLight, clamp01(lit));
    double brightness = 0.55 + 0.45 * std::min(lit, 1.35);
    return colour * light * brightness * 1.08;
}

Canvas drawGroundTexture(const Circuit& circuit, int size) {
    Canvas canvas(size, size);
    TrackLocator track(circuit.centreLine);
    double perPixel = static_cast<double>(HEIGHTMAP_SIZE) / size;
    std::uint32_t seed = circuit.design->seed + 991;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            // Texel centre in heightmap pixels: the terrain maps texture s = column / columns.
            double px = (x + 0.5) * perPixel, py = (y + 0.5) * perPixel;
            double detail = 0.6 * fractalNoise(x * 0.35, y * 0.35, seed, 3) + 0.4 * (hash3(x, y, seed) / 2147483647.5 - 1.0);
            canvas.at(x, y) = groundColour(circuit, track, px, py, detail);
        }
    return canvas;
}

#include "content/SkyBox.h"

#include "content/Mood.h"
#include "content/Random.h"

#include <algorithm>
#include <cmath>

namespace {

// Texels from a face's edge that show only the edge sky: the repeat wrap blends a face's
// edge texels with its opposite edge's, at mipmap level L over 2^L texels; two cover the
// levels the sky is seen at (0, and 1 at grazing angles).
constexpr double EDGE_CORE = 2.0;
// Texels over which the circuit's own clouds, hills and glow take over beyond the core.
constexpr double EDGE_BAND = 64.0;
// Rows at a side face's bottom (far under the ground) that lead into its top rows.
constexpr double BOTTOM_BAND = 12.0;
// Distance of the cloud layer, in cloud-noise units per unit of direction.y.
constexpr double CLOUD_SCALE = 0.9;

// How much a noise octave of the given lattice cell keeps when one texel covers footprint:
// octaves finer than a few texels would only alias into speckle, so they fade to their mean.
double octaveKept(double footprint, double cell) { return 1 - smoothstep(0.15, 0.45, footprint / cell); }

// Fractal noise as fractalNoise makes it (same seeds and octaves), band-limited to the texel.
double filteredNoise(double x, double y, std::uint32_t seed, int octaves, double gain, double footprint) {
    double sum = 0, amplitude = 1, norm = 0, cell = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * octaveKept(footprint, cell) * valueNoise(x, y, seed + 101u * i);
        norm += amplitude;
        amplitude *= gain;
        cell *= 0.5;
        double nx = 1.6 * x + 1.2 * y, ny = -1.2 * x + 1.6 * y;
        x = nx + 17.3;
        y = ny - 9.1;
    }
    return sum / norm;
}

// Lattice value that repeats every n cells and is the same a quarter turn about the origin.
double quarterTurnLattice(int i, int k, int n, std::uint32_t seed) {
    auto wrap = [n](int v) { return ((v % n) + n) % n; };
    int key = n * n;
    for (int turn = 0; turn < 4; ++turn) {
        key = std::min(key, wrap(i) * n + wrap(k));
        int t = i;
        i = -k;
        k = t;
    }
    return hash3(key, 0, seed) * (2.0 / 4294967295.0) - 1.0;
}

double smoother(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }

// The cloud noise the box's edges show: it repeats every period across the cloud layer, so
// the top face's opposite edges continue into each other, and it looks the same a quarter
// turn about the zenith, so every vertical edge of the box shows the same clouds.
double edgeNoise(double x, double y, std::uint32_t seed, int octaves, double gain, double period, double footprint) {
    double sum = 0, amplitude = 1, norm = 0;
    int cells = std::max(1, static_cast<int>(std::lround(period)));
    for (int octave = 0; octave < octaves; ++octave, cells *= 2) {
        const double cell = period / cells, u = x / cell, v = y / cell;
        const double fu = std::floor(u), fv = std::floor(v), tu = smoother(u - fu), tv = smoother(v - fv);
        const int i = static_cast<int>(fu), k = static_cast<int>(fv);
        const std::uint32_t s = seed + 101u * octave;
        double a = quarterTurnLattice(i, k, cells, s), b = quarterTurnLattice(i + 1, k, cells, s);
        double c = quarterTurnLattice(i, k + 1, cells, s), d = quarterTurnLattice(i + 1, k + 1, cells, s);
        double value = lerp(lerp(a, b, tu), lerp(c, d, tu), tv);
        sum += amplitude * octaveKept(footprint, cell) * value;
        norm += amplitude;
        amplitude *= gain;
    }
    return sum / norm;
}

// Distant hills on the horizon: a height (radians of elevation) for each azimuth, periodic.
// turns = 4 gives hills that repeat every quarter turn, the same at every vertical edge.
double hillsElevation(int circuitIndex, double azimuth, int turns = 1) {
    double x = std::cos(azimuth * turns) * 3.0 / turns, y = std::sin(azimuth * turns) * 3.0 / turns;
    double n = fractalNoise(x + 11, y + 7, 4242u + circuitIndex, 5);
    double ridge = ridgedNoise(x * 0.8 + 3, y * 0.8 + 1, 5151u + circuitIndex, 4);
    double base = circuitIndex == 2 ? 0.012 : 0.02;
    return base + 0.025 * (0.5 + 0.5 * n) + (circuitIndex == 1 ? 0.05 : 0.02) * ridge * ridge;
}

double sunGlow(const Vector3& direction, const Vector3& toSun) {
    double c = std::max(0.0, dot(direction, toSun));
    return std::pow(c, 8.0) * 0.55 + std::pow(c, 120.0) * 0.6;
}

// The mean of a function of direction over the eight directions the box maps onto each
// other (x and z mirrored and swapped): the same at every point a wrap or corner joins.
template <typename F>
double boxMean(const Vector3& d, F f) {
    const Vector3 images[8] = {{d.x, d.y, d.z},  {-d.x, d.y, d.z},  {d.x, d.y, -d.z},  {-d.x, d.y, -d.z},
                               {d.z, d.y, d.x},  {-d.z, d.y, d.x},  {d.z, d.y, -d.x},  {-d.z, d.y, -d.x}};
    double sum = 0;
    for (const Vector3& image : images) sum += f(image);
    return sum / 8;
}

// Noise units of the far country per eye height of distance, and the haze over it: however
// clear the air, the country beyond the map is seen through as much haze as the fogged ground
// at the end of the view, so the two meet, and it melts into the fog toward the horizon.
constexpr double COUNTRY_SCALE = 0.1, COUNTRY_CLEAREST = 0.6, COUNTRY_HAZE_ANGLE = 0.03;

struct CountryColours {
    Colour low, mid, high, water;
};

// Plains for the valley, mountains for the pass, the sea for the islands.
const CountryColours& countryColours(int circuitIndex) {
    static const CountryColours valley{bytes(120, 156, 66), bytes(84, 128, 50), bytes(46, 84, 40), bytes(40, 80, 98)};
    static const CountryColours alpine{bytes(54, 78, 48), bytes(116, 108, 100), bytes(236, 238, 244), bytes(44, 80, 98)};
    static const CountryColours islands{bytes(196, 188, 150), bytes(92, 116, 64), bytes(62, 86, 54), bytes(38, 74, 86)};
    return circuitIndex == 0 ? valley : circuitIndex == 1 ? alpine : islands;
}

// The circuit's country running on beyond the map, under the horizon, seen from the middle of
// it: fields and woods, snowy ranges or islands in the sea, fading into the fog far off. Near
// the box's edges (own below 1) its shapes are the edge country every joined edge shares.
Colour farCountry(int circuitIndex, const Vector3& direction, double texelAngle, double own) {
    const double below = std::max(1e-4, -std::asin(std::max(-1.0, std::min(1.0, direction.y))));
    const double reach = std::min(1 / std::tan(below), 2000.0);
    const double footprint = COUNTRY_SCALE * texelAngle * std::max(reach, 1 / (std::sin(below) * std::sin(below)));
    const std::uint32_t seed = 8080u + 31u * circuitIndex;
    auto field = [&](std::uint32_t salt, double scale) {
        return [&, salt, scale](const Vector3& d) {
            const double across = std::max(std::hypot(d.x, d.z), 1e-9);
            const double k = COUNTRY_SCALE * reach * scale / across;
            return filteredNoise(d.x * k + 17, d.z * k - 5, seed + salt, 5, 0.5, footprint * scale);
        };
    };
    auto value = [&](auto f) { return own >= 1 ? f(direction) : lerp(boxMean(direction, f), f(direction), own); };
    const double shape = value(field(0, 1.0)), patches = value(field(7, 2.3));
    const CountryColours& c = countryColours(circuitIndex);
    Colour land;
    switch (circuitIndex) {
        case 0:  // fields and woods, now and then a lake
            land = mix(mix(c.low, c.mid, smoothstep(-0.3, 0.3, patches)), c.high, smoothstep(0.1, 0.5, shape) * 0.8);
            land = mix(land, c.water, smoothstep(-0.35, -0.5, shape));
            break;
        case 1:  // forested feet, bare rock, snow on the crests
            land = mix(c.low, c.mid, smoothstep(-0.3, 0.0, shape));
            land = mix(land, c.high, smoothstep(0.05, 0.3, shape + 0.2 * patches));
            land = land * (0.8 + 0.3 * patches);
            break;
        default:  // islands, sand round their shores, in the sea
            land = mix(c.water, c.low, smoothstep(0.1, 0.16, shape));
            land = mix(land, mix(c.mid, c.high, smoothstep(-0.2, 0.3, patches)), smoothstep(0.16, 0.24, shape));
            break;
    }
    land = land * circuitMood(circuitIndex).sunLight;
    return mix(fogColour(), land, COUNTRY_CLEAREST * (1 - std::exp(-below / COUNTRY_HAZE_ANGLE)));
}

// The sky in a direction. own (0 .. 1) is how much of the circuit's own clouds, hills and
// glow it shows; at 0 they are the edge sky's, which every joined edge shares. period is the
// cloud layer's repeat for the edge clouds (the top face's width in cloud units).
Colour skyAt(int circuitIndex, const Vector3& direction, double texelAngle, double own, double period) {
    const Mood& mood = circuitMood(circuitIndex);
    const Colour fog = fogColour();
    const double elevation = std::asin(std::max(-1.0, std::min(1.0, direction.y)));
    if (elevation <= 0) return farCountry(circuitIndex, direction, texelAngle, own);
    auto blend = [own](double edge, double local) { return own >= 1 ? local : own <= 0 ? edge : lerp(edge, local, own); };

    // Gradient from the horizon to the zenith, and the sun's glow.
    Colour sky = mix(mood.horizonSky, mood.zenith, std::pow(std::sin(elevation), 0.55));
    auto sunLit = [&mood](const Vector3& d) { return std::max(0.0, dot(d, mood.toSun)); };
    double glow = sunGlow(direction, mood.toSun), lit = sunLit(direction);
    if (own < 1) {
        glow = blend(boxMean(direction, [&mood](const Vector3& d) { return sunGlow(d, mood.toSun); }), glow);
        lit = blend(boxMean(direction, sunLit), lit);
    }
    sky = sky + (mood.sunGlow - sky) * std::min(1.0, glow * (1 - mood.cloudCover * 0.6));

    // Clouds on a layer high above, seen through the direction: continuous across faces.
    // Towards the horizon the layer is seen edge-on; its fine detail fades out there.
    const double height = std::max(direction.y, 0.02);
    const double cx = direction.x / height * CLOUD_SCALE, cz = direction.z / height * CLOUD_SCALE;
    const double footprint = texelAngle * CLOUD_SCALE / (height * height);
    const double stretch = circuitIndex == 1 ? 0.6 : 1.0;  // long streaks at sunset
    const std::uint32_t seed = 777u + circuitIndex, shadeSeed = 999u + circuitIndex;
    double n = 0, shade = 0;
    if (own > 0) {
        n = filteredNoise(cx * stretch + 40, cz + 40, seed, 6, 0.55, footprint);
        shade = filteredNoise(cx * stretch * 1.7 + 3, cz * 1.7 + 9, shadeSeed, 4, 0.5, footprint * 1.7);
    }
    if (own < 1) {
        n = blend(edgeNoise(cx, cz, seed, 6, 0.55, period, footprint), n);
        shade = blend(edgeNoise(cx * 2, cz * 2, shadeSeed, 4, 0.5, period * 2, footprint * 2), shade);
    }
    double density = smoothstep(0.55 - mood.cloudCover, 0.95 - mood.cloudCover * 0.8, n + 0.5);
    density *= smoothstep(0.0, 0.12, direction.y) * 0.9 + 0.1;
    density *= 1 - (1 - mood.cloudCover) * std::pow(lit, 40.0);  // the sun burns through thin cloud
    Colour cloud = mix(mood.cloudShade, mood.cloudLit, clamp01(0.5 + 0.5 * shade + 0.3 * lit));
    sky = mix(sky, cloud, clamp01(density));

    // Haze: the fog colour at the horizon itself, rising into the sky through a soft band.
    Colour hazed = mix(fog, sky, smoothstep(0.0, 0.09, elevation));
    // Distant hills: soft silhouettes darker than the haze about them, their feet in the
    // fog; the skyline is smoothed over a texel so it shows no steps.
    const double azimuth = std::atan2(direction.z, direction.x);
    double hills = own > 0 ? hillsElevation(circuitIndex, azimuth) : 0;
    if (own < 1) hills = blend(hillsElevation(circuitIndex, azimuth, 4), hills);
    const double soft = std::max(texelAngle, 0.001);
    const double cover = smoothstep(-soft, soft, hills - elevation);
    if (cover <= 0) return hazed;
    Colour hill = mix(fog, mix(mood.distantHills, hazed, 0.25), smoothstep(0.0, hills + soft, elevation));
    return mix(hazed, hill, cover);
}

}  // namespace

Colour skyColour(int circuitIndex, const Vector3& direction, double texelAngle) {
    return skyAt(circuitIndex, direction, texelAngle, 1.0, 1.0);
}

Canvas drawSkyFace(int circuitIndex, int face, double W, int size) {
    Canvas canvas(size, size);
    const double x0 = -W, x1 = W, y0 = -W / 2 + 30000.0, y1 = y0 + W, z0 = -W, z1 = W;
    const double texelWidth = 2 * W / size, period = 2 * W / y1 * CLOUD_SCALE;
    const bool side = face == 0 || face == 1 || face == 4 || face == 5;
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
            const double distance = length(p);
            // Texels to the nearest edge this face shares with another (the floor is never
            // drawn; a side face's bottom is handled below).
            double edge = std::min(i + 0.5, size - i - 0.5);
            if (side) edge = std::min(edge, size - j - 0.5);
            else if (face == 3) edge = std::min({edge, j + 0.5, size - j - 0.5});
            else edge = EDGE_BAND;
            canvas.at(i, j) = skyAt(circuitIndex, p / distance, texelWidth / distance, smoothstep(EDGE_CORE, EDGE_BAND, edge), period);
        }
    // The repeat wrap also joins a side face's bottom rows to its top rows: mirror the top
    // rows there, fading back to the fog above. The box's bottom lies far under the ground.
    if (side)
        for (int j = 0; j < BOTTOM_BAND; ++j)
            for (int i = 0; i < size; ++i)
                canvas.at(i, j) = mix(canvas.at(i, size - 1 - j), canvas.at(i, j), smoothstep(EDGE_CORE, BOTTOM_BAND, j + 0.5));
    return canvas;
}

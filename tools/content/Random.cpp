#include "content/Random.h"

#include <cmath>

std::uint64_t Random::next() {
    // splitmix64: tiny, fast and well distributed.
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Random::unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

std::uint32_t hash3(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    std::uint32_t h = seed * 0x27D4EB2Du ^ static_cast<std::uint32_t>(x) * 0x85EBCA6Bu ^
                      static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

namespace {
double lattice(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    return hash3(x, y, seed) * (2.0 / 4294967295.0) - 1.0;
}
double smooth(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }
}  // namespace

double valueNoise(double x, double y, std::uint32_t seed) {
    double fx = std::floor(x), fy = std::floor(y);
    auto ix = static_cast<std::int32_t>(fx), iy = static_cast<std::int32_t>(fy);
    double tx = smooth(x - fx), ty = smooth(y - fy);
    double a = lattice(ix, iy, seed), b = lattice(ix + 1, iy, seed);
    double c = lattice(ix, iy + 1, seed), d = lattice(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double fractalNoise(double x, double y, std::uint32_t seed, int octaves, double gain) {
    double sum = 0, amplitude = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * valueNoise(x, y, seed + 101u * i);
        norm += amplitude;
        amplitude *= gain;
        // Rotate a little each octave so lattice rows never line up.
        double nx = 1.6 * x + 1.2 * y, ny = -1.2 * x + 1.6 * y;
        x = nx + 17.3;
        y = ny - 9.1;
    }
    return sum / norm;
}

double ridgedNoise(double x, double y, std::uint32_t seed, int octaves) {
    double sum = 0, amplitude = 1, norm = 0, weight = 1;
    for (int i = 0; i < octaves; ++i) {
        double r = 1.0 - std::fabs(valueNoise(x, y, seed + 131u * i));
        r = r * r * weight;
        weight = r < 1 ? r : 1;
        sum += amplitude * r;
        norm += amplitude;
        amplitude *= 0.5;
        double nx = 1.6 * x + 1.2 * y, ny = -1.2 * x + 1.6 * y;
        x = nx + 5.7;
        y = ny + 3.3;
    }
    return sum / norm;
}

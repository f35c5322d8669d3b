#pragma once

#include <cstdint>

// Deterministic randomness for content: the same seed gives the same bytes on every run and
// every machine, which the build relies on (no std::rand, no clock seeds).
class Random {
public:
    explicit Random(std::uint64_t seed) : state(seed) {}

    std::uint64_t next();
    // Uniform in [0, 1).
    double unit();
    // Uniform in [low, high).
    double range(double low, double high) { return low + (high - low) * unit(); }

private:
    std::uint64_t state = 0;
};

// Integer hash of a lattice point: the basis of the noise functions.
std::uint32_t hash3(std::int32_t x, std::int32_t y, std::uint32_t seed);

// Smooth value noise in [-1, 1], continuous with a continuous gradient.
double valueNoise(double x, double y, std::uint32_t seed);
// Fractal sum of value noise, roughly in [-1, 1].
double fractalNoise(double x, double y, std::uint32_t seed, int octaves, double gain = 0.5);
// Ridged variant: sharp crests, for mountain ranges; in [0, 1].
double ridgedNoise(double x, double y, std::uint32_t seed, int octaves);

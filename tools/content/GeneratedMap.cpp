#include "content/GeneratedMap.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int CHECKPOINTS = 12;
constexpr double RING = 0.3;  // of the side, from the middle
constexpr double PI = 3.14159265358979;

// Hills a few dozen samples across, the same at every size, so bigger maps are more of the
// same country rather than the same country stretched.
std::uint8_t heightAt(int x, int y) {
    const double h = 110 + 45 * std::sin(x * 0.071) * std::cos(y * 0.053) + 25 * std::sin((x + 2 * y) * 0.023);
    return static_cast<std::uint8_t>(std::clamp(h, 0.0, 255.0));
}
}

Image generatedMap(int size) {
    Image map(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) map.setPixel(x, y, packColour(0, 0, heightAt(x, y), 0));
    auto ringPoint = [&](double turn, std::uint8_t red, std::uint8_t green) {
        const int x = static_cast<int>(size / 2 + RING * size * std::cos(2 * PI * turn));
        const int y = static_cast<int>(size / 2 + RING * size * std::sin(2 * PI * turn));
        map.setPixel(x, y, packColour(red, green, heightAt(x, y), 0));
    };
    for (int i = 0; i < CHECKPOINTS; ++i) ringPoint(static_cast<double>(i) / CHECKPOINTS, static_cast<std::uint8_t>(255 - i), 0);
    for (int kind = 0; kind < 3; ++kind) ringPoint((kind + 0.5) / CHECKPOINTS, 0, static_cast<std::uint8_t>(255 - kind));
    return map;
}

std::string writeGeneratedMap(const std::string& folder, int size) {
    const Image map = generatedMap(size);
    const std::string path = folder + "/map" + std::to_string(size) + ".bmp";
    map.save(path.c_str());
    return path;
}

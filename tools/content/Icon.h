#pragma once

#include <cstdint>
#include <vector>

// A picture with transparency, rows from the top, bytes R, G, B, A: the order PNG stores.
struct RgbaPicture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgba;

    const std::uint8_t* pixel(int x, int y) const { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
};

// The desktop icon: the race's own hover pod in its paint, seen in three-quarter view from
// above and ahead, lit from the upper left, on a transparent background, size x size pixels.
RgbaPicture drawIcon(int size);

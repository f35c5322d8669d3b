#pragma once

#include "assets/Image.h"

#include <cstdint>
#include <string>

// Heightmaps built in memory: blue is height, red a checkpoint, green a bonus marker.
inline Image flatHeightmap(int width, int height, std::uint8_t blue = 0) {
    Image image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, packColour(0, 0, blue, 0));
    return image;
}

inline void setBlue(Image& image, int col, int row, std::uint8_t blue) {
    image.setPixel(col, row, packColour(0, 0, blue, 0));
}

// A one-colour picture written as a BMP file, for textures.
inline std::string solidPicture(const std::string& path, std::uint8_t r, std::uint8_t g, std::uint8_t b,
                                int side = 8) {
    Image image(side, side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) image.setPixel(x, y, packColour(r, g, b, 0));
    image.save(path.c_str());
    return path;
}

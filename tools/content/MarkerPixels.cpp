#include "content/MarkerPixels.h"

MarkerPixels findMarkers(const Image& heightmap) {
    MarkerPixels found;
    for (int y = 0; y < heightmap.getHeight(); ++y)
        for (int x = 0; x < heightmap.getWidth(); ++x) {
            std::uint8_t r, g, b, a;
            unpackColour(heightmap.getPixel(x, y), &r, &g, &b, &a);
            if (r) found.checkpoints.push_back({x, y, 255 - r});
            if (g) found.bonuses.push_back({x, y, g});
        }
    return found;
}

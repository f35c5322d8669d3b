#pragma once

#include "assets/Image.h"

#include <vector>

// A marked pixel of a heightmap: a checkpoint (value 255 - red) or a bonus marker (value green).
struct GridMarker {
    int x = 0, y = 0;  // pixel
    int value = 0;
};

// Every red and every green pixel, in the terrain's scan order (row by row from row 0). The
// terrain keeps only the markers' places; checking a circuit needs their pixels, repeats too.
struct MarkerPixels {
    std::vector<GridMarker> checkpoints, bonuses;
};
MarkerPixels findMarkers(const Image& heightmap);

#pragma once

// One row of the circuit table: the files of a circuit and the size of its terrain.
struct CircuitSpec {
    const char* heightmapPath;
    const char* grassPath;
    const char* skyPrefix;  // the six sky faces are skyPrefix0.bmp .. skyPrefix5.bmp
    double heightScale;     // height of a sample whose blue byte is 255
    double gridSpacing;     // distance between neighbouring samples
    const char* previewPath;  // the menu's and the loading screen's picture of it
};

// The circuits in menu order; the game, the content generator and the tools all read them here.
constexpr int CIRCUIT_COUNT = 3;
extern const CircuitSpec CIRCUITS[CIRCUIT_COUNT];

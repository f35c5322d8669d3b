#pragma once

// One row of the circuit table: the files of a circuit and the size of its terrain.
struct CircuitSpec {
    const char* heightmapPath = nullptr;
    const char* grassPath = nullptr;
    const char* skyPrefix = nullptr;  // the six sky faces are skyPrefix0.bmp .. skyPrefix5.bmp
    double heightScale = 0;     // height of a sample whose blue byte is 255
    double gridSpacing = 0;     // distance between neighbouring samples
    const char* previewPath = nullptr;  // the menu's and the loading screen's picture of it
};

// The circuits in menu order; the game, the content generator and the tools all read them here.
constexpr int CIRCUIT_COUNT = 3;
extern const CircuitSpec CIRCUITS[CIRCUIT_COUNT];

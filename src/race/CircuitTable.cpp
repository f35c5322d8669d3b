#include "race/CircuitTable.h"

const CircuitSpec CIRCUITS[CIRCUIT_COUNT] = {
    {"Data/terrain1.bmp", "Data/herbe1.bmp", "Data/Sky1/sky", 10000.0, 1200.0, "Data/level1.bmp"},
    {"Data/terrain2.bmp", "Data/herbe2.bmp", "Data/Sky2/sky", 15000.0, 1500.0, "Data/level2.bmp"},
    {"Data/terrain3.bmp", "Data/herbe3.bmp", "Data/Sky3/sky", 10000.0, 1200.0, "Data/level3.bmp"},
};

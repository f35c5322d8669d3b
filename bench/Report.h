#pragma once

#include "Figures.h"

#include <vector>

// A table for people, then one line per circuit for scripts:
// BENCH circuit=<1..3> setup_ms=... frame_median_ms=... frame_p95_ms=... <part>_median_ms=...
// <part>_p95_ms=... triangles_median=... fps=... floor_median_ms=... floor_p95_ms=...
void printReport(const std::vector<CircuitFigures>& circuits);

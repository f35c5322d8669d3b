#pragma once

#include "Figures.h"

#include <string>

// Needs the offscreen context current, the font loaded and Data/ in the working directory.

// One circuit, twice from a fresh set-up on the same game clock (16 ms per frame from a fixed
// start, fixed random seed), so both runs fly exactly the same path: first the race frames as
// the game runs them, timed whole, with the camera path recorded for the floor; then the same
// frames timed part by part, each drawing part finished before the next.
CircuitFigures runCircuit(int circuit, int frames, int viewDistance);

// The same whole-frame run (without the part-by-part one) on a generated map of size² samples
// with circuit 1's grass, sky and tuning, written into `folder` first.
CircuitFigures runGeneratedMap(int size, int frames, int viewDistance, const std::string& folder);

// A short race that pays the renderer's first-use costs (shader variants, texture set-up)
// before anything is timed.
void warmUp();

#pragma once

#include "motion/Body.h"

#include <vector>

class Terrain;

// Where the camera stood in one frame, and whether it took the body's tilt (cockpit view).
struct CameraPose {
    Body body;
    bool tilted = false;
};

// The fastest way OpenGL 1.1 can draw the frame's ground: for every pose, a cleared frame,
// the same view and the same terrain triangles, in the same state, laid out as the game lays
// them out (Terrain::groundArrays) and sent in one call. Milliseconds per frame, each ending
// with glFinish; choosing and laying out the triangles is not counted.
std::vector<double> timeFloor(Terrain& terrain, const std::vector<CameraPose>& path);

// The game thread's ground work over the same poses: processor time of this thread per frame,
// choosing the triangles alone and the whole ground drawing (choosing and sending them), with
// the renderer idle before each and its finishing not counted.
struct GroundWork {
    std::vector<double> choosingMs;
    std::vector<double> groundMs;
};
GroundWork timeGroundWork(Terrain& terrain, const std::vector<CameraPose>& path);

#pragma once

#include "motion/Body.h"

#include <GL/gl.h>

#include <vector>

class Terrain;

// Where the camera stood in one frame, and whether it took the body's tilt (cockpit view).
struct CameraPose {
    Body body;
    bool tilted;
};

// The fastest way OpenGL 1.1 can draw the frame's ground: for every pose, a cleared frame,
// the same view and the same terrain triangles, in the same state, sent in one vertex-array
// draw call. Milliseconds per frame, each ending with glFinish; building the arrays is not
// counted.
std::vector<double> timeFloor(Terrain& terrain, const std::vector<CameraPose>& path);

// The game thread's ground work over the same poses: processor time of this thread per frame,
// choosing the triangles alone and the whole ground drawing (choosing and sending them), with
// the renderer idle before each and its finishing not counted.
struct GroundWork {
    std::vector<double> choosingMs;
    std::vector<double> groundMs;
};
GroundWork timeGroundWork(Terrain& terrain, const std::vector<CameraPose>& path);

// The ground's triangles the fastest way OpenGL 1.1 sends them: each vertex once (texture
// coordinate, normal and position, as glInterleavedArrays (GL_T2F_N3F_V3F) wants them) and
// the corners as indices into it, drawn in one glDrawElements.
struct GroundArrays {
    std::vector<GLfloat> vertices;
    std::vector<GLuint> indices;
    void fill(const Terrain& terrain, const std::vector<int>& corners);
    void draw() const;
};

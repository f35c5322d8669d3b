#pragma once

#include "content/Canvas.h"
#include "geometry/Vector3.h"

// The colour of the sky seen in a direction (unit vector, y up) under a circuit's mood:
// haze at the horizon, a gradient to the zenith, the sun with its glow, clouds, and distant
// hills standing on the horizon. Below the horizon it is the fog, as the distant ground is.
Colour skyColour(int circuitIndex, const Vector3& direction);

// Face 0 .. 5 of a circuit's sky box, as the terrain places them on a box of half width W =
// columns x spacing: faces 0, 1, 4, 5 the sides, 3 the top, 2 the floor (never drawn). Each
// texel shows the sky in the direction of its point on the box seen from the world origin,
// so the faces join without seams and world height 0 is the horizon.
Canvas drawSkyFace(int circuitIndex, int face, double boxWidth, int size);

#pragma once

#include "content/Canvas.h"
#include "geometry/Vector3.h"

// The colour of the sky seen in a direction (unit vector, y up) under a circuit's mood:
// a gradient to the zenith, the sun with its glow, clouds, and soft distant hills in a haze
// that rises from the fog colour at the horizon. Below the horizon lies the circuit's country
// running on beyond the map, seen through haze that turns it into the fog toward the horizon,
// so the view past the ground's end reads as far land. texelAngle is the angle one texel or pixel covers (radians): detail
// finer than it is left out and the skyline is smoothed over it, so nothing aliases.
Colour skyColour(int circuitIndex, const Vector3& direction, double texelAngle = 0.002);

// Face 0 .. 5 of a circuit's sky box, as the terrain places them on a box of half width W =
// columns x spacing: faces 0, 1, 4, 5 the sides, 3 the top, 2 the floor (never drawn). Each
// texel shows the sky in the direction of its point on the box seen from the world origin,
// so the faces join and world height 0 is the horizon. Near the box's edges the clouds,
// hills and glow turn into ones that every joined edge shares, so the repeat wrap and the
// mipmaps, which blend a face's edge with its opposite edge, find matching colours there.
Canvas drawSkyFace(int circuitIndex, int face, double boxWidth, int size);

#pragma once

#include "content/Canvas.h"
#include "geometry/Vector3.h"

// The light and weather of a circuit, shared by its sky, its ground colours and its preview.
struct Mood {
    Vector3 toSun{0, 0, 0};        // unit, world axes (y up)
    Colour sunLight;      // colour of direct light on the ground
    Colour shadowLight;   // colour of the light in shade
    double shadeContrast = 0; // 0: flat overcast light, 1: full sun and shadow
    Colour zenith;        // sky straight up
    Colour horizonSky;    // sky just above the haze
    Colour sunGlow;       // halo around the sun
    double cloudCover = 0;    // 0 .. 1
    Colour cloudLit, cloudShade;
    Colour distantHills;  // silhouettes standing on the horizon
};

// The haze the game fogs distant ground into; the sky meets the ground in it.
Colour fogColour();

// Circuit index 0 .. 2: clear day, sunset, overcast.
const Mood& circuitMood(int index);

#pragma once

#include "content/Canvas.h"
#include "content/Circuits.h"

// The circuit's ground picture, stretched once over the whole terrain: colours by height and
// slope, light and shade baked in (the game draws its ground unlit), and the road painted
// along the racing line with its markings.
Canvas drawGroundTexture(const Circuit& circuit, int size);

// The side of the pictures the game races on: 2048 texels over 256 samples, 150 world units
// a texel on the circuits of 1200 (texture memory and loading time allow no more).
constexpr int GROUND_PICTURE_SIZE = 2048;

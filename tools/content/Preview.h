#pragma once

#include "content/Canvas.h"
#include "content/Circuits.h"

// The menu's picture of a circuit: the land seen from high above its southern edge, with the
// track picked out, under the circuit's own sky. No text: the menu writes its own.
Canvas drawPreview(const Circuit& circuit, const Canvas& ground, int width, int height);

#pragma once

#include "assets/MdlFormat.h"
#include "content/Canvas.h"

#include <string>
#include <vector>

// The race's models, facing +x with +y up: a hover pod about 800 long, 440 wide and 200 high,
// a missile built where it rides on the pod's back (its origin is the pod's, so a docked
// missile drawn with its pod's body sits on the rail), and the three bonuses (missile reload,
// money, boost), each about 650 across.
struct ModelAsset {
    std::string name;  // file name without extension, as the race loads it
    MdlData mesh;
};

std::vector<ModelAsset> buildModels();

// The paint shared by all models: a sheet of swatches that the meshes' texture coordinates
// pick from (livery, glass, metal, engine glow, gold, ...).
Canvas drawModelSkin();

#pragma once

#include "assets/Mesh.h"

// A mesh read from path + ".mdl", textured with path + ".bmp".
class Model : public Mesh {
public:
    bool load(const char* path) override;
};

#pragma once

#include "assets/MdlFormat.h"
#include "assets/Model.h"

// A generated mesh handed to the race code as a model without any OpenGL: no texture and no
// compiled drawing, just what the entities need (the box their contact box is made from).
class HeadlessModel : public Model {
public:
    explicit HeadlessModel(const MdlData& data) {
        box = data.box;
        vertices = data.vertices;
        triangles = data.triangles;
    }
    bool load(const char*) override { return false; }
};

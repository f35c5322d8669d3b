#pragma once

#include "assets/Mesh.h"

#include <istream>
#include <string>

// The contents of a .mdl file, in game coordinates (y up). The file itself is z up:
// (x, y, z) in the file is (x, z, -y) here, for positions, normals and box corners.
struct MdlData {
    Box box{Vector3(0, 0, 0), Vector3(0, 0, 0)};  // corners in file order, converted
    std::vector<MeshVertex> vertices;
    std::vector<MeshTriangle> triangles;
};

// Reads a whole .mdl text. False (and out untouched) for anything that is not a sound mesh:
// a bad or absurd count, an item that fails to read, a vertex index outside 1 .. V.
bool parseMdl(std::istream& in, MdlData& out);

// The exact inverse of parseMdl: y up back to z up.
std::string formatMdl(const MdlData& data);
bool writeMdl(const char* path, const MdlData& data);

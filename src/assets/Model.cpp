#include "assets/Model.h"

#include "assets/MdlFormat.h"
#include "assets/RegularFile.h"

#include <locale>
#include <numeric>

bool Model::load(const char* path) {
    const std::string base(path);
    RegularFileStream file((base + ".mdl").c_str());
    if (!file) return false;
    file.imbue(std::locale::classic());

    MdlData data;
    if (!parseMdl(file, data)) return false;

    // A second load replaces the first mesh; its texture and its compiled drawing go with it.
    releaseGl();

    vertices = std::move(data.vertices);
    box = data.box;
    triangles = std::move(data.triangles);

    MeshGroup everything;
    everything.material = 0;
    everything.triangleIndices.resize(triangles.size());
    std::iota(everything.triangleIndices.begin(), everything.triangleIndices.end(), 0);
    groups.assign(1, std::move(everything));

    MeshMaterial material;
    material.textureFile = base + ".bmp";
    materials.assign(1, material);
    loadTextures();
    // The texture exists now, so the drawing can be compiled once for every frame to come.
    compileDrawing();
    return true;
}

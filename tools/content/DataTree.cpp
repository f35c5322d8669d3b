#include "content/DataTree.h"

#include "content/Circuits.h"
#include "content/FontGlyphs.h"
#include "content/GroundTexture.h"
#include "content/Models.h"
#include "content/Preview.h"
#include "content/SkyBox.h"

#include <filesystem>

namespace {

bool savePicture(const Image& image, const std::string& folder, const std::string& name, std::string& error) {
    std::string path = folder + "/" + name;
    if (image.save(path.c_str())) return true;
    error = "cannot write " + path;
    return false;
}

}  // namespace

const std::vector<std::string>& dataTreeFiles() {
    static const std::vector<std::string> files = [] {
        std::vector<std::string> names{"font2.bmp"};
        for (int i = 0; i < CIRCUIT_COUNT; ++i) {
            std::string n = std::to_string(circuitDesign(i).number);
            for (const char* kind : {"terrain", "herbe", "level"}) names.push_back(kind + n + ".bmp");
            for (int face = 0; face < 6; ++face) names.push_back("Sky" + n + "/sky" + std::to_string(face) + ".bmp");
        }
        for (const char* model : {"pod", "missile", "bonus0", "bonus1", "bonus2"}) {
            names.push_back(std::string(model) + ".mdl");
            names.push_back(std::string(model) + ".bmp");
        }
        return names;
    }();
    return files;
}

bool generateDataTree(const std::string& folder, std::string& error) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    if (!savePicture(drawFontSheet(), folder, "font2.bmp", error)) return false;
    for (int i = 0; i < CIRCUIT_COUNT; ++i) {
        Circuit circuit = buildCircuit(i);
        std::string n = std::to_string(circuit.design->number);
        if (!savePicture(circuit.heightmap, folder, "terrain" + n + ".bmp", error)) return false;
        Canvas ground = drawGroundTexture(circuit, GROUND_PICTURE_SIZE);
        if (!savePicture(ground.toImage(), folder, "herbe" + n + ".bmp", error)) return false;
        if (!savePicture(drawPreview(circuit, ground, 320, 240).toImage(), folder, "level" + n + ".bmp", error)) return false;
        std::string sky = "Sky" + n;
        std::filesystem::create_directories(folder + "/" + sky, ignored);
        double boxWidth = HEIGHTMAP_SIZE * circuit.design->gridSpacing;
        for (int face = 0; face < 6; ++face)
            if (!savePicture(drawSkyFace(i, face, boxWidth, 512).toImage(), folder, sky + "/sky" + std::to_string(face) + ".bmp", error))
                return false;
    }
    Image skin = drawModelSkin().toImage();
    for (const ModelAsset& model : buildModels()) {
        std::string path = folder + "/" + model.name + ".mdl";
        if (!writeMdl(path.c_str(), model.mesh)) {
            error = "cannot write " + path;
            return false;
        }
        if (!savePicture(skin, folder, model.name + ".bmp", error)) return false;
    }
    return true;
}

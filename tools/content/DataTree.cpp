#include "content/DataTree.h"

#include "app/DataFiles.h"
#include "content/Circuits.h"
#include "content/FontGlyphs.h"
#include "content/GroundTexture.h"
#include "content/Models.h"
#include "content/Preview.h"
#include "content/SkyBox.h"
#include "content/Sounds.h"
#include "race/RaceSetup.h"
#include "terrain/Terrain.h"

#include <filesystem>

namespace {

// A path as the game opens it, within the tree the generator writes.
std::string inTree(const std::string& gamePath) { return gamePath.substr(std::string(DATA_FOLDER).size()); }

bool savePicture(const Image& image, const std::string& folder, const std::string& gamePath, std::string& error) {
    std::string path = folder + "/" + inTree(gamePath);
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    if (image.save(path.c_str())) return true;
    error = "cannot write " + path;
    return false;
}

}  // namespace

const std::vector<std::string>& dataTreeFiles() {
    static const std::vector<std::string> files = [] {
        std::vector<std::string> names;
        for (const std::string& path : dataFiles()) names.push_back(inTree(path));
        return names;
    }();
    return files;
}

bool generateDataTree(const std::string& folder, std::string& error) {
    if (!savePicture(drawFontSheet(), folder, FONT_FILE, error)) return false;
    for (int i = 0; i < CIRCUIT_COUNT; ++i) {
        const CircuitSpec& files = CIRCUITS[i];
        Circuit circuit = buildCircuit(i);
        if (!savePicture(circuit.heightmap, folder, files.heightmapPath, error)) return false;
        Canvas ground = drawGroundTexture(circuit, GROUND_PICTURE_SIZE);
        if (!savePicture(ground.toImage(), folder, files.grassPath, error)) return false;
        if (!savePicture(drawPreview(circuit, ground, 320, 240).toImage(), folder, files.previewPath, error)) return false;
        double boxWidth = HEIGHTMAP_SIZE * circuit.design->gridSpacing;
        for (int face = 0; face < SKY_FACES; ++face)
            if (!savePicture(drawSkyFace(i, face, boxWidth, 512).toImage(), folder, skyFacePath(files.skyPrefix, face), error))
                return false;
    }
    Image skin = drawModelSkin().toImage();
    const std::vector<ModelAsset> models = buildModels();  // in the race's model order
    if (models.size() != MODEL_COUNT) {
        error = std::to_string(models.size()) + " models made; the race loads " + std::to_string(MODEL_COUNT);
        return false;
    }
    for (int k = 0; k < MODEL_COUNT; ++k) {
        std::string path = folder + "/" + inTree(MODEL_FILES[k]) + ".mdl";
        if (!writeMdl(path.c_str(), models[k].mesh)) {
            error = "cannot write " + path;
            return false;
        }
        if (!savePicture(skin, folder, std::string(MODEL_FILES[k]) + ".bmp", error)) return false;
    }
    for (const SoundFile& sound : SOUNDS) {
        const std::string path = folder + "/" + inTree(sound.path);
        if (!writeWav(path.c_str(), synthesiseSound(sound.id))) {
            error = "cannot write " + path;
            return false;
        }
    }
    return true;
}

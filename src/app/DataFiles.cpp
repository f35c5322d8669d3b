#include "app/DataFiles.h"

#include "race/CircuitTable.h"
#include "race/RaceSetup.h"
#include "sound/SoundFiles.h"
#include "terrain/Terrain.h"

std::vector<std::string> menuFiles() {
    std::vector<std::string> files{FONT_FILE};
    for (const CircuitSpec& circuit : CIRCUITS) files.push_back(circuit.previewPath);
    return files;
}

std::vector<std::string> dataFiles() {
    std::vector<std::string> files{FONT_FILE};
    for (const CircuitSpec& circuit : CIRCUITS) {
        for (const char* path : {circuit.heightmapPath, circuit.grassPath, circuit.previewPath}) files.push_back(path);
        for (int face = 0; face < SKY_FACES; ++face) files.push_back(skyFacePath(circuit.skyPrefix, face));
    }
    for (const char* model : MODEL_FILES) {
        files.push_back(std::string(model) + ".mdl");
        files.push_back(std::string(model) + ".bmp");
    }
    for (const SoundFile& sound : SOUNDS) files.push_back(sound.path);
    return files;
}

#include "content/DataTree.h"

#include "content/Circuits.h"
#include "content/FontGlyphs.h"

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
    }
    return true;
}

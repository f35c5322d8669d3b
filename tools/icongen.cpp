// Writes the desktop icons as a hicolor theme tree: brenvask_icongen <folder>
// gives <folder>/<N>x<N>/apps/brenvask.png for each size the desktop asks for.
#include "content/Icon.h"
#include "content/PngFile.h"

#include <cstdio>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <icon theme folder>\n", argv[0]);
        return 2;
    }
    for (int size : {48, 128, 256}) {
        std::string side = std::to_string(size);
        std::filesystem::path folder = std::filesystem::path(argv[1]) / (side + "x" + side) / "apps";
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
        std::string path = (folder / "brenvask.png").string();
        if (!writePng(path, drawIcon(size))) {
            std::fprintf(stderr, "brenvask_icongen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}

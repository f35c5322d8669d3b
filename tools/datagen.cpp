// Writes the game's Data/ tree: brenvask_datagen <folder>
#include "content/DataTree.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <Data folder>\n", argv[0]);
        return 2;
    }
    std::string error;
    if (!generateDataTree(argv[1], error)) {
        std::fprintf(stderr, "brenvask_datagen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

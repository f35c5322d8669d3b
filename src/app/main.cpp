#include "app/KeyTable.h"
#include "app/Scene.h"
#include "app/Window.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {
// Stands in for the menu until it exists: draws nothing, Escape quits.
void blankScene() {
    if (keyDown(27)) quit();
}
}

int main(int argc, char** argv) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    std::printf("Chargement en cours ...\n");
    std::fflush(stdout);
    initWindow(defaultWindowSettings(argc, argv));
    setScene(blankScene);
    runMainLoop();
    return 0;
}

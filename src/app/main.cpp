#include "app/DataFiles.h"
#include "app/DataFolder.h"
#include "app/MenuScene.h"
#include "app/Previews.h"
#include "app/Scene.h"
#include "app/Text.h"
#include "app/Window.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

int main(int argc, char** argv) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    // Where the build put the installed Data/: relative to the executable, then absolute.
    if (!enterDataFolder(BRENVASK_DATA_RELATIVE, BRENVASK_DATA_ABSOLUTE)) return 1;
    std::printf("Chargement en cours ...\n");
    std::fflush(stdout);
    initWindow(defaultWindowSettings(argc, argv));
    createPreviews();
    loadFont(FONT_FILE);
    setScene(menuScene);
    runMainLoop();
    return 0;
}

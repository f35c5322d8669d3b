#include "app/CommandLine.h"
#include "app/DataFiles.h"
#include "app/DataFolder.h"
#include "app/MenuScene.h"
#include "app/Previews.h"
#include "app/Scene.h"
#include "app/services/Text.h"
#include "app/Window.h"
#include "sound/Sound.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

int main(int argc, char** argv) {
    // Answered before anything else: no Data/ search, no loading line, no window.
    CommandLine line = parseCommandLine(argc, argv);
    switch (line.action) {
    case CommandLine::Action::Help:
        std::fputs(usageText(BRENVASK_DATA_RELATIVE, BRENVASK_DATA_ABSOLUTE,
                             installedBeside(BRENVASK_MANUAL_RELATIVE))
                       .c_str(),
                   stdout);
        return 0;
    case CommandLine::Action::Version:
        std::printf("brenvask %s\n", BRENVASK_VERSION);
        return 0;
    case CommandLine::Action::Refuse:
        std::fprintf(stderr, "%s\n", refusalMessage(line.refused, line.lacksValue).c_str());
        return 2;
    case CommandLine::Action::Play:
        break;
    }

    std::srand(static_cast<unsigned>(std::time(nullptr)));
    // Where the build put the installed Data/: relative to the executable, then absolute.
    keepSoundSettingsPath();
    if (!enterDataFolder(BRENVASK_DATA_RELATIVE, BRENVASK_DATA_ABSOLUTE)) return 1;
    std::printf("Chargement en cours ...\n");
    std::fflush(stdout);
    startSound(line.mute);
    line.glutArgs.push_back(nullptr);  // glutInit's argv ends with a null, as main's does
    WindowSettings settings =
        defaultWindowSettings(static_cast<int>(line.glutArgs.size()) - 1, line.glutArgs.data());
    if (line.window) {
        settings.gameMode = 0;
        // Full screen keeps the game's own mode; a window takes the size -geometry gives.
        if (line.width > 0) {
            settings.width = line.width;
            settings.height = line.height;
        }
    }
    initWindow(settings);
    createPreviews();
    loadFont(FONT_FILE);
    setScene(menuScene);
    runMainLoop();
    return 0;
}

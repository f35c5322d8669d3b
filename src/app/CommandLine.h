#pragma once

#include <string>
#include <vector>

// What the command line asks for. The game's own options are read here; GLUT's own options
// (with their values) are kept, in order, for glutInit; anything else starting with '-' is
// refused before a window opens.
struct CommandLine {
    enum class Action { Play, Help, Version, Refuse };
    Action action = Action::Play;
    bool window = false;          // --window: an ordinary window instead of game mode
    int width = 0;                // the size -geometry gives, 0 by 0 when it gives none
    int height = 0;
    std::string refused;          // the argument refused, for Action::Refuse
    bool lacksValue = false;      // refused because it is the last and needs a value
    std::vector<char*> glutArgs;  // argv[0] and what GLUT reads, for glutInit
};

CommandLine parseCommandLine(int argc, char** argv);

// The one stderr line for a refused argument.
std::string refusalMessage(const std::string& argument, bool lacksValue = false);

// The usage --help prints: options, the controls in brief, where Data/ is looked for, and
// how to read the manual (installed beside the game or only in the source tree).
std::string usageText(const std::string& dataRelativeToExecutable, const std::string& dataAbsolute,
                      bool manualInstalled);

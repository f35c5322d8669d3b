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
    bool mute = false;            // --mute: no sound, no sound device opened
    std::string refused;          // the argument refused, for Action::Refuse
    std::vector<char*> glutArgs;  // argv[0] and what GLUT reads, for glutInit
};

CommandLine parseCommandLine(int argc, char** argv);

// The one stderr line for a refused argument.
std::string refusalMessage(const std::string& argument);

// The usage --help prints: options, the controls in brief, where Data/ is looked for.
std::string usageText(const std::string& dataRelativeToExecutable, const std::string& dataAbsolute);

#include "app/CommandLine.h"

#include "app/Window.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

// GLUT's own options; the first two take the next argument as their value.
const char* const GLUT_OPTIONS_WITH_VALUE[] = {"-display", "-geometry"};
const char* const GLUT_FLAGS[] = {"-direct", "-indirect", "-iconic", "-gldebug", "-sync"};

// The size of an X geometry string, [=][W{xX}H][{+-}X{+-}Y], when it gives both parts.
void readGeometrySize(const char* geometry, int& width, int& height) {
    if (*geometry == '=') ++geometry;
    char* end = nullptr;
    const long w = std::strtol(geometry, &end, 10);
    if (end == geometry || !std::isdigit(static_cast<unsigned char>(*geometry)) || (*end != 'x' && *end != 'X'))
        return;
    const char* heightText = end + 1;
    const long h = std::strtol(heightText, &end, 10);
    if (end == heightText || !std::isdigit(static_cast<unsigned char>(*heightText)) || w <= 0 || h <= 0 ||
        w > 65535 || h > 65535)
        return;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
}

template <std::size_t N>
bool isOneOf(const char* argument, const char* const (&names)[N]) {
    for (const char* name : names)
        if (std::strcmp(argument, name) == 0) return true;
    return false;
}

}  // namespace

CommandLine parseCommandLine(int argc, char** argv) {
    static char programName[] = "brenvask";  // glutInit needs a name even from an empty argv
    CommandLine line;
    line.glutArgs.push_back(argc > 0 && argv[0] ? argv[0] : programName);
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
            line.action = CommandLine::Action::Help;
            return line;
        }
        if (std::strcmp(argument, "--version") == 0 || std::strcmp(argument, "-v") == 0) {
            line.action = CommandLine::Action::Version;
            return line;
        }
        if (std::strcmp(argument, "--window") == 0) {
            line.window = true;
        } else if (std::strcmp(argument, "--mute") == 0) {
            line.mute = true;
        } else if (isOneOf(argument, GLUT_OPTIONS_WITH_VALUE)) {
            // GLUT would end the game over it once the loading line is out.
            if (i + 1 == argc) {
                line.action = CommandLine::Action::Refuse;
                line.refused = argument;
                line.lacksValue = true;
                return line;
            }
            line.glutArgs.push_back(argv[i]);
            line.glutArgs.push_back(argv[++i]);
            if (std::strcmp(argument, "-geometry") == 0) readGeometrySize(argv[i], line.width, line.height);
        } else if (argument[0] != '-' || isOneOf(argument, GLUT_FLAGS)) {
            line.glutArgs.push_back(argv[i]);
        } else {
            line.action = CommandLine::Action::Refuse;
            line.refused = argument;
            return line;
        }
    }
    return line;
}

std::string refusalMessage(const std::string& argument, bool lacksValue) {
    if (lacksValue) return "brenvask: option '" + argument + "' needs a value; see brenvask --help";
    return "brenvask: unknown option '" + argument + "'; see brenvask --help";
}

std::string usageText(const std::string& dataRelativeToExecutable, const std::string& dataAbsolute,
                      bool manualInstalled) {
    const std::string size = gameSizeText();
    return "Usage: brenvask [--window] [--mute] [GLUT options]\n"
           "       brenvask -h | --help | -v | --version\n"
           "\n"
           "A hover-pod race against ten computer pods, full screen at " + size + ".\n"
           "\n"
           "Options:\n"
           "  --window       play in an ordinary window instead of full screen: " + size + ",\n"
           "                 or the size -geometry gives\n"
           "  --mute         play without sound\n"
           "  -h, --help     print this help and exit\n"
           "  -v, --version  print the version and exit\n"
           "  GLUT's own options are passed on: -display NAME, -geometry WxH+X+Y, -direct,\n"
           "  -indirect, -iconic, -gldebug, -sync. Full screen is always " + size + ": the size\n"
           "  -geometry gives applies with --window only.\n"
           "\n"
           "Controls (letters in either case):\n"
           "  menu    Left/Right choose a circuit, Space starts it, Escape quits\n"
           "  race    w thrust, x brake, c boost, Left/Right turn, Down/Up rise/sink,\n"
           "          7/1 push sideways, Space fires, F1/F2/F3 views, Escape back to the menu,\n"
           "          Backspace back on the road at the last checkpoint passed (rescue),\n"
           "          + camera to the next race object, Home camera back to your pod,\n"
           "          Page Up/Page Down view distance, 0/. lighting on/off\n"
           "\n"
           "Sound: every pod's engine rises with its speed and thrust, and you hear missiles\n"
           "launch, fly and strike, pick-ups, checkpoints and laps, and hard landings;\n"
           "the menu clicks. Without a sound device the game plays silently; --mute turns\n"
           "sound off.\n"
           "\n"
           "Data/ is looked for, in this order, in the working directory, the executable's\n"
           "folder, " + dataRelativeToExecutable + " from the executable's folder, and\n"
           + dataAbsolute + ".\n"
           "\n" +
           (manualInstalled ? "More in the manual: man 6 brenvask\n"
                            : "More in the manual, from the source tree: man -l packaging/brenvask.6.in\n");
}

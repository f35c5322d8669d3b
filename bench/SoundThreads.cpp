#include "SoundThreads.h"

#include "sound/Sound.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>

namespace {
std::set<std::string> soundThreads;

std::set<std::string> threadsNow() {
    std::set<std::string> ids;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task"))
        ids.insert(entry.path().filename().string());
    return ids;
}

// User and system time of one thread, from its stat line (fields 14 and 15, after the name).
double threadCpuMs(const std::string& id) {
    std::ifstream file("/proc/self/task/" + id + "/stat");
    std::string line;
    if (!std::getline(file, line)) return 0;
    std::istringstream rest(line.substr(line.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i)
        if (i >= 14) ticks += std::stod(field);
    return ticks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}
}

bool startBenchSound() {
    setenv("ALSOFT_DRIVERS", "null", 0);
    const std::set<std::string> before = threadsNow();
    startSound(false);
    for (const std::string& id : threadsNow())
        if (!before.count(id)) soundThreads.insert(id);
    return soundOn();
}

double soundThreadsCpuMs() {
    double total = 0;
    for (const std::string& id : soundThreads) total += threadCpuMs(id);
    return total;
}

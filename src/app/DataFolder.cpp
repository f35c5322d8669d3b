#include "app/DataFolder.h"

#include "app/DataFiles.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::vector<std::string> dataSearchOrder(const std::string& workingFolder, const std::string& executableFolder,
                                         const std::string& installRelativeToExecutable,
                                         const std::string& installAbsolute) {
    std::vector<std::string> folders;
    auto add = [&folders](const fs::path& folder) {
        if (!folder.empty()) folders.push_back(folder.lexically_normal().string());
    };
    add(workingFolder);
    add(executableFolder);
    if (!executableFolder.empty() && !installRelativeToExecutable.empty())
        add(fs::path(executableFolder) / installRelativeToExecutable);
    add(installAbsolute);
    return folders;
}

std::string dataShortfall(const std::string& folder) {
    std::error_code error;
    if (!fs::is_directory(fs::path(folder) / DATA_FOLDER, error)) return "no Data/";
    std::string lacking;
    for (const std::string& file : menuFiles()) {
        // Any entry will do (a named pipe too): the readers cope with what they find.
        const fs::path path = fs::path(folder) / file;
        if (fs::exists(path, error) && !fs::is_directory(path, error)) continue;
        lacking += (lacking.empty() ? "Data/ lacks " : ", ") + path.filename().string();
    }
    return lacking;
}

std::string firstWithData(const std::vector<std::string>& folders) {
    for (const std::string& folder : folders)
        if (dataShortfall(folder).empty()) return folder;
    return "";
}

std::string executableFolder() {
    std::error_code error;
    fs::path executable = fs::read_symlink("/proc/self/exe", error);
    return error ? "" : executable.parent_path().string();
}

bool installedBeside(const std::string& relativeToExecutable) {
    const std::string folder = executableFolder();
    std::error_code error;
    return !folder.empty() && fs::exists(fs::path(folder) / relativeToExecutable, error);
}

std::string missingDataMessage(const std::vector<std::string>& tried) {
    std::string message = "brenvask: no Data/ folder found; looked in:";
    for (std::size_t i = 0; i < tried.size(); ++i)
        message += (i ? ", " : " ") + tried[i] + " (" + dataShortfall(tried[i]) + ")";
    return message;
}

bool enterDataFolder(const std::string& installRelativeToExecutable, const std::string& installAbsolute) {
    std::error_code error;
    std::string working = fs::current_path(error).string();
    std::vector<std::string> folders =
        dataSearchOrder(working, executableFolder(), installRelativeToExecutable, installAbsolute);
    std::string found = firstWithData(folders);
    if (!found.empty()) {
        fs::current_path(found, error);
        if (!error) return true;
    }
    std::fprintf(stderr, "%s\n", missingDataMessage(folders).c_str());
    return false;
}

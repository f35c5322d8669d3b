#pragma once

#include <string>
#include <vector>

// Every asset path is "Data/..." relative to the working directory; at start the game makes
// the folder that holds its Data/ the working directory, wherever it was started from.

// The folders that may hold Data/, in the order they are tried: the working directory, the
// executable's own folder (a build folder), the install folder relative to the executable
// (any prefix, an unpacked package), then the install folder fixed when the game was built.
// Empty entries (an unreadable executable path) are left out; relative install folders are
// taken from the executable's folder.
std::vector<std::string> dataSearchOrder(const std::string& workingFolder, const std::string& executableFolder,
                                         const std::string& installRelativeToExecutable,
                                         const std::string& installAbsolute);

// What keeps the folder's Data/ from serving: "" when it holds the menu's files (a stray or
// emptied Data/ must not hide the real one), else "no Data/" or "Data/ lacks" and the names.
std::string dataShortfall(const std::string& folder);

// The first folder whose Data/ serves, or "" when none does.
std::string firstWithData(const std::vector<std::string>& folders);

// The folder of the running executable, from /proc/self/exe; "" if it cannot be read.
std::string executableFolder();

// Whether something lies at that path from the executable's folder (the installed man page).
bool installedBeside(const std::string& relativeToExecutable);

// The one line printed when no folder's Data/ serves: each folder with what it lacked.
std::string missingDataMessage(const std::vector<std::string>& tried);

// Searches the folders and enters the first one whose Data/ serves. When none does, prints the
// message on stderr and returns false: the game ends before opening a window.
bool enterDataFolder(const std::string& installRelativeToExecutable, const std::string& installAbsolute);

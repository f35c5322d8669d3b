#pragma once

#include <string>
#include <vector>

// Every file of the game's Data/ tree, relative to the tree's folder, in writing order.
const std::vector<std::string>& dataTreeFiles();

// Writes the whole tree into folder (created if missing, with its Sky folders). Deterministic:
// the same bytes on every run. Returns false and names the file in error on a write failure.
bool generateDataTree(const std::string& folder, std::string& error);

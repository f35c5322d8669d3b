#pragma once

#include "content/DataTree.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// A Data/ tree the tests read.
class DataFolder {
public:
    explicit DataFolder(std::string path) : path_(std::move(path)) {}
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// The marker the build leaves in a finished Data/ tree.
constexpr const char* BUILD_DATA_STAMP = "Data/.generated";

// A tree written now by the generator into a temporary folder, once per test program.
inline const DataFolder& freshTree() {
    static TempDir folder;
    static const DataFolder tree = [] {
        std::string error;
        EXPECT_TRUE(generateDataTree(folder.path(), error)) << error;
        return DataFolder(folder.path());
    }();
    return tree;
}

// The tree the game plays with: the build's own Data/ (tests run from the build folder),
// or a fresh one where there is none. Generating takes seconds, so reuse the build's.
inline const DataFolder& generatedTree() {
    static const DataFolder buildData("Data");
    return std::filesystem::exists(BUILD_DATA_STAMP) ? buildData : freshTree();
}

// The bytes of a file, empty when it cannot be read.
inline std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

#pragma once

#include "content/DataTree.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

// The whole Data/ tree, generated once for all the tests of this program (it takes seconds).
inline const TempDir& generatedTree() {
    static TempDir tree;
    static const bool generated = [] {
        std::string error;
        bool ok = generateDataTree(tree.path(), error);
        EXPECT_TRUE(ok) << error;
        return ok;
    }();
    (void)generated;
    return tree;
}

// The bytes of a file, empty when it cannot be read.
inline std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "brenvask-test-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    path_ = made ? made : pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::write(const std::string& name, const std::string& bytes) const {
    const std::string where = file(name);
    std::filesystem::create_directories(std::filesystem::path(where).parent_path());
    std::ofstream out(where, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return where;
}

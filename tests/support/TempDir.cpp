#include "tests/support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

TempDir::TempDir(bool enter) {
    std::string pattern = (std::filesystem::temp_directory_path() / "glyphtumble-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("can't make a temporary folder");
    path = pattern;
    if (enter) {
        previous = std::filesystem::current_path().string();
        std::filesystem::current_path(path);
    }
}

TempDir::~TempDir() {
    std::error_code ignored;
    if (!previous.empty())
        std::filesystem::current_path(previous, ignored);
    // Files a test made read-only must still go.
    std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
    const std::string file = File(name);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    return file;
}

std::string TempDir::Read(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

#include "tests/support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

// A new, empty folder in the system's temporary folder. Not mkdtemp, which
// Windows lacks: a random name, and another when a test running beside this
// one made that folder first.
static std::string MakeFolder() {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto folder = std::filesystem::temp_directory_path() /
                            ("glyphtumble-" + std::to_string(random()) + std::to_string(random()));
        if (std::error_code error; std::filesystem::create_directory(folder, error))
            return folder.string();
    }
    throw std::runtime_error("can't make a temporary folder");
}

TempDir::TempDir(bool enter) : path(MakeFolder()) {
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

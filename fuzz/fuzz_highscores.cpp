// Any bytes as the high-score file: opening never writes it, a file of 440
// bytes is the table itself, and a save leaves exactly the table's image.

#include "data/HighScoreTable.h"

#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/FuzzTempFile.h"

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the entries in memory are the file");

static std::string Read(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const char* path = FuzzTempFile(data, size);
    HighScoreTable table;
    const auto image = [&] {
        return std::string(reinterpret_cast<const char*>(table.entries), sizeof table.entries);
    };
    FuzzCheck(table.Open(path) && Read(path) == bytes);
    FuzzCheck(size != sizeof table.entries || image() == bytes);
    table.Insert(bytes.c_str(), static_cast<int>(size), 1, 2); // a long name, cut
    FuzzCheck(table.Save() && Read(path) == image());
    return 0;
}

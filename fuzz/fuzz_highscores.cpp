// Any bytes as the high-score file, then inserts from the rest of the input:
// opening never writes, a 440-byte file is the table itself, an insert is
// taken when it qualifies, and a save leaves the table's image, which opens
// as the same table. Input: the file's length (two bytes, little-endian) and
// the file; then per insert 8 bytes (name length, score, words, skill) and
// the name.

#include "data/HighScoreTable.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/FuzzTempFile.h"

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the entries in memory are the file");
static std::string Image(const HighScoreTable& table) {
    return std::string(reinterpret_cast<const char*>(table.entries), sizeof table.entries);
}

static std::string Read(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const size_t length = size < 2 ? 0 : std::min<size_t>(data[0] | data[1] << 8, size - 2);
    const std::string before(reinterpret_cast<const char*>(data) + 2 * (size >= 2), length);
    const char* path = FuzzTempFile(data + 2 * (size >= 2), length);
    HighScoreTable table, again;
    FuzzCheck(table.Open(path) && Read(path) == before);
    FuzzCheck(length != HighScoreTable::FileSize || Image(table) == before);
    for (const std::uint8_t* p = data + 2 + length; size >= 2 && data + size - p >= 8;) {
        const int score = static_cast<std::int32_t>(p[1] | p[2] << 8 | p[3] << 16 |
                                                    static_cast<std::uint32_t>(p[4]) << 24);
        const std::string name(reinterpret_cast<const char*>(p) + 8,
                               std::min<size_t>(p[0], data + size - p - 8));
        const bool qualifies = table.Qualifies(score);
        FuzzCheck(table.Insert(name.c_str(), score, static_cast<std::int16_t>(p[5] | p[6] << 8),
                               static_cast<std::int8_t>(p[7])) == qualifies);
        p += 8 + name.size();
    }
    FuzzCheck(table.Save() && Read(path) == Image(table));
    FuzzCheck(again.Open(path) && Image(again) == Image(table));
    return 0;
}

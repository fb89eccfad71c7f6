// Any bytes as the high-score file, then inserts taken from the rest of the
// input, then a save. Opening never writes; a 440-byte file is the table as
// it stands, any other gives ten "Nobody" entries; each insert lands by its
// score; the saved file is the table's image and opens as the same table.
// Input: two bytes (little-endian) give the length of the file, which
// follows; each further 8 bytes (name length, score, words, skill) and name
// is one insert.

#include "data/HighScoreTable.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/FuzzTempFile.h"

namespace {

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the entries in memory are the file");
std::string Image(const HighScoreTable& table) {
    return std::string(reinterpret_cast<const char*>(table.entries), sizeof table.entries);
}

std::string Read(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Ascending(const HighScoreTable& table) {
    return std::is_sorted(table.entries, table.entries + HighScoreTable::EntryCount,
                          [](const auto& a, const auto& b) { return a.score < b.score; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const size_t length = std::min<size_t>(data[0] | data[1] << 8, size - 2);
    const std::string before(reinterpret_cast<const char*>(data) + 2, length);
    std::string nobody;
    for (int i = 0; i < HighScoreTable::EntryCount; ++i)
        nobody += std::string("Nobody") + std::string(38, '\0');
    const char* path = FuzzTempFile(data + 2, length);
    HighScoreTable table;
    FuzzCheck(table.Open(path) && Read(path) == before);
    FuzzCheck(Image(table) == (before.size() == HighScoreTable::FileSize ? before : nobody));

    for (const std::uint8_t* p = data + 2 + length; data + size - p >= 8;) {
        const std::int32_t score = static_cast<std::int32_t>(
            p[1] | p[2] << 8 | p[3] << 16 | static_cast<std::uint32_t>(p[4]) << 24);
        const int words = static_cast<std::int16_t>(p[5] | p[6] << 8);
        const int skill = static_cast<std::int8_t>(p[7]);
        const std::string name(reinterpret_cast<const char*>(p) + 8,
                               std::min<size_t>(p[0], data + size - p - 8));
        p += 8 + name.size();
        const bool qualifies = table.Qualifies(score), ascending = Ascending(table);
        FuzzCheck(table.Insert(name.c_str(), score, words, skill) == qualifies);
        // A table in order stays in order (a foreign file's need not be).
        FuzzCheck(!ascending || Ascending(table));
        FuzzCheck(!qualifies || std::any_of(table.entries, table.entries + 10, [&](const auto& e) {
                      return e.score == score && e.words == words && e.skill == skill &&
                             e.name[29] == '\0' && std::string(name.c_str()).substr(0, 29) == e.name;
                  }));
    }
    FuzzCheck(table.Save() && Read(path) == Image(table));
    HighScoreTable again;
    FuzzCheck(again.Open(path) && Image(again) == Image(table));
    return 0;
}

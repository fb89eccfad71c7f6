// Fuzzes the high-score file: any bytes as "glyphtumble.hi", then entries
// taken from the rest of the input are inserted and the table is saved. The
// file must not change before the save; after it, the file must be exactly the
// little-endian image of the table, and opening it again must give back the
// same table byte for byte.
//
// Input: two bytes (little-endian) give the length of the file image, which
// follows; each further record of 8 bytes (name length, score, words, skill)
// plus its name bytes is one insert.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "data/HighScoreTable.h"
#include "fuzz/FuzzTempFile.h"

namespace {

constexpr int RecordSize = 44;

std::string ReadFile(const std::string& path) {
    std::string bytes;
    std::FILE* in = std::fopen(path.c_str(), "rb");
    FuzzCheck(in != nullptr);
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        bytes.append(buffer, n);
    std::fclose(in);
    return bytes;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    FuzzCheck(out != nullptr);
    FuzzCheck(std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size());
    FuzzCheck(std::fclose(out) == 0);
}

std::int32_t LittleEndian(const unsigned char* p) {
    return static_cast<std::int32_t>(p[0] | p[1] << 8 | p[2] << 16 |
                                     static_cast<std::uint32_t>(p[3]) << 24);
}

// The table as the file should hold it.
std::string Image(const HighScoreTable& table) {
    std::string bytes;
    for (const HighScoreEntry& e : table.entries) {
        bytes.append(e.name, sizeof e.name);
        bytes.append(e.padding, sizeof e.padding);
        for (const std::int32_t v : {e.score, e.words, e.skill})
            for (int shift = 0; shift < 32; shift += 8)
                bytes.push_back(static_cast<char>(static_cast<std::uint32_t>(v) >> shift));
    }
    return bytes;
}

bool SameEntries(const HighScoreTable& a, const HighScoreTable& b) {
    return std::memcmp(a.entries, b.entries, sizeof a.entries) == 0;
}

bool Ascending(const HighScoreTable& table) {
    for (int i = 1; i < HighScoreTable::EntryCount; ++i)
        if (table.entries[i - 1].score > table.entries[i].score)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const size_t fileLength = std::min<size_t>(data[0] | data[1] << 8, size - 2);
    const std::string before(reinterpret_cast<const char*>(data) + 2, fileLength);
    const std::string& path = FuzzTempFile("fuzz_highscores");
    WriteFile(path, before);

    HighScoreTable table;
    FuzzCheck(table.Open(path.c_str()));
    // Opening never writes.
    FuzzCheck(ReadFile(path) == before);
    if (before.size() == HighScoreTable::FileSize) {
        // A file of the right size is the table, whatever it holds.
        for (int i = 0; i < HighScoreTable::EntryCount; ++i) {
            const auto* record =
                reinterpret_cast<const unsigned char*>(before.data()) + i * RecordSize;
            const HighScoreEntry& e = table.entries[i];
            FuzzCheck(std::memcmp(e.name, record, 30) == 0);
            FuzzCheck(e.score == LittleEndian(record + 32));
            FuzzCheck(e.words == LittleEndian(record + 36));
            FuzzCheck(e.skill == LittleEndian(record + 40));
        }
    } else {
        for (const HighScoreEntry& e : table.entries)
            FuzzCheck(std::strcmp(e.name, "Nobody") == 0 && e.score == 0 && e.words == 0 &&
                      e.skill == 0);
    }

    const std::uint8_t* p = data + 2 + fileLength;
    const std::uint8_t* const end = data + size;
    while (end - p >= 8) {
        const int nameLength = p[0];
        const std::int32_t score = LittleEndian(p + 1);
        const std::int32_t words = static_cast<std::int16_t>(p[5] | p[6] << 8);
        const std::int32_t skill = static_cast<std::int8_t>(p[7]);
        p += 8;
        const size_t taken = std::min<size_t>(nameLength, static_cast<size_t>(end - p));
        const std::string name(reinterpret_cast<const char*>(p), taken);
        p += taken;

        const bool qualifies = table.Qualifies(score);
        const bool ascending = Ascending(table);
        FuzzCheck(table.Insert(name.c_str(), score, words, skill) == qualifies);
        if (!qualifies)
            continue;
        // The new entry is in the table with its name cut to 29 characters.
        const std::string stored = std::string(name.c_str()).substr(0, 29);
        bool placed = false;
        for (const HighScoreEntry& e : table.entries) {
            if (e.score == score && e.words == words && e.skill == skill &&
                stored == std::string(e.name, strnlen(e.name, sizeof e.name)))
                placed = placed || e.name[29] == '\0';
        }
        FuzzCheck(placed);
        // A table in order stays in order (a foreign file's need not be).
        FuzzCheck(!ascending || Ascending(table));
    }

    FuzzCheck(table.Save());
    const std::string saved = ReadFile(path);
    FuzzCheck(saved == Image(table));

    HighScoreTable again;
    FuzzCheck(again.Open(path.c_str()));
    FuzzCheck(SameEntries(table, again));
    FuzzCheck(again.Save());
    FuzzCheck(ReadFile(path) == saved);
    return 0;
}

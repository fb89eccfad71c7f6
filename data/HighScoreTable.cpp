#include "data/HighScoreTable.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

constexpr int RecordSize = 44;
constexpr int ScoreOffset = 32;
constexpr int WordsOffset = 36;
constexpr int SkillOffset = 40;

// Records are little-endian on disk whatever the processor, so the file moves
// between machines unchanged.
void PutInt(unsigned char* p, std::int32_t value) {
    const std::uint32_t v = static_cast<std::uint32_t>(value);
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}

std::int32_t GetInt(const unsigned char* p) {
    const std::uint32_t v = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    return static_cast<std::int32_t>(v);
}

} // namespace

HighScoreTable::HighScoreTable() : file(nullptr), font(nullptr) {
    std::memset(entries, 0, sizeof entries);
}

HighScoreTable::~HighScoreTable() { Close(); }

bool HighScoreTable::Open(const char* path) {
    Close();
    file = std::fopen(path, "r+b");
    // Create the file only when it is missing: an existing file that can't be
    // opened for update (no read permission, say) must not be truncated.
    if (file == nullptr && errno == ENOENT)
        file = std::fopen(path, "w+b");
    if (file == nullptr)
        return false;

    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0)
        size = std::ftell(file);
    std::rewind(file);

    unsigned char image[FileSize];
    if (size == FileSize && std::fread(image, RecordSize, EntryCount, file) == EntryCount) {
        for (int i = 0; i < EntryCount; ++i) {
            const unsigned char* record = image + i * RecordSize;
            HighScoreEntry& entry = entries[i];
            std::memcpy(entry.name, record, sizeof entry.name);
            std::memcpy(entry.padding, record + sizeof entry.name, sizeof entry.padding);
            entry.score = GetInt(record + ScoreOffset);
            entry.words = GetInt(record + WordsOffset);
            entry.skill = GetInt(record + SkillOffset);
        }
        return true;
    }

    for (HighScoreEntry& entry : entries) {
        std::memcpy(entry.name, "Nobody", 7);
        entry.score = 0;
        entry.words = 0;
        entry.skill = 0;
    }
    return true;
}

bool HighScoreTable::Save() {
    if (file == nullptr)
        return false;
    unsigned char image[FileSize];
    for (int i = 0; i < EntryCount; ++i) {
        unsigned char* record = image + i * RecordSize;
        const HighScoreEntry& entry = entries[i];
        std::memcpy(record, entry.name, sizeof entry.name);
        std::memcpy(record + sizeof entry.name, entry.padding, sizeof entry.padding);
        PutInt(record + ScoreOffset, entry.score);
        PutInt(record + WordsOffset, entry.words);
        PutInt(record + SkillOffset, entry.skill);
    }
    std::rewind(file);
    const size_t written = std::fwrite(image, 1, sizeof image, file);
    // A file of any other size is reset at the next start, so a longer file
    // is cut to the table's size; flushing puts the entry on disk at once, so
    // it survives a later crash.
    const bool flushed = std::fflush(file) == 0;
    const bool sized = ftruncate(fileno(file), FileSize) == 0;
    return written == sizeof image && flushed && sized;
}

void HighScoreTable::Close() {
    if (file != nullptr) {
        std::fclose(file);
        file = nullptr;
    }
}

bool HighScoreTable::Qualifies(int score) const { return score > entries[0].score; }

bool HighScoreTable::Insert(const char* name, int score, int words, int skill) {
    int i = 0;
    while (i < EntryCount && entries[i].score < score)
        ++i;
    if (i == 0)
        return false;
    // The lowest entry drops out; those below the new place move down one.
    for (int k = 1; k < i; ++k)
        entries[k - 1] = entries[k];
    HighScoreEntry& entry = entries[i - 1];
    std::memset(entry.name, 0, sizeof entry.name);
    std::strncpy(entry.name, name, MaxNameLength);
    entry.score = score;
    entry.words = words;
    entry.skill = skill;
    return true;
}

const char* HighScoreTable::SkillAbbrev(int skill) {
    if (skill == 2)
        return "Adv";
    if (skill == 1)
        return "Int";
    return "Beg";
}

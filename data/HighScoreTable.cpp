#include "data/HighScoreTable.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/file.h>
#include <unistd.h>
#endif

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

// The calls that meet the operating system: a lock held on the open file for
// as long as the object lives (shared to read, exclusive to write), cutting
// the file to size, and flushing it to disk.
#ifdef _WIN32

// Windows locks byte ranges; the range from 0 to the end of all offsets covers
// the file whatever size it takes. The lock is mandatory there, but the
// handle that holds it still reads and writes.
class FileLock {
public:
    FileLock(std::FILE* file, bool exclusive)
        : handle(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))) {
        OVERLAPPED whole = {};
        LockFileEx(handle, exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0, 0, MAXDWORD, MAXDWORD, &whole);
    }
    ~FileLock() {
        OVERLAPPED whole = {};
        UnlockFileEx(handle, 0, MAXDWORD, MAXDWORD, &whole);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    const HANDLE handle;
};

bool CutToSize(std::FILE* file, long size) { return _chsize(_fileno(file), size) == 0; }

void SyncToDisk(std::FILE* file) { _commit(_fileno(file)); }

#else

class FileLock {
public:
    FileLock(std::FILE* file, bool exclusive) : fd(fileno(file)) {
        while (flock(fd, exclusive ? LOCK_EX : LOCK_SH) != 0 && errno == EINTR) {
        }
    }
    ~FileLock() { flock(fd, LOCK_UN); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    const int fd;
};

bool CutToSize(std::FILE* file, long size) { return ftruncate(fileno(file), size) == 0; }

void SyncToDisk(std::FILE* file) { fsync(fileno(file)); }

#endif

} // namespace

HighScoreTable::HighScoreTable() : file(nullptr), font(nullptr), seen() {
    std::memset(entries, 0, sizeof entries);
}

HighScoreTable::~HighScoreTable() { Close(); }

bool HighScoreTable::Open(const char* path) {
    Close();
    inserted.clear();
    file = std::fopen(path, "r+b");
    // Create the file only when it is missing: an existing file that can't be
    // opened for update (no read permission, say) must not be truncated.
    if (file == nullptr && errno == ENOENT)
        file = std::fopen(path, "w+b");
    if (file == nullptr)
        return false;

    // Shared with other readers, but never read while another game writes.
    const FileLock lock(file, false);
    if (ReadImage(seen)) {
        Decode(seen);
        return true;
    }
    // No table yet: any table a save meets later was written by another game.
    std::memset(seen, 0, sizeof seen);
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
    // Two games may share the file. Each read the table when it started, so
    // the one that saves second would write back a table without the other's
    // entry. Under the lock, a table that is no longer what this game last
    // saw is taken as it stands now, and the entries made here since are
    // placed in it. The bytes are compared rather than the file's time, which
    // two quick saves can share.
    const FileLock lock(file, true);
    FileImage current;
    if (ReadImage(current) && std::memcmp(current, seen, FileSize) != 0) {
        Decode(current);
        for (const HighScoreEntry& entry : inserted)
            Place(entry.name, entry.score, entry.words, entry.skill);
    }

    FileImage image;
    Encode(image);
    std::rewind(file);
    const size_t written = std::fwrite(image, 1, sizeof image, file);
    // A file of any other size is reset at the next start, so a longer file
    // is cut to the table's size; the entry goes to the disk at once, so it
    // survives a later crash.
    const bool flushed = std::fflush(file) == 0;
    const bool sized = CutToSize(file, FileSize);
    SyncToDisk(file); // a file system that can't sync still holds the bytes
    if (written != sizeof image || !flushed || !sized)
        return false;
    std::memcpy(seen, image, FileSize);
    inserted.clear();
    return true;
}

bool HighScoreTable::ReadImage(FileImage image) {
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0)
        size = std::ftell(file);
    std::rewind(file);
    return size == FileSize && std::fread(image, RecordSize, EntryCount, file) == EntryCount;
}

void HighScoreTable::Decode(const FileImage image) {
    for (int i = 0; i < EntryCount; ++i) {
        const unsigned char* record = image + i * RecordSize;
        HighScoreEntry& entry = entries[i];
        std::memcpy(entry.name, record, sizeof entry.name);
        std::memcpy(entry.padding, record + sizeof entry.name, sizeof entry.padding);
        entry.score = GetInt(record + ScoreOffset);
        entry.words = GetInt(record + WordsOffset);
        entry.skill = GetInt(record + SkillOffset);
    }
}

void HighScoreTable::Encode(FileImage image) const {
    for (int i = 0; i < EntryCount; ++i) {
        unsigned char* record = image + i * RecordSize;
        const HighScoreEntry& entry = entries[i];
        std::memcpy(record, entry.name, sizeof entry.name);
        std::memcpy(record + sizeof entry.name, entry.padding, sizeof entry.padding);
        PutInt(record + ScoreOffset, entry.score);
        PutInt(record + WordsOffset, entry.words);
        PutInt(record + SkillOffset, entry.skill);
    }
}

void HighScoreTable::Close() {
    if (file != nullptr) {
        std::fclose(file);
        file = nullptr;
    }
}

bool HighScoreTable::Qualifies(int score) const { return score > entries[0].score; }

bool HighScoreTable::Insert(const char* name, int score, int words, int skill) {
    const int at = Place(name, score, words, skill);
    if (at < 0)
        return false;
    // Kept as placed, so a save that meets another game's table can place it
    // there too.
    inserted.push_back(entries[at]);
    return true;
}

int HighScoreTable::Place(const char* name, int score, int words, int skill) {
    int i = 0;
    while (i < EntryCount && entries[i].score < score)
        ++i;
    if (i == 0)
        return -1;
    // The lowest entry drops out; those below the new place move down one.
    for (int k = 1; k < i; ++k)
        entries[k - 1] = entries[k];
    HighScoreEntry& entry = entries[i - 1];
    std::memset(entry.name, 0, sizeof entry.name);
    std::strncpy(entry.name, name, MaxNameLength);
    entry.score = score;
    entry.words = words;
    entry.skill = skill;
    return i - 1;
}

const char* HighScoreTable::SkillAbbrev(int skill) {
    if (skill == 2)
        return "Adv";
    if (skill == 1)
        return "Int";
    return "Beg";
}

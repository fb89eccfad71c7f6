#include "data/HighScoreTable.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

constexpr int RecordSize = HighScoreEntry::RecordSize;
constexpr int ScoreOffset = 32;
constexpr int WordsOffset = 36;
constexpr int SkillOffset = 40;

// Another game holds the lock only for the moment its save takes. One that
// holds it longer (stopped mid-save, or another program's lock) must not
// freeze this game's start or its name entry, so the lock is tried a few
// times over about a second and then done without.
constexpr int LockTries = 5;
constexpr int LockRetryMilliseconds = 200;

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

// The calls that meet the operating system: opening without truncating,
// reading and writing at the file's start past the stream's buffer, trying
// the lock once, waiting, cutting the file to size and flushing it to disk.
#ifdef _WIN32

std::FILE* OpenForUpdate(const char* path) {
    const int fd = _open(path, _O_RDWR | _O_CREAT | _O_BINARY, _S_IREAD | _S_IWRITE);
    std::FILE* file = fd < 0 ? nullptr : _fdopen(fd, "r+b");
    if (fd >= 0 && file == nullptr)
        _close(fd);
    return file;
}

HANDLE Handle(std::FILE* file) { return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file))); }

// True when the file holds exactly count bytes, read into bytes from its start.
bool ReadExactly(std::FILE* file, unsigned char* bytes, long count) {
    LARGE_INTEGER size;
    OVERLAPPED start = {};
    DWORD read = 0;
    return GetFileSizeEx(Handle(file), &size) && size.QuadPart == count &&
           ReadFile(Handle(file), bytes, static_cast<DWORD>(count), &read, &start) &&
           read == static_cast<DWORD>(count);
}

// True when all count bytes were written at the file's start.
bool WriteAtStart(std::FILE* file, const unsigned char* bytes, long count) {
    OVERLAPPED start = {};
    DWORD written = 0;
    return WriteFile(Handle(file), bytes, static_cast<DWORD>(count), &written, &start) &&
           written == static_cast<DWORD>(count);
}

// Windows locks byte ranges; the range from 0 to the end of all offsets covers
// the file whatever size it takes. The lock is mandatory there, but the
// handle that holds it still reads and writes.
bool TryLock(std::FILE* file, bool exclusive) {
    OVERLAPPED whole = {};
    const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
    return LockFileEx(Handle(file), flags, 0, MAXDWORD, MAXDWORD, &whole) != 0;
}

void Unlock(std::FILE* file) {
    OVERLAPPED whole = {};
    UnlockFileEx(Handle(file), 0, MAXDWORD, MAXDWORD, &whole);
}

void Nap(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

bool CutToSize(std::FILE* file, long size) { return _chsize(_fileno(file), size) == 0; }

void SyncToDisk(std::FILE* file) { _commit(_fileno(file)); }

#else

// Opening with O_CREAT never truncates: a file that another game created a
// moment ago keeps what it wrote.
std::FILE* OpenForUpdate(const char* path) {
    const int fd = open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    std::FILE* file = fd < 0 ? nullptr : fdopen(fd, "r+b");
    if (fd >= 0 && file == nullptr)
        close(fd);
    return file;
}

// True when the file holds exactly count bytes, read into bytes from its start.
bool ReadExactly(std::FILE* file, unsigned char* bytes, long count) {
    struct stat info;
    return fstat(fileno(file), &info) == 0 && info.st_size == count &&
           pread(fileno(file), bytes, static_cast<size_t>(count), 0) == count;
}

// True when all count bytes were written at the file's start. A write cut
// short (a full disk, a size limit) is carried on from where it stopped
// until it fails outright.
bool WriteAtStart(std::FILE* file, const unsigned char* bytes, long count) {
    long done = 0;
    while (done < count) {
        const ssize_t n = pwrite(fileno(file), bytes + done, static_cast<size_t>(count - done), done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// One flock call that does not wait: a browser build can stand in for it.
bool TryLock(std::FILE* file, bool exclusive) {
    int result;
    while ((result = flock(fileno(file), (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB)) != 0 &&
           errno == EINTR) {
    }
    return result == 0;
}

void Unlock(std::FILE* file) { flock(fileno(file), LOCK_UN); }

void Nap(int milliseconds) { usleep(static_cast<useconds_t>(milliseconds) * 1000); }

bool CutToSize(std::FILE* file, long size) { return ftruncate(fileno(file), size) == 0; }

void SyncToDisk(std::FILE* file) { fsync(fileno(file)); }

#endif

// A lock on the open file for as long as the object lives (shared to read,
// exclusive to write), or none when it can't be had in time.
class FileLock {
public:
    FileLock(std::FILE* file, bool exclusive) : file(file), held(TryLock(file, exclusive)) {
        for (int tries = 1; !held && tries < LockTries; ++tries) {
            Nap(LockRetryMilliseconds);
            held = TryLock(file, exclusive);
        }
    }
    ~FileLock() {
        if (held)
            Unlock(file);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held() const { return held; }

private:
    std::FILE* const file;
    bool held;
};

} // namespace

HighScoreTable::HighScoreTable() : file(nullptr), font(nullptr), seen() {
    std::memset(entries, 0, sizeof entries);
}

HighScoreTable::~HighScoreTable() { Close(); }

bool HighScoreTable::Open(const char* path) {
    Close();
    inserted.clear();
    // An existing file that can't be opened for update (no read permission,
    // say) is left alone; a missing one is created.
    file = OpenForUpdate(path);
    if (file == nullptr)
        return false;

    // Shared with other readers, but not read while another game writes,
    // unless that game keeps the lock too long.
    const FileLock lock(file, false);
    if (ReadImage(seen)) {
        Decode(seen);
        return true;
    }
    // No table yet: any table a save meets later was written by another game.
    seen.fill(0);
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
    if (ReadImage(current) && current != seen) {
        Decode(current);
        for (const HighScoreEntry& entry : inserted)
            Place(entry.name, entry.score, entry.words, entry.skill);
    }

    FileImage image;
    Encode(image);
    // Written through the descriptor, as it is read, so no stream buffer
    // holds bytes back for a later flush to write at the wrong place.
    bool written = WriteAtStart(file, image.data(), FileSize);
    // A write that failed part way may still have left the whole table in
    // the file, where the bytes it didn't reach already held the same. Then
    // the table is there, and counting the save as failed would place this
    // game's entries into it a second time at the next save.
    FileImage there;
    if (!written)
        written = ReadImage(there) && there == image;
    // Once the table is in the file, it is what this game has seen there,
    // whatever happens next: its entries must not be placed a second time.
    if (written) {
        seen = image;
        inserted.clear();
    }
    // A file of any other size is reset at the next start, so a longer file
    // is cut to the table's size once the table is in it. Cut before, a
    // write that fails (a full disk) would leave 440 zero bytes, which the
    // next start takes for ten empty names. The entry goes to the disk at
    // once, so it survives a later crash.
    const bool sized = written && CutToSize(file, FileSize);
    SyncToDisk(file); // a file system that can't sync still holds the bytes
    if (written && !lock.Held())
        std::fprintf(stderr, "HighScoreTable::Save(): the table was saved without the lock\n");
    return written && sized;
}

bool HighScoreTable::ReadImage(FileImage& image) const {
    // Read from the descriptor, not through the stream: a stream may keep
    // bytes it buffered before another game wrote the file.
    return ReadExactly(file, image.data(), FileSize);
}

void HighScoreTable::Decode(const FileImage& image) {
    for (int i = 0; i < EntryCount; ++i) {
        const unsigned char* record = image.data() + i * RecordSize;
        HighScoreEntry& entry = entries[i];
        std::memcpy(entry.name, record, sizeof entry.name);
        std::memcpy(entry.padding, record + sizeof entry.name, sizeof entry.padding);
        entry.score = GetInt(record + ScoreOffset);
        entry.words = GetInt(record + WordsOffset);
        entry.skill = GetInt(record + SkillOffset);
    }
}

void HighScoreTable::Encode(FileImage& image) const {
    for (int i = 0; i < EntryCount; ++i) {
        unsigned char* record = image.data() + i * RecordSize;
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

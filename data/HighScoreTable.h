#pragma once

// The Hall of Fame: the ten best results, in memory and in the file
// "glyphtumble.hi". The file is the image of the table and nothing else:
// ten 44-byte little-endian records, lowest score first, exactly 440 bytes.

#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

class TextureFont;

struct HighScoreEntry {
    static constexpr int RecordSize = 44; // in memory and in the file

    char name[30]; // NUL-terminated, at most 29 characters, NUL-padded
    char padding[2];
    std::int32_t score;
    std::int32_t words;
    std::int32_t skill; // 0 Beginner, 1 Intermediate, 2 Advanced
};
static_assert(sizeof(HighScoreEntry) == HighScoreEntry::RecordSize, "a record has no gaps");

class HighScoreTable {
public:
    static constexpr int EntryCount = 10;
    static constexpr long FileSize = EntryCount * HighScoreEntry::RecordSize;
    static constexpr int MaxNameLength = 29;

    HighScoreTable();
    ~HighScoreTable(); // closes the file as Close does; does not save
    HighScoreTable(const HighScoreTable&) = delete;
    HighScoreTable& operator=(const HighScoreTable&) = delete;

    // Opens the file, creating it when it is missing, and reads the table when
    // the file holds exactly 440 bytes; otherwise the table becomes ten
    // "Nobody" entries with score 0 (the file is untouched until Save).
    // False when the file can be neither opened nor created. Waits about a
    // second at most for a game that is writing the file, then reads anyway.
    bool Open(const char* path);
    // Writes the whole table, leaves the file exactly 440 bytes long and
    // flushes it to disk, all under an exclusive lock on the file. When
    // another game wrote a table there since this one last read or wrote the
    // file, the entries inserted here since then are placed into that table
    // instead, and it becomes this table. False when no file is open, the
    // write fell short or the file could not be cut to size; a table that
    // reached the file counts as written all the same, and a write that
    // fails leaves the file's size as it was. When the lock can't be
    // had within about a second, the table is saved without it and one line
    // on stderr says so.
    bool Save();
    void Close();
    // True when score beats the lowest entry.
    bool Qualifies(int score) const;
    // Places the entry, ties going below existing equal scores; the lowest
    // entry drops out. False, changing nothing, when score doesn't qualify.
    bool Insert(const char* name, int score, int words, int skill);

    // Draws the Hall of Fame list with font: footer, rows, header.
    void DrawList() const;
    // "Adv" for 2, "Int" for 1, "Beg" for anything else.
    static const char* SkillAbbrev(int skill);

    // Ascending score: index 0 the lowest. Read freely, but add entries
    // through Insert: a save that meets another game's table carries over
    // only what Insert placed, so an entry written here directly is lost then.
    HighScoreEntry entries[EntryCount];
    std::FILE* file;
    TextureFont* font; // not owned

private:
    using FileImage = std::array<unsigned char, FileSize>;
    // The file's bytes when they are a table (exactly 440 bytes, all read),
    // read afresh from the file whatever the stream may hold.
    bool ReadImage(FileImage& image) const;
    void Decode(const FileImage& image);
    void Encode(FileImage& image) const;
    // Insert's placing alone; the index it took, or -1.
    int Place(const char* name, int score, int words, int skill);

    // The table this game last read from the file or wrote to it (all zero
    // when the file held none), and the entries it has inserted since: enough
    // to tell whether another game has written the file in between, and what
    // to carry over into that game's table.
    FileImage seen;
    std::vector<HighScoreEntry> inserted;
};

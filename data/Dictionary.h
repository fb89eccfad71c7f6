#pragma once

// The word list every run of letters in the well is looked up in. The whole
// file is read into one buffer and cut into words in place: no word is copied,
// and the index is an array of pointers into that buffer. Words are
// upper-cased as far as a-z go; lookup is a binary search in byte order.

#include <cstddef>
#include <vector>

class Dictionary {
public:
    Dictionary();
    ~Dictionary();
    Dictionary(const Dictionary&) = delete;
    Dictionary& operator=(const Dictionary&) = delete;

    // A word list larger than this, or of more lines, is refused with one
    // line on stderr. The real list is well under a megabyte and the largest
    // public English lists a few; at these bounds a list of any content loads
    // in well under a second and a few tens of megabytes.
    static constexpr long long MaxFileSize = 16ll * 1024 * 1024;
    static constexpr std::size_t MaxWords = 1 << 20;

    // Number of words loaded, or -1 (count -1) when the file can't be opened
    // or is larger than MaxFileSize or MaxWords. A last line without a newline is not
    // entered; an index that is out of byte order is sorted, so lookups never
    // miss silently.
    int Load(const char* path);
    // Empties the index, frees the text, count -1.
    void Clear();
    // The word at index, or "" when index is outside 0..count-1.
    const char* WordAt(int index) const;
    // Index of an entry equal to word (exact, case-sensitive), or -1.
    int Find(const char* word) const;

    int count;

private:
    void IndexLines(std::size_t length);
    void CutWords();

    char* text;
    char* cutEnd = nullptr; // end of the last complete line
    std::vector<char*> words;
};

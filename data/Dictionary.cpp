#include "data/Dictionary.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace {

bool WordLess(const char* a, const char* b) { return std::strcmp(a, b) < 0; }

} // namespace

Dictionary::Dictionary() : count(-1), text(nullptr) {}

Dictionary::~Dictionary() { Clear(); }

void Dictionary::Clear() {
    words.clear();
    delete[] text;
    text = nullptr;
    count = -1;
}

int Dictionary::Load(const char* path) {
    Clear();
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return -1;
    // Only a regular file has a size to trust; a directory or a device of that
    // name counts as a file that can't be read.
    struct stat info;
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
        std::fclose(file);
        return -1;
    }
    const size_t size = static_cast<size_t>(info.st_size);
    text = new char[size + 1];
    const size_t length = std::fread(text, 1, size, file);
    std::fclose(file);
    text[length] = '\0';

    // Exact room for the index: one entry per newline.
    size_t lines = 0;
    for (const char* p = text; (p = static_cast<const char*>(std::memchr(p, '\n', text + length - p)));
         ++p)
        ++lines;
    words.reserve(lines);

    // Cut the buffer into words in place. A word is its line up to the first
    // carriage return (or NUL) or the newline; only a-z are changed, to upper
    // case. A last line without a newline is not a word.
    char* p = text;
    char* const end = text + length;
    while (p < end) {
        char* newline = static_cast<char*>(std::memchr(p, '\n', end - p));
        if (newline == nullptr)
            break;
        words.push_back(p);
        for (char* c = p; c < newline; ++c) {
            if (*c == '\r')
                *c = '\0';
            else if (*c >= 'a' && *c <= 'z')
                *c = static_cast<char>(*c - 'a' + 'A');
        }
        *newline = '\0';
        p = newline + 1;
    }

    // Lookup is a binary search in byte order. A list sorted another way (by
    // locale, or a player's own list) would make it miss words silently, so
    // such an index is put in order; an ordered file's index stays as it is.
    if (!std::is_sorted(words.begin(), words.end(), WordLess))
        std::stable_sort(words.begin(), words.end(), WordLess);

    count = static_cast<int>(words.size());
    return count;
}

const char* Dictionary::WordAt(int index) const {
    if (index < 0 || index >= count)
        return "";
    return words[index];
}

int Dictionary::Find(const char* word) const {
    if (count <= 0)
        return -1;
    int lo = 0;
    int hi = count - 1;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const int order = std::strcmp(word, words[mid]);
        if (order == 0)
            return mid;
        if (order < 0)
            hi = mid - 1;
        else
            lo = mid + 1;
    }
    return -1;
}

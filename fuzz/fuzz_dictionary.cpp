// Any bytes as the word list: a word for each complete line, upper-cased, cut
// at a carriage return, in byte order, each found again by the search.

#include "data/Dictionary.h"

#include <algorithm>
#include <cstring>

#include "fuzz/FuzzTempFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    Dictionary words;
    const char* path = FuzzTempFile(data, size);
    FuzzCheck(words.Load(path) == std::count(data, data + size, '\n'));
    for (int i = 0; i < words.count; ++i) {
        const char* word = words.WordAt(i);
        FuzzCheck(std::strpbrk(word, "\rabcdefghijklmnopqrstuvwxyz") == nullptr);
        FuzzCheck(i == 0 || std::strcmp(words.WordAt(i - 1), word) <= 0);
        FuzzCheck(std::strcmp(words.WordAt(words.Find(word)), word) == 0);
    }
    FuzzCheck(*words.WordAt(-1) == '\0' && *words.WordAt(words.count) == '\0');
    FuzzCheck(words.Load(path) == words.count); // a second load replaces the first
    return 0;
}

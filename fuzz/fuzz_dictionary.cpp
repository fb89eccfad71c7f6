// Fuzzes the word-list loader: any bytes as "dictionary.txt". The loaded index
// must hold exactly the file's complete lines, cut at the first carriage
// return, a-z upper-cased, in byte order, and every word must be found again
// by the binary search.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "data/Dictionary.h"
#include "fuzz/FuzzTempFile.h"

namespace {

// The words the file should give, worked out the plain way.
std::vector<std::string> ExpectedWords(const std::uint8_t* data, size_t size) {
    std::vector<std::string> words;
    size_t start = 0;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] != '\n')
            continue;
        std::string word;
        for (size_t k = start; k < i && data[k] != '\r' && data[k] != '\0'; ++k) {
            const char c = static_cast<char>(data[k]);
            word.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
        }
        words.push_back(word);
        start = i + 1;
    }
    std::sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) {
        return std::strcmp(a.c_str(), b.c_str()) < 0;
    });
    return words;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    std::FILE* out = std::fopen(FuzzTempFile("fuzz_dictionary").c_str(), "wb");
    FuzzCheck(out != nullptr);
    FuzzCheck(std::fwrite(data, 1, size, out) == size);
    FuzzCheck(std::fclose(out) == 0);

    Dictionary dictionary;
    const int count = dictionary.Load(FuzzTempFile("fuzz_dictionary").c_str());
    const std::vector<std::string> expected = ExpectedWords(data, size);
    FuzzCheck(count == static_cast<int>(expected.size()));
    FuzzCheck(dictionary.count == count);

    for (int i = 0; i < count; ++i) {
        const char* word = dictionary.WordAt(i);
        FuzzCheck(expected[i] == word);
        if (i > 0)
            FuzzCheck(std::strcmp(dictionary.WordAt(i - 1), word) <= 0);
        const int found = dictionary.Find(word);
        FuzzCheck(found >= 0 && found < count && std::strcmp(dictionary.WordAt(found), word) == 0);
    }
    FuzzCheck(*dictionary.WordAt(-1) == '\0' && *dictionary.WordAt(count) == '\0');
    // A word one byte past the last one is never found.
    if (count > 0) {
        std::string beyond = dictionary.WordAt(count - 1);
        beyond.push_back('\x7f');
        if (std::find(expected.begin(), expected.end(), beyond) == expected.end())
            FuzzCheck(dictionary.Find(beyond.c_str()) == -1);
    }

    // A second load replaces the first.
    FuzzCheck(dictionary.Load(FuzzTempFile("fuzz_dictionary").c_str()) == count);
    return 0;
}

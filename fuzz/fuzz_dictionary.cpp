// Any bytes as the word list: the index holds exactly the file's complete
// lines, each cut at its first CR or NUL, a-z upper-cased, in byte order, and
// the binary search finds every one.

#include "data/Dictionary.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "fuzz/FuzzTempFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> expected;
    for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string word = text.substr(start, end - start);
        word = word.substr(0, word.find_first_of(std::string("\r\0", 2)));
        for (char& c : word)
            c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        expected.push_back(word);
    }
    std::sort(expected.begin(), expected.end());

    Dictionary dictionary;
    const char* path = FuzzTempFile(data, size);
    FuzzCheck(dictionary.Load(path) == static_cast<int>(expected.size()));
    for (int i = 0; i < dictionary.count; ++i) {
        FuzzCheck(expected[i] == dictionary.WordAt(i));
        FuzzCheck(expected[i] == dictionary.WordAt(dictionary.Find(expected[i].c_str())));
    }
    FuzzCheck(*dictionary.WordAt(-1) == '\0' && *dictionary.WordAt(dictionary.count) == '\0');
    FuzzCheck(dictionary.Load(path) == static_cast<int>(expected.size())); // a reload replaces it
    return 0;
}

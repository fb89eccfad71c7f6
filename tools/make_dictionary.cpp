// make_dictionary: turns plain-word lists into the game's dictionary.txt.
//
//   make_dictionary [--language <code>] <dictionary.txt> <word list>...
//
// Keeps the lines of 3 to 15 letters written in lower-case a-z only (a line
// with a capital, an apostrophe or any byte of a UTF-8 letter is left out),
// upper-cases them and writes them in ascending byte order without
// duplicates, one per line, each ended by a newline. The game looks words up
// by binary search, so the order is what matters most here.
//
// With --language, the lists are another language's in UTF-8, and its words
// are kept and written out in Latin-1 as tools/WordFolding.h says.
//
// The game asks for target words of every length up to 10, so a list without
// words of some length from 3 to 10 is refused as incomplete, as is any word
// list that can't be read: the build stops rather than ship a short list.

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "tools/WordFolding.h"

namespace {

constexpr size_t ShortestWord = 3;
constexpr size_t LongestWord = 15;
// Every length from the shortest word up to the longest target word must be there.
constexpr size_t LongestTarget = 10;

bool IsPlainWord(const std::string& line) {
    if (line.size() < ShortestWord || line.size() > LongestWord)
        return false;
    return std::all_of(line.begin(), line.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

// Adds the plain words of one list; false when it can't be read to its end.
bool ReadWords(const char* path, const std::string& language, std::vector<std::string>& words) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!language.empty()) {
            const std::string word = FoldWord(line, language);
            if (!word.empty())
                words.push_back(word);
            continue;
        }
        if (!IsPlainWord(line))
            continue;
        for (char& c : line)
            c = static_cast<char>(c - 'a' + 'A');
        words.push_back(line);
    }
    return in.eof() && !in.bad();
}

} // namespace

int main(int argc, char** argv) {
    std::string language;
    if (argc > 2 && std::string(argv[1]) == "--language") {
        language = argv[2];
        argc -= 2;
        argv += 2;
    }
    if (argc < 3) {
        std::cerr << "usage: make_dictionary [--language <code>] <dictionary.txt> <word list>...\n";
        return 2;
    }
    std::vector<std::string> words;
    for (int i = 2; i < argc; ++i) {
        if (!ReadWords(argv[i], language, words)) {
            std::cerr << "make_dictionary: can't read " << argv[i] << "\n";
            return 1;
        }
    }
    SortWords(words);

    std::array<size_t, LongestWord + 1> perLength{};
    for (const std::string& w : words)
        ++perLength[w.size()];
    for (size_t length = ShortestWord; length <= LongestTarget; ++length) {
        if (perLength[length] == 0) {
            std::cerr << "make_dictionary: the word lists hold no word of " << length
                      << " letters; refusing to write an incomplete " << argv[1] << "\n";
            return 1;
        }
    }

    // Write to a temporary name first so an interrupted build never leaves
    // half a word list behind under the real name.
    const std::string tmp = std::string(argv[1]) + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        for (const std::string& w : words)
            out << w << '\n';
        out.flush();
        if (!out) {
            std::cerr << "make_dictionary: can't write " << tmp << "\n";
            std::remove(tmp.c_str());
            return 1;
        }
    }
    if (std::rename(tmp.c_str(), argv[1]) != 0) {
        std::cerr << "make_dictionary: can't rename " << tmp << "\n";
        std::remove(tmp.c_str());
        return 1;
    }
    return 0;
}

// make_dictionary: turns a system word list into the game's dictionary.txt.
//
// Keeps the words of 3 to 15 letters written in lower-case a-z only (so no
// proper names, no apostrophes), upper-cases them and writes them in ascending
// byte order, one per line, each ended by a newline. The game looks words up
// by binary search, so the order is what matters most here.

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

bool IsPlainWord(const std::string& line) {
    if (line.size() < 3 || line.size() > 15)
        return false;
    return std::all_of(line.begin(), line.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_dictionary <word list> <dictionary.txt>\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "make_dictionary: can't read " << argv[1] << "\n";
        return 1;
    }
    std::vector<std::string> words;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!IsPlainWord(line))
            continue;
        for (char& c : line)
            c = static_cast<char>(c - 'a' + 'A');
        words.push_back(line);
    }
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());

    // Write to a temporary name first so an interrupted build never leaves
    // half a word list behind under the real name.
    const std::string tmp = std::string(argv[2]) + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        for (const std::string& w : words)
            out << w << '\n';
        if (!out) {
            std::cerr << "make_dictionary: can't write " << tmp << "\n";
            return 1;
        }
    }
    if (std::rename(tmp.c_str(), argv[2]) != 0) {
        std::cerr << "make_dictionary: can't rename " << tmp << "\n";
        return 1;
    }
    return 0;
}

// Writes a sorted word list front-coded, for the web page to download: each
// word on its own line, led by one character, '0' plus the number of bytes
// it shares with the word before it, then the rest of its bytes. Sorted
// neighbours share most of their letters, so the file packs several times
// smaller than the list; the page spells the list out again before the game
// reads it (web/shell.html).
//
//   pack_words dictionary.txt words.txt
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: pack_words WORD_LIST OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::ofstream out(argv[2], std::ios::binary);
    if (!in || !out) {
        std::cerr << "pack_words: can't open " << (in ? argv[2] : argv[1]) << "\n";
        return 1;
    }
    std::string last, word;
    while (std::getline(in, word)) {
        if (word.empty()) continue;
        std::size_t shared = 0;
        // A word is at most 11 letters, so the count stays one digit or ':' and ';'.
        while (shared < last.size() && shared < word.size() && shared < 40 && last[shared] == word[shared])
            ++shared;
        out << static_cast<char>('0' + shared) << word.substr(shared) << '\n';
        last = word;
    }
    out.close();
    if (!out) {
        std::cerr << "pack_words: can't write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}

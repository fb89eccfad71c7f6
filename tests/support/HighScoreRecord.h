#pragma once

// A Hall of Fame record as the file holds it: 30 + 2 bytes of name, 3 little-endian ints.

#include <string>

inline std::string Record(const std::string& name, int score, int words = 0, int skill = 0) {
    std::string bytes = name;
    bytes.resize(32, '\0');
    for (const int v : {score, words, skill})
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<char>(static_cast<unsigned>(v) >> shift));
    return bytes;
}

// A whole table, lowest first: "P<score>" with step (i + 1) points and i + 1
// words for i = 0..9; step 0: the game's ten "Nobody".
inline std::string Table(int step) {
    std::string bytes;
    for (int i = 0; i < 10; ++i)
        bytes += step ? Record("P" + std::to_string(step * (i + 1)), step * (i + 1), i + 1, i % 3)
                      : Record("Nobody", 0, 0, 0);
    return bytes;
}

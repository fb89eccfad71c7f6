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

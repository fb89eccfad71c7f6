#pragma once

// One word found in the well, with the points crediting it will add.

#include <string>

// Bits of FoundWord::flags.
enum FoundWordFlag : int {
    FlagBonus = 1,  // the word covers the bonus block
    FlagChain = 2,  // not the first word scored since the block spawned
    FlagTarget = 4, // the word is the target word
};

struct FoundWord {
    std::string word; // upper case
    int column = 0;   // first letter
    int row = 0;
    int length = 0;
    bool vertical = false; // false: across, columns increasing; true: down, rows decreasing
    int points = 0;
    int flags = 0;
};

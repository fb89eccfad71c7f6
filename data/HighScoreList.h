#pragma once

// The texts and colours of the Hall of Fame list that HighScoreTable::DrawList
// draws, built without any drawing so that they can be checked on their own.

#include "data/HighScoreTable.h"

#include <string>

// The column header: "Name", "Skill", "Words", "Score" in the rows' columns.
std::string HallOfFameHeader();

// One entry's row: name in 27 cells, skill abbreviation in 5, words in 7,
// score in 9. A name is read up to its NUL or its 30th byte, whichever comes
// first, so a record from a foreign file without a NUL is never overrun.
std::string HallOfFameRow(const HighScoreEntry& entry);

// The brightness of the row of entry k (0 the lowest): 0.3 at the bottom up to
// 0.75 for the best score at the top.
float HallOfFameFade(int k);

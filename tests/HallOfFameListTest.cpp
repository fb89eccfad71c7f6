// A Hall of Fame row from a foreign file whose name fills all 30 bytes.

#include "data/HighScoreList.h"

#include <cstring>
#include <gtest/gtest.h>

TEST(HallOfFameList, NamesStopAtThirtyBytes) {
    HighScoreEntry entry{"", {}, 1234, 56, 2};
    std::memset(entry.name, 'N', sizeof entry.name);
    std::memset(entry.padding, 'P', sizeof entry.padding);
    EXPECT_EQ(HallOfFameRow(entry), std::string(30, 'N') + "   Adv      56      1234");
}

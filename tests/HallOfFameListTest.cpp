// The rows, header and fading of the Hall of Fame list.

#include "data/HighScoreList.h"

#include <cstring>
#include <gtest/gtest.h>

TEST(HallOfFameList, RowsLineUpUnderTheHeaderAndNamesStopAtThirtyBytes) {
    HighScoreEntry entry{"Ann", {}, 1234, 56, 2};
    EXPECT_EQ(HallOfFameHeader(), "Name                        Skill   Words     Score");
    EXPECT_EQ(HallOfFameRow(entry), "Ann                           Adv      56      1234");
    // A record from a foreign file may fill all 30 name bytes without a NUL.
    std::memset(entry.name, 'N', sizeof entry.name);
    std::memset(entry.padding, 'P', sizeof entry.padding);
    EXPECT_EQ(HallOfFameRow(entry), std::string(30, 'N') + "   Adv      56      1234");
}

TEST(HallOfFameList, FadeRisesFromPointThreeAtTheBottomToPointSevenFiveAtTheTop) {
    for (int k = 0; k < HighScoreTable::EntryCount; ++k)
        EXPECT_NEAR(HallOfFameFade(k), 0.3f + 0.05f * k, 1e-6) << k;
}

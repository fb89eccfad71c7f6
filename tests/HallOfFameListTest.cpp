// The rows, header and fading of the Hall of Fame list.

#include "data/HighScoreList.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

HighScoreEntry Entry(const char* name, int score, int words, int skill) {
    HighScoreEntry entry;
    std::memset(&entry, 0, sizeof entry);
    std::strncpy(entry.name, name, sizeof entry.name - 1);
    entry.score = score;
    entry.words = words;
    entry.skill = skill;
    return entry;
}

} // namespace

TEST(HallOfFameList, RowsLineUpUnderTheHeaderAndLongNamesPushRight) {
    const std::string header = HallOfFameHeader();
    EXPECT_EQ(header, "Name                        Skill   Words     Score");
    EXPECT_EQ(HallOfFameRow(Entry("Ann", 1234, 56, 2)),
              "Ann                           Adv      56      1234");
    EXPECT_EQ(HallOfFameRow(Entry("Bo", 7, 1, 9)).substr(28, 5), "  Beg");
    const std::string name(29, 'x');
    const std::string row = HallOfFameRow(Entry(name.c_str(), 5, 1, 1));
    EXPECT_EQ(row.substr(0, 30), name + " ");
    EXPECT_EQ(row.size(), header.size() + 2);
}

// A record from a foreign file may fill all 30 name bytes without a NUL: the
// row stops at the 30th byte instead of running into the fields after it.
TEST(HallOfFameList, NameWithoutNulIsCutAtThirtyBytes) {
    HighScoreEntry entry = Entry("", 99, 3, 1);
    std::memset(entry.name, 'N', sizeof entry.name);
    std::memset(entry.padding, 'P', sizeof entry.padding);
    EXPECT_EQ(HallOfFameRow(entry), std::string(30, 'N') + "   Int       3        99");
}

TEST(HallOfFameList, BestRowIsBrightestAndEachLowerRowDimmer) {
    EXPECT_FLOAT_EQ(HallOfFameFade(9), 0.75f);
    EXPECT_FLOAT_EQ(HallOfFameFade(0), 0.3f);
    for (int k = 1; k < HighScoreTable::EntryCount; ++k)
        EXPECT_NEAR(HallOfFameFade(k) - HallOfFameFade(k - 1), 0.05f, 1e-6) << k;
}

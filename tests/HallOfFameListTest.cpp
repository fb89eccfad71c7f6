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

TEST(HallOfFameList, RowsLineUpUnderTheHeader) {
    const std::string header = HallOfFameHeader();
    EXPECT_EQ(header, "Name                        Skill   Words     Score");
    const std::string row = HallOfFameRow(Entry("Ann", 1234, 56, 2));
    EXPECT_EQ(row, "Ann                           Adv      56      1234");
    EXPECT_EQ(row.size(), header.size());
    // Every column ends where its header ends.
    EXPECT_EQ(row.find("Adv") + 3, header.find("Skill") + 5);
    EXPECT_EQ(HallOfFameRow(Entry("Bo", 7, 1, 0)).substr(28, 5), "  Beg");
    EXPECT_EQ(HallOfFameRow(Entry("Bo", 7, 1, 9)).substr(28, 5), "  Beg");
    EXPECT_EQ(HallOfFameRow(Entry("Bo", 7, 1, 1)).substr(28, 5), "  Int");
}

TEST(HallOfFameList, LongNamePushesItsRowRight) {
    const std::string name(29, 'x');
    const std::string row = HallOfFameRow(Entry(name.c_str(), 5, 1, 1));
    EXPECT_EQ(row.substr(0, 29), name);
    EXPECT_EQ(row.size(), HallOfFameHeader().size() + 2);
}

// A record from a foreign file may fill all 30 name bytes without a NUL: the
// row stops at the 30th byte instead of running into the score fields.
TEST(HallOfFameList, NameWithoutNulIsCutAtThirtyBytes) {
    HighScoreEntry entry = Entry("", 99, 3, 1);
    std::memset(entry.name, 'N', sizeof entry.name);
    std::memset(entry.padding, 'P', sizeof entry.padding);
    const std::string row = HallOfFameRow(entry);
    EXPECT_EQ(row.substr(0, 30), std::string(30, 'N'));
    EXPECT_EQ(row.find('P'), std::string::npos);
    EXPECT_EQ(row.substr(30), "   Int       3        99");
}

TEST(HallOfFameList, BestRowIsBrightestAndEachLowerRowDimmer) {
    EXPECT_FLOAT_EQ(HallOfFameFade(9), 0.75f);
    EXPECT_FLOAT_EQ(HallOfFameFade(0), 0.3f);
    for (int k = 1; k < HighScoreTable::EntryCount; ++k)
        EXPECT_NEAR(HallOfFameFade(k) - HallOfFameFade(k - 1), 0.05f, 1e-6) << k;
}

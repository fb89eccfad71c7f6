#include "data/HighScoreTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/support/TempDir.h"

namespace {

// One 44-byte record as the file holds it: little-endian integers.
std::string Record(const std::string& name, int score, int words = 0, int skill = 0) {
    std::string r(44, '\0');
    r.replace(0, name.size(), name);
    const int values[3] = {score, words, skill};
    for (int v = 0; v < 3; ++v)
        for (int i = 0; i < 4; ++i)
            r[32 + 4 * v + i] = static_cast<char>(static_cast<unsigned>(values[v]) >> (8 * i));
    return r;
}

// Scores 10, 20, ..., 100, named P10 ... P100.
std::string TenByTen() {
    std::string file;
    for (int i = 1; i <= 10; ++i)
        file += Record("P" + std::to_string(10 * i), 10 * i, i, i % 3);
    return file;
}

bool AllNobody(const HighScoreTable& table) {
    for (const HighScoreEntry& e : table.entries)
        if (std::strcmp(e.name, "Nobody") != 0 || e.score != 0 || e.words != 0 || e.skill != 0)
            return false;
    return true;
}

} // namespace

TEST(HighScoreTableTest, Open_ReadsA440ByteFileAndSaveWritesTheSameBytes) {
    TempDir dir;
    std::string file = TenByTen();
    file.replace(0, 44, Record("Negative", -5, 7, 7));
    file[30] = 'x';                  // padding is kept as it stands
    file.replace(44, 30, 30, 'N');   // a name with no NUL in its 30 bytes
    const std::string path = dir.Write("glyphtumble.hi", file);

    HighScoreTable table;
    ASSERT_TRUE(table.Open(path.c_str()));
    EXPECT_STREQ(table.entries[0].name, "Negative");
    EXPECT_EQ(table.entries[0].score, -5);
    EXPECT_EQ(table.entries[0].words, 7);
    EXPECT_EQ(table.entries[0].skill, 7);
    EXPECT_EQ(std::string(table.entries[1].name, 30), std::string(30, 'N'));
    EXPECT_EQ(table.entries[9].score, 100);
    ASSERT_TRUE(table.Save());
    EXPECT_EQ(TempDir::Read(path), file);
}

TEST(HighScoreTableTest, Open_ResetsAMissingOrWrongSizedFileAndSaveMendsItsSize) {
    for (int size : {-1, 0, 439, 441, 4096}) {
        SCOPED_TRACE(size);
        TempDir dir;
        const std::string path = dir.File("glyphtumble.hi");
        std::string file = (TenByTen() + std::string(4096, 'z')).substr(0, size < 0 ? 0 : size);
        if (size >= 0)
            dir.Write("glyphtumble.hi", file);
        {
            HighScoreTable table;
            ASSERT_TRUE(table.Open(path.c_str()));
            EXPECT_TRUE(AllNobody(table));
            EXPECT_EQ(TempDir::Read(path), file) << "the file is untouched until Save";
            ASSERT_TRUE(table.Insert("KEEPER", 500, 12, 2));
            ASSERT_TRUE(table.Save());
        }
        // The entry must survive the next start, whatever size the file had.
        EXPECT_EQ(TempDir::Read(path).size(), 440u);
        HighScoreTable again;
        ASSERT_TRUE(again.Open(path.c_str()));
        EXPECT_STREQ(again.entries[9].name, "KEEPER");
        EXPECT_STREQ(again.entries[8].name, "Nobody");
    }
}

TEST(HighScoreTableTest, Open_FailsWhenTheFileCanNeitherBeOpenedNorCreated) {
    TempDir dir;
    HighScoreTable table;
    EXPECT_FALSE(table.Open(dir.Path().c_str())) << "a folder of that name";
    EXPECT_FALSE(table.Open(dir.File("no/such/folder.hi").c_str()));
    EXPECT_FALSE(table.Save());
    EXPECT_EQ(table.entries[9].name[0], '\0');
    EXPECT_TRUE(table.Qualifies(1));
}

TEST(HighScoreTableTest, Insert_PlacesByScoreWithTiesAgainstTheNewcomer) {
    TempDir dir;
    HighScoreTable table;
    ASSERT_TRUE(table.Open(dir.Write("glyphtumble.hi", TenByTen()).c_str()));
    EXPECT_FALSE(table.Qualifies(10));
    EXPECT_TRUE(table.Qualifies(11));
    EXPECT_FALSE(table.Insert("LOW", 10, 1, 0));

    ASSERT_TRUE(table.Insert("MID", 55, 3, 1));
    const int afterMid[10] = {20, 30, 40, 50, 55, 60, 70, 80, 90, 100};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(table.entries[i].score, afterMid[i]) << i;
    EXPECT_STREQ(table.entries[4].name, "MID");
    EXPECT_EQ(table.entries[4].words, 3);

    ASSERT_TRUE(table.Insert("TIE", 50, 1, 2));
    EXPECT_STREQ(table.entries[2].name, "TIE");
    EXPECT_STREQ(table.entries[3].name, "P50");

    const std::string forty(40, 'Q');
    ASSERT_TRUE(table.Insert(forty.c_str(), 1000, 99, 2));
    EXPECT_EQ(std::string(table.entries[9].name), forty.substr(0, 29));
    EXPECT_EQ(table.entries[8].score, 100);
    EXPECT_EQ(table.entries[0].score, 40);
}

TEST(HighScoreTableTest, SkillAbbrev_NamesTheSkillsAndTakesAnyOtherAsBeginner) {
    const char* expected[] = {"Beg", "Beg", "Int", "Adv", "Beg"};
    for (int skill = -1; skill <= 3; ++skill)
        EXPECT_STREQ(HighScoreTable::SkillAbbrev(skill), expected[skill + 1]) << skill;
}

// Two games on one file: each read the table at its start, and whichever
// saves second must keep the entry the other saved first.
TEST(HighScoreTableTest, Save_TwoGamesOnOneFileKeepEachOthersEntries) {
    for (const bool aFirst : {true, false}) {
        SCOPED_TRACE(aFirst ? "A saves first" : "B saves first");
        TempDir dir;
        const std::string path = dir.Write("glyphtumble.hi", TenByTen());
        HighScoreTable a, b;
        ASSERT_TRUE(a.Open(path.c_str()));
        ASSERT_TRUE(b.Open(path.c_str()));
        ASSERT_TRUE(a.Insert("Ada", 45, 4, 0));
        ASSERT_TRUE(a.Insert("Ann", 95, 9, 2));
        ASSERT_TRUE(b.Insert("Bob", 75, 7, 1));
        HighScoreTable& first = aFirst ? a : b;
        HighScoreTable& second = aFirst ? b : a;
        ASSERT_TRUE(first.Save());
        ASSERT_TRUE(second.Save());
        ASSERT_TRUE(first.Save()) << "the first game's last save keeps the second's entry";

        const char* const names[10] = {"P40", "Ada", "P50", "P60", "P70",
                                       "Bob", "P80", "P90", "Ann", "P100"};
        HighScoreTable again;
        ASSERT_TRUE(again.Open(path.c_str()));
        for (int i = 0; i < 10; ++i) {
            EXPECT_STREQ(again.entries[i].name, names[i]) << i;
            EXPECT_STREQ(second.entries[i].name, names[i]) << "shown by the game that merged";
        }
        EXPECT_EQ(again.entries[5].score, 75);
        EXPECT_EQ(again.entries[5].skill, 1);
        EXPECT_EQ(TempDir::Read(path).size(), 440u);
    }
}

// What another game left in the file when this one saves is taken as it
// would be at start-up: a 440-byte file as a table, anything else not at all.
TEST(HighScoreTableTest, Save_MeetsAForeignFileAsAtStartUp) {
    const std::string foreign = TenByTen().replace(44, 44, Record("Zed", 25));
    const struct {
        const char* name;
        std::string bytes;
        const char* lowest; // entries[0] after the save
    } cases[] = {
        {"short", TenByTen().substr(0, 300), "P20"},
        {"long", TenByTen() + "tail", "P20"},
        {"empty", "", "P20"},
        {"a foreign table", foreign, "Zed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.Write("glyphtumble.hi", TenByTen());
        HighScoreTable table;
        ASSERT_TRUE(table.Open(path.c_str()));
        ASSERT_TRUE(table.Insert("Ada", 35, 3, 0));
        dir.Write("glyphtumble.hi", c.bytes);
        ASSERT_TRUE(table.Save());
        EXPECT_STREQ(table.entries[0].name, c.lowest);
        EXPECT_STREQ(table.entries[2].name, "Ada");
        EXPECT_EQ(TempDir::Read(path).size(), 440u);
    }
}

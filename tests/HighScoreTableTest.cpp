#include "data/HighScoreTable.h"

#include <gtest/gtest.h>

#include "tests/support/TempDir.h"

// One 44-byte record as the file holds it: the name in 30 bytes, 2 of padding,
// then score, words and skill as little-endian 32-bit numbers.
static std::string Record(const std::string& name, int score, int words = 0, int skill = 0) {
    std::string r = name + std::string(32 - name.size(), '\0');
    for (const unsigned v : {score, words, skill})
        r += {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    return r;
}

static std::string TenByTen() {
    std::string file;
    for (int i = 1; i <= 10; ++i)
        file += Record("P" + std::to_string(10 * i), 10 * i, i, i % 3);
    return file;
}

static std::string Names(const HighScoreTable& table, bool scores = false) {
    std::string names;
    for (const HighScoreEntry& e : table.entries)
        names += std::string(e.name) + (scores ? ":" + std::to_string(e.score) : "") + " ";
    return names;
}

// A foreign table: a negative score, a skill of 7, padding that is not zero,
// a name with no NUL in its 30 bytes. It reads as written and saves unchanged.
TEST(HighScoreTableTest, Open_ReadsA440ByteFileAndSaveWritesTheSameBytes) {
    TempDir dir;
    const std::string file = Record("Negative", -5, 7, 7).replace(30, 1, "x") +
                             TenByTen().substr(44).replace(0, 30, 30, 'N');
    const std::string path = dir.Write("glyphtumble.hi", file);
    HighScoreTable table;
    ASSERT_TRUE(table.Open(path.c_str()));
    EXPECT_EQ(Names(table, true).substr(0, 12) + std::to_string(table.entries[0].words) +
                  std::to_string(table.entries[0].skill) + std::to_string(table.entries[9].score),
              "Negative:-5 77100");
    ASSERT_TRUE(table.Save());
    EXPECT_EQ(TempDir::Read(path), file);
}

TEST(HighScoreTableTest, Open_ResetsAMissingOrWrongSizedFileSaveMendsItOrFailsWithoutOne) {
    for (int size : {-1, 0, 439, 441, 4096}) {
        SCOPED_TRACE(size);
        TempDir dir;
        const std::string path = dir.File("glyphtumble.hi");
        std::string file = (TenByTen() + std::string(4096, 'z')).substr(0, size < 0 ? 0 : size);
        if (size >= 0)
            dir.Write("glyphtumble.hi", file);
        HighScoreTable table, again;
        ASSERT_TRUE(table.Open(path.c_str()));
        for (const HighScoreEntry& e : table.entries)
            EXPECT_EQ(std::string(e.name) + ":" + std::to_string(e.score), "Nobody:0");
        EXPECT_EQ(TempDir::Read(path), file) << "the file is untouched until Save";
        ASSERT_TRUE(table.Insert("KEEPER", 500, 12, 2) && table.Save());
        ASSERT_TRUE(again.Open(path.c_str())); // the entry survives the next start
        EXPECT_EQ(Names(again).substr(7 * 7), "Nobody Nobody KEEPER ");
    }
    TempDir dir; // a file that can be neither opened nor created fails
    HighScoreTable table;
    EXPECT_FALSE(table.Open(dir.Path().c_str()) || // a folder of that name
                 table.Open(dir.File("no/such/folder.hi").c_str()) || table.Save());
    EXPECT_TRUE(table.entries[9].name[0] == '\0' && table.Qualifies(1));
}

TEST(HighScoreTableTest, Insert_PlacesByScoreWithTiesAgainstTheNewcomer) {
    TempDir dir;
    HighScoreTable table;
    ASSERT_TRUE(table.Open(dir.Write("glyphtumble.hi", TenByTen()).c_str()));
    EXPECT_FALSE(table.Qualifies(10) || table.Insert("LOW", 10, 1, 0));
    ASSERT_TRUE(table.Qualifies(11) && table.Insert("MID", 55, 3, 1) &&
                table.Insert("TIE", 50, 1, 2));
    EXPECT_EQ(Names(table, true), "P30:30 P40:40 TIE:50 P50:50 MID:55 P60:60 P70:70 P80:80 "
                                  "P90:90 P100:100 ");
    const std::string forty(40, 'Q');
    ASSERT_TRUE(table.Insert(forty.c_str(), 1000, 99, 2));
    EXPECT_EQ(std::string(table.entries[9].name), forty.substr(0, 29));
}

// Two games on one file: each read the table at its start, and whichever
// saves second must keep the entry the other saved first.
TEST(HighScoreTableTest, Save_TwoGamesOnOneFileKeepEachOthersEntries) {
    TempDir dir;
    const std::string path = dir.Write("glyphtumble.hi", TenByTen());
    HighScoreTable a, b, again;
    ASSERT_TRUE(a.Open(path.c_str()) && b.Open(path.c_str()));
    ASSERT_TRUE(a.Insert("Ada", 45, 4, 0) && a.Insert("Ann", 95, 9, 2));
    ASSERT_TRUE(b.Insert("Bob", 75, 7, 1));
    ASSERT_TRUE(a.Save() && b.Save());
    ASSERT_TRUE(a.Save()) << "the first game's last save keeps the second's entry";
    const std::string names = "P40 Ada P50 P60 P70 Bob P80 P90 Ann P100 ";
    ASSERT_TRUE(again.Open(path.c_str()));
    EXPECT_EQ(Names(again), names);
    EXPECT_EQ(Names(b), names) << "shown by the game that merged";
    EXPECT_EQ(again.entries[5].score * 10 + again.entries[5].skill, 751);
}

// What another game left in the file when this one saves is taken as at
// start-up: a 440-byte file as a table, a file of any other size not at all.
TEST(HighScoreTableTest, Save_MeetsAShortOrForeignFileAsAtStartUp) {
    for (const auto& [bytes, lowest] : {std::pair{TenByTen().substr(0, 300), "P20 P30 Ada "},
                                        {TenByTen().replace(44, 44, Record("Zed", 25)),
                                         "Zed P30 Ada "}}) {
        TempDir dir;
        const std::string path = dir.Write("glyphtumble.hi", TenByTen());
        HighScoreTable table;
        ASSERT_TRUE(table.Open(path.c_str()) && table.Insert("Ada", 35, 3, 0));
        dir.Write("glyphtumble.hi", bytes);
        ASSERT_TRUE(table.Save());
        EXPECT_EQ(Names(table).substr(0, 12), lowest);
        EXPECT_EQ(TempDir::Read(path).size(), 440u);
    }
}

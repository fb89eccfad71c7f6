#include "data/HighScoreTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/support/TempDir.h"

namespace {

std::string Record(const char* name, int score, int words, int skill) {
    std::string r(44, '\0');
    std::memcpy(&r[0], name, std::strlen(name));
    auto put = [&r](int at, int value) {
        for (int i = 0; i < 4; ++i)
            r[at + i] = static_cast<char>((static_cast<unsigned>(value) >> (8 * i)) & 0xff);
    };
    put(32, score);
    put(36, words);
    put(40, skill);
    return r;
}

// Scores 10, 20, ..., 100, names "P10" ... "P100".
std::string TenByTen() {
    std::string file;
    for (int i = 1; i <= 10; ++i)
        file += Record(("P" + std::to_string(10 * i)).c_str(), 10 * i, i, i % 3);
    return file;
}

void ExpectNobodies(const HighScoreTable& table) {
    for (const HighScoreEntry& e : table.entries) {
        EXPECT_STREQ(e.name, "Nobody");
        EXPECT_EQ(e.score, 0);
        EXPECT_EQ(e.words, 0);
        EXPECT_EQ(e.skill, 0);
    }
}

} // namespace

TEST(HighScoreTableTest, Open_CreatesAMissingFileAndSaveGivesIt440Bytes) {
    TempDir dir;
    const std::string path = dir.File("glyphtumble.hi");
    HighScoreTable table;
    ASSERT_TRUE(table.Open(path.c_str()));
    ExpectNobodies(table);
    EXPECT_EQ(TempDir::Read(path).size(), 0u) << "nothing is written before Save";
    ASSERT_TRUE(table.Save());
    const std::string bytes = TempDir::Read(path);
    ASSERT_EQ(bytes.size(), 440u);
    EXPECT_EQ(bytes.substr(0, 44), Record("Nobody", 0, 0, 0));
}

TEST(HighScoreTableTest, Open_ReadsA440ByteFileAsLittleEndianRecords) {
    TempDir dir;
    std::string file = TenByTen();
    file.replace(0, 44, Record("Negative", -5, 7, 7));
    file[30] = 'x'; // padding is kept as it stands
    std::memset(&file[44], 'N', 30); // a name with no NUL in its 30 bytes
    const std::string path = dir.Write("glyphtumble.hi", file);

    HighScoreTable table;
    ASSERT_TRUE(table.Open(path.c_str()));
    EXPECT_STREQ(table.entries[0].name, "Negative");
    EXPECT_EQ(table.entries[0].score, -5);
    EXPECT_EQ(table.entries[0].words, 7);
    EXPECT_EQ(table.entries[0].skill, 7);
    EXPECT_EQ(std::string(table.entries[1].name, 30), std::string(30, 'N'));
    EXPECT_EQ(table.entries[9].score, 100);
    EXPECT_EQ(table.entries[9].words, 10);
    // An unchanged table writes back exactly the bytes it was read from.
    ASSERT_TRUE(table.Save());
    EXPECT_EQ(TempDir::Read(path), file);
}

TEST(HighScoreTableTest, Open_ResetsAWrongSizedFileAndSaveMendsItsSize) {
    for (size_t size : {size_t{0}, size_t{439}, size_t{441}, size_t{4096}}) {
        SCOPED_TRACE(size);
        TempDir dir;
        std::string file = TenByTen() + std::string(4096, 'z');
        file.resize(size);
        const std::string path = dir.Write("glyphtumble.hi", file);
        {
            HighScoreTable table;
            ASSERT_TRUE(table.Open(path.c_str()));
            ExpectNobodies(table);
            EXPECT_EQ(TempDir::Read(path), file) << "the file is untouched until Save";
            ASSERT_TRUE(table.Insert("KEEPER", 500, 12, 2));
            ASSERT_TRUE(table.Save());
        }
        // The entry must survive the next start, whatever size the file had.
        EXPECT_EQ(TempDir::Read(path).size(), 440u);
        HighScoreTable again;
        ASSERT_TRUE(again.Open(path.c_str()));
        EXPECT_STREQ(again.entries[9].name, "KEEPER");
        EXPECT_EQ(again.entries[9].score, 500);
    }
}

TEST(HighScoreTableTest, Open_FailsWhenTheFileCanNeitherBeOpenedNorCreated) {
    TempDir dir;
    HighScoreTable table;
    EXPECT_FALSE(table.Open(dir.Path().c_str())) << "a folder of that name";
    EXPECT_FALSE(table.Open(dir.File("no/such/folder.hi").c_str()));
    EXPECT_FALSE(table.Save());
    for (const HighScoreEntry& e : table.entries) {
        EXPECT_EQ(e.name[0], '\0');
        EXPECT_EQ(e.score, 0);
    }
    EXPECT_TRUE(table.Qualifies(1));
}

TEST(HighScoreTableTest, Insert_PlacesByScoreWithTiesAgainstTheNewcomer) {
    TempDir dir;
    HighScoreTable table;
    ASSERT_TRUE(table.Open(dir.Write("glyphtumble.hi", TenByTen()).c_str()));

    EXPECT_FALSE(table.Qualifies(10));
    EXPECT_TRUE(table.Qualifies(11));
    EXPECT_FALSE(table.Insert("LOW", 10, 1, 0));
    EXPECT_EQ(table.entries[0].score, 10) << "a refused entry changes nothing";

    ASSERT_TRUE(table.Insert("MID", 55, 3, 1));
    const int afterMid[10] = {20, 30, 40, 50, 55, 60, 70, 80, 90, 100};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(table.entries[i].score, afterMid[i]) << i;
    EXPECT_STREQ(table.entries[4].name, "MID");
    EXPECT_EQ(table.entries[4].words, 3);
    EXPECT_EQ(table.entries[4].skill, 1);

    ASSERT_TRUE(table.Insert("TIE", 50, 1, 2));
    EXPECT_STREQ(table.entries[2].name, "TIE");
    EXPECT_STREQ(table.entries[3].name, "P50");

    ASSERT_TRUE(table.Insert("TOP", 1000, 99, 2));
    EXPECT_STREQ(table.entries[9].name, "TOP");
    EXPECT_EQ(table.entries[8].score, 100);
    EXPECT_EQ(table.entries[0].score, 40);
}

TEST(HighScoreTableTest, Insert_CutsLongNamesTo29CharactersAndFirstScoreBeatsNobody) {
    TempDir dir;
    HighScoreTable table;
    ASSERT_TRUE(table.Open(dir.File("glyphtumble.hi").c_str()));
    EXPECT_FALSE(table.Qualifies(0));
    ASSERT_TRUE(table.Insert("AL", 1, 1, 1));
    EXPECT_STREQ(table.entries[9].name, "AL");
    EXPECT_STREQ(table.entries[8].name, "Nobody");

    const std::string forty(40, 'Q');
    ASSERT_TRUE(table.Insert(forty.c_str(), 2, 1, 1));
    EXPECT_EQ(std::string(table.entries[9].name), forty.substr(0, 29));
    EXPECT_EQ(table.entries[9].name[29], '\0');
}

TEST(HighScoreTableTest, SkillAbbrev_NamesTheThreeSkills) {
    EXPECT_STREQ(HighScoreTable::SkillAbbrev(0), "Beg");
    EXPECT_STREQ(HighScoreTable::SkillAbbrev(1), "Int");
    EXPECT_STREQ(HighScoreTable::SkillAbbrev(2), "Adv");
    EXPECT_STREQ(HighScoreTable::SkillAbbrev(7), "Beg");
    EXPECT_STREQ(HighScoreTable::SkillAbbrev(-1), "Beg");
}

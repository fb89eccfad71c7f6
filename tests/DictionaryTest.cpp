#include "data/Dictionary.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <unistd.h>

#include "tests/support/TempDir.h"

namespace {

// Loads the given file contents into a fresh dictionary.
struct Loaded {
    TempDir dir;
    Dictionary dictionary;
    int result;
    explicit Loaded(const std::string& bytes)
        : result(dictionary.Load(dir.Write("words.txt", bytes).c_str())) {}
};

} // namespace

TEST(DictionaryTest, Load_CutsCompleteLinesInPlaceAndUpperCasesLettersOnly) {
    // CR LF endings, an empty line, an apostrophe, a byte above 127, and a
    // last line without a newline that must not be entered.
    Loaded l("\r\nant\r\nbat\r\nbee\r\nit's\n\xe9t\xe9\nzzz");
    ASSERT_EQ(l.result, 6);
    const char* expected[] = {"", "ANT", "BAT", "BEE", "IT'S", "\xe9T\xe9"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_STREQ(l.dictionary.WordAt(i), expected[i]);
        EXPECT_EQ(l.dictionary.Find(expected[i]), i);
    }
    for (const char* miss : {"ZZZ", "ant", "AN", "ANTS", "BA", "CAT"})
        EXPECT_EQ(l.dictionary.Find(miss), -1) << miss;
    EXPECT_STREQ(l.dictionary.WordAt(-1), "");
    EXPECT_STREQ(l.dictionary.WordAt(6), "");

    EXPECT_EQ(Loaded("").result, 0);
    EXPECT_EQ(Loaded("ANT").result, 0);
}

TEST(DictionaryTest, Load_FailsQuietlyOnAMissingFileOrAFolderAndReplacesTheList) {
    TempDir dir;
    Dictionary dictionary;
    ASSERT_EQ(dictionary.Load(dir.Write("a.txt", "ANT\nBEE\n").c_str()), 2);
    ASSERT_EQ(dictionary.Load(dir.Write("b.txt", "CAT\n").c_str()), 1);
    EXPECT_EQ(dictionary.Find("ANT"), -1);
    EXPECT_EQ(dictionary.Find("CAT"), 0);
    // Far too large to be a word list: refused before it is read.
    const std::string huge = dir.Write("huge.txt", "ANT\n");
    ASSERT_EQ(truncate(huge.c_str(), 64 * 1024 * 1024 + 1), 0);
    for (const std::string& bad : {dir.File("missing.txt"), dir.Path(), huge}) {
        EXPECT_EQ(dictionary.Load(bad.c_str()), -1) << bad;
        EXPECT_EQ(dictionary.count, -1);
        EXPECT_STREQ(dictionary.WordAt(0), "");
        EXPECT_EQ(dictionary.Find("CAT"), -1);
    }
}

TEST(DictionaryTest, Load_PutsAnUnsortedListInByteOrder) {
    // A locale-sorted list with a capitalised entry and a duplicate: after
    // upper-casing, its order is not byte order.
    Loaded l("dog\ncat\nZebra\napple\ncat\nbanana\n");
    ASSERT_EQ(l.result, 6);
    for (const char* w : {"APPLE", "BANANA", "CAT", "DOG", "ZEBRA"})
        EXPECT_NE(l.dictionary.Find(w), -1) << w;
    for (int i = 1; i < l.dictionary.count; ++i)
        EXPECT_LE(std::strcmp(l.dictionary.WordAt(i - 1), l.dictionary.WordAt(i)), 0);
}

TEST(DictionaryTest, Load_SurvivesBinaryGarbageAndLongLines) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 131 + 7) & 0xff);
    Loaded g(garbage);
    EXPECT_GT(g.result, 0);
    for (int i = 0; i < g.dictionary.count; ++i)
        EXPECT_NE(g.dictionary.Find(g.dictionary.WordAt(i)), -1);

    Loaded nul(std::string("an\0t\nbee\n", 9)); // the NUL ends its word only
    ASSERT_EQ(nul.result, 2);
    EXPECT_STREQ(nul.dictionary.WordAt(0), "AN");
    EXPECT_STREQ(nul.dictionary.WordAt(1), "BEE");

    Loaded big(std::string(1 << 20, 'a') + "\nANT\n");
    ASSERT_EQ(big.result, 2);
    EXPECT_EQ(std::strlen(big.dictionary.WordAt(0)), size_t{1} << 20);
    EXPECT_STREQ(big.dictionary.WordAt(1), "ANT");
}

TEST(DictionaryTest, GameWordList_IsUpperCaseSortedAndHasEveryTargetLength) {
    Dictionary dictionary;
    ASSERT_GT(dictionary.Load(GLYPHTUMBLE_DATA_DIR "/dictionary.txt"), 10000);
    int perLength[16] = {};
    for (int i = 0; i < dictionary.count; ++i) {
        const char* w = dictionary.WordAt(i);
        const size_t n = std::strlen(w);
        ASSERT_TRUE(n >= 3 && n <= 15 && std::strspn(w, "ABCDEFGHIJKLMNOPQRSTUVWXYZ") == n) << w;
        if (i > 0) {
            ASSERT_LT(std::strcmp(dictionary.WordAt(i - 1), w), 0) << w;
        }
        ++perLength[n];
    }
    for (int n = 3; n <= 10; ++n)
        EXPECT_GT(perLength[n], 0) << "no word of " << n << " letters";
}

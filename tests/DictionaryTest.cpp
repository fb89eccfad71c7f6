#include "data/Dictionary.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>

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

TEST(DictionaryTest, Load_CutsLinesInPlaceAndUpperCasesLettersOnly) {
    // CR LF endings, an empty line, an apostrophe, a non-ASCII byte, and a
    // last line without a newline that must not be entered.
    Loaded l("\r\nant\r\nbat\r\nbee\r\nit's\n\xe9t\xe9\nzzz");
    ASSERT_EQ(l.result, 6);
    EXPECT_EQ(l.dictionary.count, 6);
    const char* expected[] = {"", "ANT", "BAT", "BEE", "IT'S", "\xe9T\xe9"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_STREQ(l.dictionary.WordAt(i), expected[i]);
        EXPECT_EQ(l.dictionary.Find(expected[i]), i);
    }
    EXPECT_EQ(l.dictionary.Find("ZZZ"), -1);
}

TEST(DictionaryTest, Load_CountsOnlyCompleteLines) {
    EXPECT_EQ(Loaded("").result, 0);
    EXPECT_EQ(Loaded("ANT").result, 0);
    Loaded one("ANT\nBEE");
    EXPECT_EQ(one.result, 1);
    EXPECT_STREQ(one.dictionary.WordAt(0), "ANT");
    EXPECT_STREQ(one.dictionary.WordAt(1), "");
    EXPECT_STREQ(one.dictionary.WordAt(-1), "");
}

TEST(DictionaryTest, Load_FailsQuietlyOnMissingFileOrFolder) {
    TempDir dir;
    Dictionary dictionary;
    EXPECT_EQ(dictionary.Load(dir.File("missing.txt").c_str()), -1);
    EXPECT_EQ(dictionary.count, -1);
    EXPECT_STREQ(dictionary.WordAt(0), "");
    EXPECT_EQ(dictionary.Find("ANT"), -1);
    // A folder of that name opens but is no word list.
    EXPECT_EQ(dictionary.Load(dir.Path().c_str()), -1);
    EXPECT_EQ(dictionary.Find(""), -1);
}

TEST(DictionaryTest, Load_ReplacesThePreviousList) {
    TempDir dir;
    Dictionary dictionary;
    ASSERT_EQ(dictionary.Load(dir.Write("a.txt", "ANT\nBEE\n").c_str()), 2);
    ASSERT_EQ(dictionary.Load(dir.Write("b.txt", "CAT\n").c_str()), 1);
    EXPECT_EQ(dictionary.Find("ANT"), -1);
    EXPECT_EQ(dictionary.Find("CAT"), 0);
    dictionary.Clear();
    EXPECT_EQ(dictionary.count, -1);
    EXPECT_EQ(dictionary.Find("CAT"), -1);
}

TEST(DictionaryTest, Find_FindsEveryWordOfASortedListAndNothingElse) {
    std::string bytes;
    const char* words[] = {"ABC", "ABCD", "ACE", "BAT", "CAT", "CATS", "DOG", "ZOO"};
    for (const char* w : words)
        bytes += std::string(w) + "\n";
    Loaded l(bytes);
    ASSERT_EQ(l.result, 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(l.dictionary.Find(words[i]), i) << words[i];
    for (const char* miss : {"AB", "ABCE", "CA", "cat", "ZOOS", "", "AAA", "ZZZ"})
        EXPECT_EQ(l.dictionary.Find(miss), -1) << miss;
}

TEST(DictionaryTest, Load_PutsAnUnsortedListInByteOrder) {
    // Lower-case in the file, so upper-casing changes the order too: a
    // locale-sorted list with a capitalised entry and a duplicate.
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
    EXPECT_GE(g.result, 0);
    for (int i = 0; i < g.dictionary.count; ++i)
        g.dictionary.Find(g.dictionary.WordAt(i)); // every entry stays a valid string

    Loaded big(std::string(1 << 20, 'a') + "\nANT\n");
    EXPECT_EQ(big.result, 2);
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
        ASSERT_TRUE(n >= 3 && n <= 15) << w;
        for (const char* c = w; *c; ++c)
            ASSERT_TRUE(*c >= 'A' && *c <= 'Z') << w;
        if (i > 0) {
            ASSERT_LT(std::strcmp(dictionary.WordAt(i - 1), w), 0) << w;
        }
        ++perLength[n];
    }
    for (int n = 3; n <= 10; ++n)
        EXPECT_GT(perLength[n], 0) << "no word of " << n << " letters";
    EXPECT_NE(dictionary.Find("QUIZ"), -1);
    EXPECT_NE(dictionary.Find("CAT"), -1);
}

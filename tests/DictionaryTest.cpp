#include "data/Dictionary.h"

#include <gtest/gtest.h>

#include "tests/support/TempDir.h"

// The words of a list loaded from the given bytes, each followed by a space;
// "-1" when the load fails.
static std::string Words(Dictionary& dictionary, const std::string& file) {
    if (dictionary.Load(file.c_str()) < 0)
        return "-1";
    std::string words;
    for (int i = 0; i < dictionary.count; ++i) {
        words += std::string(dictionary.WordAt(i)) + " ";
        EXPECT_STREQ(dictionary.WordAt(dictionary.Find(dictionary.WordAt(i))),
                     dictionary.WordAt(i));
    }
    return words;
}

TEST(DictionaryTest, Load_CutsCompleteLinesUpperCasesSortsInByteOrderOrFailsDroppingTheList) {
    TempDir dir;
    Dictionary d;
    // CR LF endings, an empty line, an apostrophe, a byte above 127, and a
    // last line without a newline that must not be entered.
    EXPECT_EQ(Words(d, dir.Write("a", "\r\nant\r\nbat\r\nbee\r\nit's\n\xe9t\xe9\nzzz")),
              " ANT BAT BEE IT'S \xe9T\xe9 ");
    for (const char* miss : {"ZZZ", "ant", "AN", "ANTS", "BA", "CAT"})
        EXPECT_EQ(d.Find(miss), -1) << miss;
    EXPECT_STREQ(d.WordAt(6), "");
    // A locale-sorted list with a capitalised entry and a duplicate; a NUL
    // ends its word only; a long line is one word.
    EXPECT_EQ(Words(d, dir.Write("b", "dog\ncat\nZebra\napple\ncat\nbanana\n")),
              "APPLE BANANA CAT CAT DOG ZEBRA ");
    EXPECT_EQ(Words(d, dir.Write("c", std::string("an\0t\nbee\n", 9))), "AN BEE ");
    EXPECT_EQ(Words(d, dir.Write("d", std::string(1 << 20, 'a') + "\nANT\n")).size(),
              (1u << 20) + 5);
    // More lines than a list may hold, a missing file or a folder fail and
    // drop the list.
    EXPECT_EQ(d.Load(dir.Write("e", std::string(Dictionary::MaxWords + 1, '\n')).c_str()), -1);
    ASSERT_EQ(Words(d, dir.Write("a.txt", "ANT\nBEE\n")), "ANT BEE ");
    for (const std::string& bad : {dir.File("missing.txt"), dir.Path()}) {
        EXPECT_EQ(Words(d, bad), "-1") << bad;
        EXPECT_TRUE(d.count == -1 && *d.WordAt(0) == '\0' && d.Find("ANT") == -1);
    }
}

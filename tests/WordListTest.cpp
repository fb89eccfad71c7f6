// The word list the build makes: words a player knows, every target length,
// no abbreviations, in the order the game's binary search needs.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"
#include "tools/WordFolding.h"

TEST(WordListTest, BuiltList_HoldsPlainWordsOfEveryTargetLengthInStrictOrder) {
    std::istringstream in(TempDir::Read(std::string(GLYPHTUMBLE_DATA_DIR) + "/dictionary.txt"));
    std::vector<std::string> words;
    for (std::string line; std::getline(in, line);)
        words.push_back(line);
    ASSERT_GT(words.size(), 50000u);
    // Strictly ascending: sorted and without duplicates.
    EXPECT_EQ(std::adjacent_find(words.begin(), words.end(),
                                 [](const std::string& a, const std::string& b) { return a >= b; }),
              words.end());
    std::set<size_t> lengths;
    for (const std::string& w : words) {
        EXPECT_TRUE(w.size() >= 3 && w.size() <= 15 &&
                    std::all_of(w.begin(), w.end(), [](char c) { return c >= 'A' && c <= 'Z'; }))
            << w;
        lengths.insert(w.size());
    }
    for (size_t length = 3; length <= 10; ++length)
        EXPECT_EQ(lengths.count(length), 1u) << length;

    const std::set<std::string> all(words.begin(), words.end());
    for (const char* common : {"CAT", "WORD", "HOUSE", "GARDEN", "COLOR", "FLAVOR", "WATER",
                               "BLOCKS", "SPELLING", "BEAUTIFUL", "YESTERDAY", "INFORMATION"})
        EXPECT_EQ(all.count(common), 1u) << common;
    for (const char* abbreviation : {"ABBR", "ABBREV", "ETC", "INC", "CORP", "DEPT", "GOVT", "ASST",
                                     "BLVD", "APPROX", "MFG", "PKG", "VOLS"})
        EXPECT_EQ(all.count(abbreviation), 0u) << abbreviation;
}

// Another language's words as the build folds them, one row per rule.
TEST(WordListTest, OtherLanguagesFoldTheirWordsOneRowPerRule) {
    const struct {
        const char *language, *utf8, *latin1; // "" when the word is left out
    } rows[] = {
        {"de", "Straße", "STRASSE"},      {"fr", "œuvre", "OEUVRE"},
        {"fr", "été", "ETE"},             {"de", "Ärger", "\xc4RGER"},
        {"es", "niño", "NI\xd1O"},        {"it", "niño", "NINO"},
        {"fr", "cæcum", "CAECUM"},        {"de", "Haus", "HAUS"},
        {"fr", "Paris", ""},              {"de", "UNO", ""},
        {"de", "McDonald", ""},           {"nl", "ijs", "IJS"},
        {"fr", "aujourd'hui", ""},        {"de", "E-Mail", ""},
        {"it", "a2a", ""},                {"es", "ab", ""},
        {"fr", "anticonstitutionnel", ""}, {"de", "\xc3", ""}};
    for (const auto& row : rows)
        EXPECT_EQ(FoldWord(row.utf8, row.language), row.latin1) << row.language << " " << row.utf8;
    // Folding makes duplicates, merged; Ä sorts after Z, as the game searches.
    std::vector<std::string> words = {"\xc4RA", "ETE", "ZOO", "ETE"};
    SortWords(words);
    EXPECT_EQ(words, (std::vector<std::string>{"ETE", "ZOO", "\xc4RA"}));
}

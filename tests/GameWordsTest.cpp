// Word scan order and overlap, crediting, removal, chains and the sweep.

#include <algorithm>
#include <filesystem>
#include <random>

#include "tests/support/GameFixture.h"

namespace {

const std::vector<std::string> Words = {"ANT", "CAT", "CATS", "DOG", "EAR", "ODE",
                                        "QUIZ", "TEN", "LEMON"};

class GameWords : public GameTest {
protected:
    void SetUp() override {
        MakeGame(Words);
        BeginPlay();
        game->targetIndex = -1; // no target unless a test sets one
    }
    void Put(int column, int row, const char* letters, bool vertical = false) {
        for (int i = 0; letters[i]; ++i)
            game->SetCell(vertical ? column : column + i, vertical ? row - i : row, letters[i]);
    }
    std::vector<std::string> Scan() {
        game->foundWords.clear();
        game->ScanWell();
        std::vector<std::string> found;
        for (const FoundWord& f : game->foundWords)
            found.push_back(f.word + "@" + std::to_string(f.column) + "," +
                            std::to_string(f.row) + (f.vertical ? "v" : ""));
        return found;
    }
};

using Found = std::vector<std::string>;

TEST_F(GameWords, RowsFromTheTopThenColumnsFromTheLeft) {
    Put(6, 3, "DOG");
    Put(0, 10, "XANT");
    Put(0, 7, "CAT");          // shares its T with the column word
    Put(2, 9, "EOT", true);    // E over O over the T: not a word
    Put(10, 14, "ODE", true);
    Put(4, 12, "TEN", true);
    EXPECT_EQ(Scan(), (Found{"ANT@1,10", "CAT@0,7", "DOG@6,3", "TEN@4,12v", "ODE@10,14v"}));
}

TEST_F(GameWords, LongestWordPerStartAndLaterWordsReachPast) {
    Put(0, 7, "CATS");
    Put(0, 5, "XCATSX");
    Put(6, 5, "EARN"); // run XCATSXEARN: CATS, then EAR
    EXPECT_EQ(Scan(), (Found{"CATS@0,7", "CATS@1,5", "EAR@6,5"}));

    // Two words may share the letters where one starts inside the other.
    game->ClearWell();
    Put(0, 7, "DODE"); // DO.. nothing, ODE from the second letter
    Put(0, 6, "CATEN"); // CAT, then TEN starting on its last letter
    EXPECT_EQ(Scan(), (Found{"ODE@1,7", "CAT@0,6", "TEN@2,6"}));
}

TEST_F(GameWords, OverlappingWordsShareTheirMiddleLetter) {
    TempFolder other;
    WriteDictionary(other, {"ABC", "CDE"});
    game = MakeGameIn(other);
    BeginPlay();
    Put(3, 8, "ABCDE");
    EXPECT_EQ(Scan(), (Found{"ABC@3,8", "CDE@5,8"}));
}

TEST_F(GameWords, ShortRunsAreNotSearched) {
    game->skill = 2;
    game->SetLevel(1);
    ASSERT_EQ(game->minWordLength, 4);
    Put(0, 7, "CAT");
    Put(5, 7, "QUIZ");
    EXPECT_EQ(Scan(), (Found{"QUIZ@5,7"}));
}

TEST_F(GameWords, SharedCellIsCreditedTwiceAndEmptied) {
    Put(0, 7, "CAT");
    Put(2, 9, "AN", true); // column 2 reads ANT down to the shared T
    game->SetState(WordScan);
    game->Update(0.01);
    ASSERT_EQ(game->state, WordRemoval);
    game->Update(0.49);
    EXPECT_EQ(game->wordsMade, 0);
    game->Update(0.01);
    EXPECT_EQ(game->wordsMade, 1);
    game->Update(0.5);
    EXPECT_EQ(game->wordsMade, 2);
    EXPECT_EQ(game->state, Settling);
    EXPECT_EQ(Row(7), "...........");
    EXPECT_EQ(Column(2), "...............");
    EXPECT_EQ(game->recentWords.front().word, "ANT");
    EXPECT_EQ(game->score, game->foundWords[0].points + game->foundWords[1].points);
}

TEST_F(GameWords, RecentWordsNewestFirstAtMostNineAndTheTenthRaisesTheLevel) {
    for (int i = 0; i < 8; ++i)
        game->recentWords.push_front(FoundWord{"OLD" + std::to_string(i), 0, 0, 3, false, 1, 0});
    game->wordsMade = 8;
    Put(0, 9, "DOG");
    Put(0, 8, "TEN");
    Put(0, 7, "EAR");
    game->SetState(WordScan);
    game->Update(0.01);
    ASSERT_EQ(game->foundWords.size(), 3u);
    const int levels[] = {1, 2, 2};
    for (int i = 0; i < 3; ++i) {
        game->Update(0.5);
        EXPECT_EQ(game->wordsMade, 9 + i);
        EXPECT_EQ(game->level, levels[i]);
        EXPECT_EQ(game->recentWords.front().word, game->foundWords[i].word);
    }
    ASSERT_EQ(game->recentWords.size(), 9u);
    EXPECT_EQ(game->recentWords[1].word, "TEN");
    EXPECT_EQ(game->recentWords.back().word, "OLD2"); // OLD0 and OLD1 pushed out
    EXPECT_DOUBLE_EQ(game->fallSpeed, 0.7);
}

TEST_F(GameWords, ChainRunsAcrossRemovalAndResettling) {
    // Row 7 will read ANTOG: ANT goes, column 2's D rises into the gap and
    // row 7 then reads DOG, the second word of the same landing.
    Drop('D', 2);
    RunToRest();
    Drop('T', 2);
    RunToRest();
    Drop('O', 3);
    RunToRest();
    Drop('G', 4);
    RunToRest();
    Drop('A', 0);
    RunToRest();
    EXPECT_EQ(game->wordsMade, 0);
    Drop('N', 1);
    RunToRest();
    ASSERT_EQ(game->recentWords.size(), 2u);
    const FoundWord& dog = game->recentWords[0];
    const FoundWord& ant = game->recentWords[1];
    EXPECT_EQ(ant.word, "ANT");
    EXPECT_EQ(ant.flags, 0);
    EXPECT_EQ(ant.points, 4); // (3 + 3 / 4) * 3 / 2
    EXPECT_EQ(dog.word, "DOG");
    EXPECT_EQ(dog.flags, FlagChain);
    EXPECT_EQ(dog.points, 18); // base 5, doubled: (10 + 10 / 4) * 3 / 2
    EXPECT_EQ(game->score, 22);
    EXPECT_EQ(Row(7), "...........");
}

TEST_F(GameWords, TargetAmongOtherWordsSweepsWithoutRemoval) {
    game->targetIndex = game->dictionary.Find("QUIZ");
    game->targetLength = 4;
    Put(0, 7, "XCATQUIZ");
    game->SetState(WordScan);
    game->Update(0.01);
    ASSERT_EQ(game->foundWords.size(), 2u);
    EXPECT_TRUE(game->targetMade);
    game->Update(0.5);
    game->Update(0.5);
    EXPECT_EQ(game->state, WellSweep);
    EXPECT_EQ(Row(7), "XCATQUIZ...");
    for (int i = 0; i < 15; ++i)
        game->Update(0.15);
    EXPECT_EQ(game->state, BlockDelay);
    EXPECT_EQ(Row(7), "...........");
    EXPECT_EQ(game->targetLength, 5);
    EXPECT_STREQ(game->dictionary.WordAt(game->targetIndex), "LEMON");
}


// The plain reading of the rule: from each start every candidate is looked up,
// the longest first, and must reach past the word taken before it.
std::vector<std::string> PlainSearch(const Dictionary& words, const std::string& run, int minimum) {
    std::vector<std::string> found;
    int required = minimum;
    const int length = static_cast<int>(run.size());
    for (int start = 0; start < length - 2; ++start) {
        for (int end = length - 1; end >= required + start - 1; --end) {
            const std::string candidate = run.substr(start, end - start + 1);
            if (words.Find(candidate.c_str()) != -1) {
                found.push_back(std::to_string(start) + candidate);
                required = static_cast<int>(candidate.size()) + 1;
                break;
            }
        }
        required = std::max(required - 1, minimum);
    }
    return found;
}

TEST(GameWordsFullList, SearchAgreesWithTryingEveryCandidate) {
    TempFolder folder;
    std::filesystem::copy_file(GLYPHTUMBLE_DATA_DIR "/dictionary.txt",
                               folder.File("dictionary.txt"));
    auto game = MakeGameIn(folder);
    std::mt19937 random(7);
    size_t words = 0;
    for (int trial = 0; trial < 300; ++trial) {
        std::string run(trial % 2 ? WordGame::WellRows : WordGame::WellColumns, ' ');
        for (char& letter : run) // vowels often, so that many words are found
            letter = random() % 3 ? WordGame::LetterBag[random() % 98] : "AEIOST"[random() % 6];
        const bool vertical = trial % 2;
        for (int i = 0; i < static_cast<int>(run.size()); ++i)
            game->SetCell(vertical ? 4 : i, vertical ? 14 - i : 6, run[i]);
        game->minWordLength = 3 + trial % 3;
        game->foundWords.clear();
        game->SearchRun(vertical ? 4 : 0, vertical ? 14 : 6, static_cast<int>(run.size()),
                        vertical);
        std::vector<std::string> found;
        for (const FoundWord& f : game->foundWords)
            found.push_back(std::to_string(vertical ? 14 - f.row : f.column) + f.word);
        EXPECT_EQ(found, PlainSearch(game->dictionary, run, game->minWordLength)) << run;
        words += found.size();
    }
    EXPECT_GT(words, 100u);
}

} // namespace

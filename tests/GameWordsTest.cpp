// Words in the well: scan order and overlap, points, crediting, the target.

#include <climits>
#include <cstring>

#include "tests/support/GameFixture.h"

class GameWords : public GameTest {
  protected:
    void SetUp() override {
        MakeGame({"ABC", "ANT", "CANT", "CAT", "CATS", "CDE", "DOG", "EAR", "LEMON", "ODE",
                  "ORANGES", "QUIZ", "TEN"});
        Begin();
        game->targetIndex = -1; // no target unless a test sets one
        game->chainMultiplier = 1;
    }
    std::string Scan() {
        game->foundWords.clear();
        game->ScanWell();
        std::string found;
        for (const FoundWord& f : game->foundWords) // "|" down, "-" across
            found += f.word + std::to_string(f.column * 100 + f.row) + "-|"[f.vertical];
        return found;
    }
};

TEST_F(GameWords, ScanOrderLongestWordPerStartAndOverlap) {
    Put(0, 10, "XANT");
    Put(0, 7, "CAT");       // shares its T with the column word
    Put(2, 9, "EOT", true); // E over O over the T: not a word
    Put(10, 14, "ODE", true);
    Put(4, 12, "TEN", true);
    EXPECT_EQ(Scan(), "ANT110-CAT7-TEN412|ODE1014|");
    game->ClearWell();
    Put(0, 7, "CATS");
    Put(0, 5, "XCATSXEARN"); // CATS, then EAR
    Put(0, 3, "DODE.CATEN"); // ODE from the O; CAT, then TEN from its last letter
    Put(0, 1, "ABCDE.CANT"); // ABC, then CDE from its last letter; ANT is inside CANT
    EXPECT_EQ(Scan(), "CATS7-CATS105-EAR605-ODE103-CAT503-TEN703-ABC1-CDE201-CANT601-");
}

TEST_F(GameWords, PointsByLengthChainSkillLevelHiddenNextBonusAndWildcard) {
    // QUIZ (22 + 2) * 5 / 4 * 3 / 2 = 45; CAT at m = 2 (10 + 10 / 4) * 3 / 2 = 18,
    // next hidden 20. A bonus doubles the base; a Q typed onto a '?' scores 0.
    const char* words[] = {"QUIZ", "CAT",         "CAT",  "CAT",  "CAT", "QUIZ",
                           "QUIZ", "AAAAAAAAAAA", "QUIZ", "QUIZ", "QUIZ"};
    const int chain[] = {1, 2, 4, 2, 1, 1, 1, 1, 1, 1, 1 << 30};
    const int skill[] = {1, 1, 1, 1, 0, 2, 1, 1, 1, 1, 1},
              level[] = {1, 1, 1, 1, 1, 1, 5, 1, 1, 1, 1};
    const int bonus[] = {-1, -1, -1, -1, -1, -1, -1, -1, 3, -1, -1};
    const int wildcard[] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, 0, -1};
    const int points[] = {45, 18, 37, 20, 6, 60, 81, 499, 90, 25, INT_MAX};
    for (int i = 0; i < 11; ++i) {
        game->chainMultiplier = chain[i];
        game->showNext = i != 3;
        game->skill = skill[i];
        game->level = level[i];
        game->bonusBlock = game->wildcardBlock = true; // column -1: off the word
        game->bonusCell = WellCell{bonus[i], 7};
        game->wildcardCell = WellCell{wildcard[i], 7};
        FoundWord found{words[i], 0, 7, static_cast<int>(std::strlen(words[i])), false, 0, 0};
        Put(0, 7, words[i]);
        game->ScoreWord(found);
        EXPECT_EQ(found.points, points[i]) << i;
        EXPECT_GT(game->chainMultiplier, 0) << i; // doubled, but never past the largest int
        EXPECT_EQ(found.flags, (bonus[i] >= 0 ? FlagBonus : 0) | (chain[i] > 1 ? FlagChain : 0))
            << i;
    }
}

TEST_F(GameWords, CreditingNineRecentWordsTheTenthWordAndTheTargetSweep) {
    Put(4, 9, "DOG");
    Put(4, 8, "TEN");
    Put(0, 7, "CAT");
    Put(2, 9, "AN", true); // column 2 reads ANT down to the T that CAT shares
    Put(10, 14, std::string(15, 'X'), true);
    game->targetIndex = game->dictionary.Find("TEN");
    game->targetLength = 3;
    game->recentWords.assign(8, FoundWord{"OLD", 0, 0, 3, false, 1, 0});
    game->wordsMade = 7;
    game->SetState(WordScan);
    game->Update(0.01);
    game->Update(0.49); // one word every half second
    EXPECT_EQ(game->wordsMade, 7);
    // The tenth word raises the level before its points, which were fixed when
    // it was found; the target's 2 << 3 is not multiplied.
    const int levels[] = {1, 1, 2, 2}, scores[] = {9, 35, 72, 117};
    for (int i = 0; i < 4; ++i) {
        game->Update(0.5);
        EXPECT_EQ(game->level, levels[i]) << i;
        EXPECT_EQ(game->score, scores[i]) << i;
    }
    EXPECT_EQ(game->recentWords.size(), 9u);
    game->Update(10.0); // the words stay for the sweep: a row per update, however long
    EXPECT_EQ(Row(7) + Column(10), "CAT.......X.XXXXXXXXXXXXXX");
    for (int i = 0; i < 14; ++i)
        game->Update(0.15);
    EXPECT_EQ(Column(10), std::string(15, '.'));
    EXPECT_EQ(game->state, BlockDelay);
    EXPECT_EQ(std::strlen(game->dictionary.WordAt(game->targetIndex)), 4u);
}

TEST_F(GameWords, TargetDrawTakesTheUnsignedProductOfTwoValues) {
    for (unsigned seed = 1; seed <= 200; ++seed) {
        std::srand(seed);
        const unsigned a = std::rand(), b = std::rand();
        int expected = static_cast<int>(((a * b) & 0x7fffffffu) % game->dictionary.count);
        while (std::strlen(game->dictionary.WordAt(expected)) != 3)
            expected = (expected + 1) % game->dictionary.count;
        std::srand(seed);
        game->targetLength = 3;
        game->PickTargetWord();
        EXPECT_EQ(game->targetIndex, expected) << "seed " << seed;
    }
}

TEST_F(GameWords, MissingTargetLengthTakesTheNearestLengthOrNone) {
    // 5 and 7 as near: the longer, unless too long for a target; else the
    // shorter; no target when nothing reaches the minimum length.
    const int asked[] = {6, 6, 8, 8}, minimum[] = {3, 3, 5, 8}, longest[] = {10, 6, 10, 10};
    const char* words[] = {"ORANGES", "LEMON", "ORANGES", ""};
    const int lengths[] = {7, 5, 7, 8};
    for (int i = 0; i < 4; ++i) {
        game->minWordLength = minimum[i];
        game->maxTargetLength = longest[i];
        game->targetLength = asked[i];
        game->PickTargetWord();
        EXPECT_STREQ(game->dictionary.WordAt(game->targetIndex), words[i]) << i;
        EXPECT_EQ(game->targetLength, lengths[i]) << i;
    }
}

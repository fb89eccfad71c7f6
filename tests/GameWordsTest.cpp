// Words in the well: scan order and overlap, points, crediting, the target,
// and the rules that move with skill and level.

#include <climits>
#include <cstring>

#include "tests/support/GameFixture.h"

class GameWords : public GameTest {
  protected:
    void SetUp() override {
        MakeGame({"ABC", "ANT", "CAMPANOLOGY", "CANT", "CAT", "CATS", "CDE", "DOG", "EAR", "LEMON", "ODE",
                  "ORANGES", "QUIZ", "STRAWBERRY", "TEN"});
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
    std::string Target() const { return game->dictionary.WordAt(game->targetIndex); }
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

TEST_F(GameWords, LetterValuesAreTheTileValuesAndAWildcardScoresNothing) {
    const int values[26] = {1, 3, 3, 2, 1, 4, 2, 4, 1, 8, 5, 1, 3,
                            1, 1, 3, 10, 1, 1, 1, 1, 4, 4, 8, 4, 10};
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        EXPECT_EQ(WordGame::LetterValue(letter), values[letter - 'A']) << letter;
    for (char other : {'?', 'a', '\0', '['})
        EXPECT_EQ(WordGame::LetterValue(other), 0) << other;
}

TEST_F(GameWords, PointsByLengthChainSkillLevelHiddenNextBonusAndWildcard) {
    // QUIZ (22 + 2) * 5 / 4 * 3 / 2 = 45; CAT at m = 2 (10 + 10 / 4) * 3 / 2 = 18,
    // next hidden 20. A bonus doubles the base; a Q typed onto a '?' scores 0.
    struct Case {
        const char* word;
        int chain, skill, level, bonus, wildcard, points;
        bool shown;
    } const cases[] = {
        {"QUIZ", 1, 1, 1, -1, -1, 45, true},       {"CAT", 2, 1, 1, -1, -1, 18, true},
        {"CAT", 4, 1, 1, -1, -1, 37, true},        {"CAT", 2, 1, 1, -1, -1, 20, false},
        {"CAT", 1, 0, 1, -1, -1, 6, true},         {"QUIZ", 1, 2, 1, -1, -1, 60, true},
        {"QUIZ", 1, 1, 5, -1, -1, 81, true},       {"AAAAAAAAAAA", 1, 1, 1, -1, -1, 499, true},
        {"QUIZ", 1, 1, 1, 3, -1, 90, true},        {"QUIZ", 1, 1, 1, -1, 0, 25, true},
        {"QUIZ", 1 << 30, 1, 1, -1, -1, INT_MAX, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.word) + " chain " + std::to_string(c.chain));
        game->chainMultiplier = c.chain;
        game->showNext = c.shown;
        game->skill = c.skill;
        game->level = c.level;
        game->bonusBlock = game->wildcardBlock = true; // column -1: off the word
        game->bonusCell = WellCell{c.bonus, 7};
        game->wildcardCell = WellCell{c.wildcard, 7};
        FoundWord found{c.word, 0, 7, static_cast<int>(std::strlen(c.word)), false, 0, 0};
        Put(0, 7, c.word);
        game->ScoreWord(found);
        EXPECT_EQ(found.points, c.points);
        EXPECT_GT(game->chainMultiplier, 0); // doubled, but never past the largest int
        EXPECT_EQ(found.flags, (c.bonus >= 0 ? FlagBonus : 0) | (c.chain > 1 ? FlagChain : 0));
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
    EXPECT_EQ(Target().size(), 4u);
}

TEST_F(GameWords, ACellInARowWordAndAColumnWordGoesOnceAndItsColumnClosesUp) {
    // Row 6 reads EAR from column 2; column 2 reads TEN down through the same
    // E, with a D under it.
    Put(2, 7, "TEND", true);
    Put(3, 7, "XA", true);
    Put(4, 7, "XR", true);
    game->SetState(WordScan);
    for (int i = 0; i < 20 && game->state != BlockDelay; ++i)
        game->Update(0.5);
    EXPECT_EQ(game->wordsMade, 2);
    EXPECT_EQ(Column(2) + Column(3) + Column(4),
              ".......D......." ".......X......." ".......X.......");
}

TEST_F(GameWords, TargetDrawTakesTheUnsignedProductOfTwoValues) {
    // Two seeds; every product of two draws passes the largest int.
    for (unsigned seed : {3u, 7u}) {
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
    const int asked[] = {6, 6, 8, 12}, minimum[] = {3, 3, 5, 12}, longest[] = {10, 6, 10, 12};
    const char* words[] = {"ORANGES", "LEMON", "ORANGES", ""};
    for (int i = 0; i < 4; ++i) {
        game->minWordLength = minimum[i];
        game->maxTargetLength = longest[i];
        game->targetLength = asked[i];
        game->PickTargetWord();
        EXPECT_EQ(Target(), words[i]) << i;
    }
}

TEST_F(GameWords, ShortestWordAndTargetFollowSkillAndLevelAndTargetsStopAtTen) {
    // Which of CAT, QUIZ and LEMON a scan takes, by skill and level; a rising
    // minimum lengthens a shorter target at once.
    struct Case {
        int skill, level;
        const char* found;
    } const cases[] = {
        {0, 4, "CAT QUIZ LEMON "},  {0, 5, "QUIZ LEMON "}, {0, 9, "QUIZ LEMON "},
        {1, 3, "CAT QUIZ LEMON "}, {1, 4, "QUIZ LEMON "}, {1, 6, "QUIZ LEMON "},
        {1, 7, "LEMON "},          {2, 1, "QUIZ LEMON "}, {2, 4, "QUIZ LEMON "},
        {2, 5, "LEMON "}};
    Put(0, 9, "CAT");
    Put(0, 8, "QUIZ");
    Put(0, 7, "LEMON");
    for (const Case& c : cases) {
        SCOPED_TRACE("skill " + std::to_string(c.skill) + " level " + std::to_string(c.level));
        game->skill = c.skill;
        game->targetLength = 4;
        game->targetIndex = game->dictionary.Find("QUIZ");
        game->SetLevel(c.level);
        game->foundWords.clear();
        game->ScanWell();
        std::string found;
        for (const FoundWord& f : game->foundWords)
            found += f.word + " ";
        EXPECT_EQ(found, c.found);
        EXPECT_EQ(Target(), std::strlen(c.found) == 6 ? "LEMON" : "QUIZ");
    }
    game->targetLength = 9;
    for (int i = 0; i < 2; ++i) {
        game->AdvanceTarget();
        EXPECT_EQ(Target(), "STRAWBERRY");
    }
}

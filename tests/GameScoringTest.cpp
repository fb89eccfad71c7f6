// Points of a word, levels, falling speed and the target word.

#include <climits>
#include <cstdlib>
#include <cstring>

#include "tests/support/GameFixture.h"

namespace {

class GameScoring : public GameTest {
protected:
    void SetUp() override {
        MakeGame({"ANT", "CAT", "QUIZ", "LEMON", "ORANGES"});
        BeginPlay();
        game->targetIndex = -1;
        game->chainMultiplier = 1;
    }
    // Writes the word into row 7 from column 0 and scores it.
    FoundWord Score(const std::string& word, int column = 0) {
        FoundWord found;
        found.word = word;
        found.column = column;
        found.row = 7;
        found.length = static_cast<int>(word.size());
        for (int i = 0; i < found.length; ++i)
            game->SetCell(column + i, 7, word[i]);
        game->ScoreWord(found);
        return found;
    }
};

TEST_F(GameScoring, WorkedExamplesChainAndHiddenNext) {
    const FoundWord quiz = Score("QUIZ");
    EXPECT_EQ(quiz.points, 45);
    EXPECT_EQ(quiz.flags, 0);
    const FoundWord cat = Score("CAT", 5);
    EXPECT_EQ(cat.points, 18);
    EXPECT_EQ(cat.flags, FlagChain);
    const FoundWord third = Score("CAT", 5);
    EXPECT_EQ(third.points, 37); // m = 4: (20 + 20 / 4) * 3 / 2
    EXPECT_EQ(game->chainMultiplier, 8);
    game->chainMultiplier = 2;
    game->showNext = false;
    EXPECT_EQ(Score("CAT", 5).points, 20);
}

TEST_F(GameScoring, AVeryLongChainHoldsItsPointsAtTheLargestInt) {
    game->chainMultiplier = 1 << 30;
    const FoundWord quiz = Score("QUIZ");
    EXPECT_EQ(quiz.points, INT_MAX);
    EXPECT_EQ(game->chainMultiplier, 1 << 30);
    game->score = INT_MAX - 5;
    game->foundWords = {quiz};
    game->SetState(WordRemoval);
    game->Update(0.5);
    EXPECT_EQ(game->score, INT_MAX);
}

TEST_F(GameScoring, LengthBonusSkillAndLevel) {
    struct Case {
        const char* word;
        int skill;
        int level;
        int points;
    };
    const Case cases[] = {
        {"CAT", 0, 1, 6},         // 5 + 5 / 4, no length bonus
        {"QUIZ", 0, 1, 30},       // 22 + 2 = 24, 24 + 6
        {"QUIZ", 2, 1, 60},       // doubled
        {"QUIZ", 1, 5, 81},       // 24 + 120 / 4 = 54, * 3 / 2
        {"AAAAAAAAAAA", 1, 1, 499}, // 11 + 256 = 267, 267 + 66 = 333, * 3 / 2
    };
    for (const Case& c : cases) {
        game->ClearWell();
        game->skill = c.skill;
        game->level = c.level;
        game->chainMultiplier = 1;
        EXPECT_EQ(Score(c.word).points, c.points) << c.word << " skill " << c.skill;
    }
}

TEST_F(GameScoring, BonusBlockDoublesTheBaseAndWildcardLetterScoresNothing) {
    game->bonusBlock = true;
    game->bonusCell = WellCell{3, 7};
    FoundWord quiz = Score("QUIZ");
    EXPECT_EQ(quiz.points, 90); // 48 + 12, * 3 / 2
    EXPECT_EQ(quiz.flags, FlagBonus);
    game->bonusBlock = false;
    game->chainMultiplier = 1;
    game->wildcardBlock = true;
    game->wildcardCell = WellCell{0, 7}; // the Q was typed onto a '?' block
    EXPECT_EQ(Score("QUIZ").points, 25); // 14 + 3, * 3 / 2
    // A vertical word through the marked cell counts it too.
    game->chainMultiplier = 1;
    game->wildcardCell = WellCell{4, 9};
    game->SetCell(4, 9, 'Z');
    game->SetCell(4, 8, 'A');
    FoundWord down{"ZAP", 4, 9, 3, true, 0, 0};
    game->SetCell(4, 7, 'P');
    game->ScoreWord(down);
    EXPECT_EQ(down.points, 7); // 0 + 1 + 3 = 4, 4 + 1, * 3 / 2
}

TEST_F(GameScoring, TargetBonusIsAddedUnmultiplied) {
    game->targetIndex = game->dictionary.Find("QUIZ");
    game->targetLength = 4;
    game->chainMultiplier = 2;
    const FoundWord quiz = Score("QUIZ");
    EXPECT_EQ(quiz.points, 90 + 32); // 48 + 12, * 3 / 2, then 2 << 4
    EXPECT_EQ(quiz.flags, FlagChain | FlagTarget);
    EXPECT_TRUE(game->targetMade);
}

TEST_F(GameScoring, MinimumWordLengthAndFallSpeedBySkillAndLevel) {
    const int lengths[3][8] = {
        {3, 3, 3, 3, 4, 4, 4, 4}, {3, 3, 3, 4, 4, 4, 5, 5}, {4, 4, 4, 4, 5, 5, 5, 5}};
    const double speeds[3] = {0.33, 0.5, 0.67};
    const double steps[3] = {1.0 / 6.0, 0.2, 0.25};
    for (int skill = 0; skill < 3; ++skill)
        for (int level = 1; level <= 8; ++level) {
            game->skill = skill;
            game->SetLevel(level);
            EXPECT_EQ(game->minWordLength, lengths[skill][level - 1]) << skill << " " << level;
            EXPECT_NEAR(game->fallSpeed, speeds[skill] + (level - 1) * steps[skill], 1e-12);
        }
}

TEST_F(GameScoring, LevelRiseAboveTheTargetLengthPicksALongerTarget) {
    game->skill = 2;
    game->targetLength = 4;
    game->targetIndex = game->dictionary.Find("QUIZ");
    game->SetLevel(5);
    EXPECT_EQ(game->targetLength, 5);
    EXPECT_STREQ(game->dictionary.WordAt(game->targetIndex), "LEMON");
    // The target of the longest length stays that long.
    game->targetLength = 7;
    game->maxTargetLength = 7;
    game->AdvanceTarget();
    EXPECT_EQ(game->targetLength, 7);
    EXPECT_STREQ(game->dictionary.WordAt(game->targetIndex), "ORANGES");
}

TEST_F(GameScoring, TargetDrawTakesTwoValuesAndWalksToTheLength) {
    const int count = game->dictionary.count;
    for (unsigned seed = 1; seed <= 200; ++seed) {
        std::srand(seed);
        const unsigned a = static_cast<unsigned>(std::rand());
        const unsigned b = static_cast<unsigned>(std::rand());
        const int after = std::rand();
        int expected = static_cast<int>(((a * b) & 0x7fffffffu) % static_cast<unsigned>(count));
        while (std::strlen(game->dictionary.WordAt(expected)) != 3)
            expected = (expected + 1) % count;
        std::srand(seed);
        game->targetLength = 3;
        game->PickTargetWord();
        EXPECT_EQ(game->targetIndex, expected) << "seed " << seed;
        EXPECT_EQ(std::rand(), after) << "seed " << seed;
    }
}

TEST_F(GameScoring, MissingTargetLengthTakesTheNearestLengthOrNone) {
    struct Case {
        int asked;
        int minimum;
        int longest;
        const char* word; // "" for no target
        int length;
    };
    const Case cases[] = {
        {6, 3, 10, "ORANGES", 7},  // 5 and 7 are as near: the longer wins
        {6, 3, 6, "LEMON", 5},     // unless the longer is too long for a target
        {8, 5, 10, "ORANGES", 7},  // the nearest is shorter
        {10, 3, 10, "ORANGES", 7}, // only shorter ones are left
        {8, 8, 10, "", 8},         // nothing at or above the minimum
    };
    for (const Case& c : cases) {
        game->minWordLength = c.minimum;
        game->maxTargetLength = c.longest;
        game->targetLength = c.asked;
        game->PickTargetWord();
        EXPECT_STREQ(game->dictionary.WordAt(game->targetIndex), c.word) << c.asked;
        EXPECT_EQ(game->targetLength, c.length) << c.asked;
    }
    EXPECT_EQ(game->targetIndex, -1);
    game->minWordLength = 3;
    EXPECT_EQ(Score("CAT").flags & FlagTarget, 0);
    EXPECT_FALSE(game->targetMade);
}

} // namespace

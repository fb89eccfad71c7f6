// The falling block, landing, settling, the letter supply and the timed states.

#include <cstdlib>

#include "tests/support/GameFixture.h"

namespace {

class GameWell : public GameTest {
protected:
    // No word can form from X, so nothing is ever removed.
    void SetUp() override { MakeGame({"ANT", "CAT", "QUIZ", "LEMON"}); }
    // Column 2 holds letters, settled, before the drop.
    void FillColumn(int letters) {
        for (int i = 0; i < letters; ++i)
            game->SetCell(2, i, 'X');
        game->Settle();
        game->SetState(BlockDelay);
    }
};

TEST_F(GameWell, LandingAndSettlingTable) {
    struct Case {
        int before;      // letters in column 2 before the drop
        int landingRow;  // where the block comes to rest
        const char* column; // column 2 after settling, row 0 first
    };
    const Case cases[] = {
        {0, 7, ".......Q......."},
        {3, 8, "....XXXQ......."}, // rows 5 to 7, pushed down one
        {8, 8, "XXXXXXXXQ......"}, // the ninth letter rests on the floor's column
        {9, 9, "XXXXXXXXXQ....."},
        {13, 13, "XXXXXXXXXXXXXQ."},
    };
    BeginPlay();
    for (const Case& c : cases) {
        game->ClearWell();
        FillColumn(c.before);
        Drop('Q', 2);
        EXPECT_EQ(game->Cell(2, c.landingRow), 'Q') << c.before << " letters";
        EXPECT_EQ(game->landingColumn, 2);
        game->Update(0.01);
        EXPECT_EQ(Column(2), c.column) << c.before << " letters";
        EXPECT_EQ(game->state, WordScan);
        game->Update(0.01);
        EXPECT_EQ(game->state, BlockDelay);
    }
}

TEST_F(GameWell, FifteenthLetterEndsTheGameInTheSameUpdate) {
    BeginPlay();
    FillColumn(14);
    Drop('Q', 2);
    EXPECT_EQ(game->Cell(2, 14), 'Q');
    game->Update(0.01);
    EXPECT_EQ(game->state, GameOver);
    EXPECT_EQ(Column(2), "XXXXXXXXXXXXXXQ");
}

TEST_F(GameWell, FallIsCappedAtAQuarterRowAndLandsOnTheSurface) {
    BeginPlay();
    game->Update(0.25);
    ASSERT_EQ(game->state, BlockFalling);
    game->fastDrop = true;
    game->Update(1.0);
    EXPECT_DOUBLE_EQ(game->blockHeight, 13.75);
    game->fastDrop = false;
    game->Update(0.1); // 0.5 rows per second at level 1, Intermediate
    EXPECT_DOUBLE_EQ(game->blockHeight, 13.70);
    game->Update(-1.0); // a backwards frame time moves nothing
    EXPECT_DOUBLE_EQ(game->blockHeight, 13.70);
    game->blockHeight = 7.1;
    game->Update(0.4);
    EXPECT_EQ(game->state, Settling);
    EXPECT_DOUBLE_EQ(game->blockHeight, 7.1); // the refused move is not made
}

TEST_F(GameWell, WildcardBlockBecomesABagLetterOnLanding) {
    BeginPlay();
    for (int i = 0; i < 30; ++i) {
        game->ClearWell();
        game->SetState(BlockDelay);
        Drop('?', 5);
        EXPECT_TRUE(game->blockLetter >= 'A' && game->blockLetter <= 'Z');
        EXPECT_EQ(game->Cell(5, 7), game->blockLetter);
    }
}

TEST_F(GameWell, BonusAndWildcardCellsFollowTheLandedBlock) {
    BeginPlay();
    FillColumn(3);
    Drop('?', 2);
    game->bonusBlock = true;
    // An arrow pressed before the well settles does not move the landed block.
    game->SetCell(3, 8, 0);
    game->Special(102, 0, 0);
    EXPECT_EQ(game->blockColumn, 3);
    game->Update(0.01);
    EXPECT_EQ(game->bonusCell.column, 2);
    EXPECT_EQ(game->bonusCell.row, 7);
    EXPECT_EQ(game->wildcardCell.column, 2);
    EXPECT_EQ(game->wildcardCell.row, 7);
    game->Update(0.01); // the scan clears both marks
    EXPECT_FALSE(game->bonusBlock);
    EXPECT_FALSE(game->wildcardBlock);
}

TEST_F(GameWell, SeededGameDealsLettersAndBonusesInDrawOrder) {
    StartSeeded(77);
    // The same draws by hand: the first letter at NewGame, then the two
    // target draws, then per spawn the next letter and the bonus.
    std::srand(77);
    std::vector<int> draws(20);
    for (int& d : draws)
        d = std::rand();
    std::srand(77);
    game->Keyboard(13, 0, 0);
    const char first = WordGame::LetterBag[draws[0] % 102];
    EXPECT_EQ(game->nextLetter, first);
    for (int block = 0; block < 5; ++block) {
        const char expected = game->nextLetter;
        game->Update(0.25);
        ASSERT_EQ(game->state, BlockFalling);
        EXPECT_EQ(game->blockLetter, expected);
        EXPECT_EQ(game->nextLetter, WordGame::LetterBag[draws[3 + 2 * block] % 102]);
        EXPECT_EQ(game->bonusBlock, draws[4 + 2 * block] % 50 == 0);
        game->SetState(BlockDelay);
    }
}

TEST_F(GameWell, TimedStatesStepOncePerUpdateAndDropSurplusTime) {
    BeginPlay();
    game->Update(0.2);
    EXPECT_EQ(game->state, BlockDelay);
    game->Update(0.05); // 0.25 reached exactly
    EXPECT_EQ(game->state, BlockFalling);

    for (int column = 0; column < WordGame::WellColumns; ++column)
        for (int row = 0; row < WordGame::WellRows; ++row)
            game->SetCell(column, row, 'X');
    game->SetState(WellSweep);
    const int target = game->targetLength;
    game->Update(0.1);
    EXPECT_EQ(Row(0), "XXXXXXXXXXX");
    game->Update(10.0); // one row, however long the frame
    EXPECT_EQ(Row(0), "...........");
    EXPECT_EQ(Row(1), "XXXXXXXXXXX");
    EXPECT_DOUBLE_EQ(game->sweepTime, 0.0);
    for (int i = 0; i < 13; ++i)
        game->Update(0.15);
    EXPECT_EQ(game->state, WellSweep);
    EXPECT_EQ(Row(14), "XXXXXXXXXXX");
    game->Update(0.15);
    EXPECT_EQ(Row(14), "...........");
    EXPECT_EQ(game->state, BlockDelay);
    EXPECT_EQ(game->targetLength, target + 1);
}

TEST_F(GameWell, SpinAngleWrapsOnlyPastAFullTurn) {
    StartSeeded();
    game->Update(WordGame::TwoPi);
    EXPECT_DOUBLE_EQ(game->spinAngle, WordGame::TwoPi);
    game->Update(0.5);
    EXPECT_NEAR(game->spinAngle, 0.5, 1e-9);
}

} // namespace

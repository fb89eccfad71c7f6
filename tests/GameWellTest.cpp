// The falling block, landing, settling, the letter supply and the timed states.

#include <cstdlib>

#include "tests/support/GameFixture.h"

namespace {

class GameWell : public GameTest {
protected:
    // No word can form from X, so nothing is ever removed.
    void SetUp() override {
        MakeGame({"ANT", "CAT", "QUIZ", "LEMON"});
        BeginPlay();
    }
    // Column 2 holds letters, settled, before the drop.
    void FillColumn(int letters) {
        game->ClearWell();
        for (int i = 0; i < letters; ++i)
            game->SetCell(2, i, 'X');
        game->Settle();
        game->SetState(BlockDelay);
    }
};

TEST_F(GameWell, LandingAndSettlingTable) {
    struct Case {
        int before;         // letters in column 2 before the drop
        int landingRow;     // where the block comes to rest
        const char* column; // column 2 after settling, row 0 first
    };
    const Case cases[] = {
        {0, 7, ".......Q......."},   // an empty column: the surface row
        {3, 8, "....XXXQ......."},   // rows 5 to 7, pushed down one
        {8, 8, "XXXXXXXXQ......"},   // from the ninth letter on, it grows upwards
        {9, 9, "XXXXXXXXXQ....."},
        {13, 13, "XXXXXXXXXXXXXQ."},
        {14, 14, "XXXXXXXXXXXXXXQ"}, // the fifteenth ends the game
    };
    for (const Case& c : cases) {
        FillColumn(c.before);
        Drop('Q', 2);
        EXPECT_EQ(game->Cell(2, c.landingRow), 'Q') << c.before << " letters";
        game->Update(0.01);
        EXPECT_EQ(Column(2), c.column) << c.before << " letters";
        EXPECT_EQ(game->state, c.before == 14 ? GameOver : WordScan);
    }
}

TEST_F(GameWell, FallIsCappedAtAQuarterRowAndLandsOnTheSurface) {
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
    EXPECT_EQ(game->Cell(5, 7), game->blockLetter);
}

TEST_F(GameWell, WildcardBecomesABagLetterAndMarksStayWithTheLandedBlock) {
    for (int i = 0; i < 20; ++i) {
        FillColumn(3);
        Drop('?', 2);
        ASSERT_TRUE(game->blockLetter >= 'A' && game->blockLetter <= 'Z');
        game->bonusBlock = true;
        // An arrow pressed before the well settles moves the block's column,
        // but the marks follow the letter where it landed.
        game->Special(102, 0, 0);
        EXPECT_EQ(game->blockColumn, 3);
        game->Update(0.01);
        EXPECT_EQ(game->Cell(2, 7), game->blockLetter);
        EXPECT_EQ(game->bonusCell.column * 100 + game->bonusCell.row, 207);
        EXPECT_EQ(game->wildcardCell.column * 100 + game->wildcardCell.row, 207);
        game->Update(0.01); // the scan clears both marks
        EXPECT_FALSE(game->bonusBlock || game->wildcardBlock);
    }
}

TEST_F(GameWell, SeededGameDealsLettersAndBonusesInDrawOrder) {
    StartSeeded(77);
    // The draws by hand: the first letter at NewGame, the two target draws,
    // then per spawn the next letter and then the bonus.
    std::vector<int> draws(16);
    for (int& d : draws)
        d = std::rand();
    std::srand(77);
    game->Keyboard(13, 0, 0);
    EXPECT_EQ(game->nextLetter, WordGame::LetterBag[draws[0] % 102]);
    for (int block = 0; block < 6; ++block) {
        const char expected = game->nextLetter;
        game->Update(0.25);
        EXPECT_EQ(game->blockLetter, expected);
        EXPECT_EQ(game->nextLetter, WordGame::LetterBag[draws[3 + 2 * block] % 102]);
        EXPECT_EQ(game->bonusBlock, draws[4 + 2 * block] % 50 == 0);
        game->SetState(BlockDelay);
    }
}

TEST_F(GameWell, TimedStatesStepOncePerUpdateAndDropSurplusTime) {
    game->Update(0.2);
    EXPECT_EQ(game->state, BlockDelay);
    game->Update(0.05); // 0.25 reached exactly
    EXPECT_EQ(game->state, BlockFalling);

    for (int row = 0; row < WordGame::WellRows; ++row)
        for (int column = 0; column < WordGame::WellColumns; ++column)
            game->SetCell(column, row, 'X');
    game->SetState(WellSweep);
    game->Update(0.1);
    EXPECT_EQ(Row(0), "XXXXXXXXXXX");
    game->Update(10.0); // one row, however long the frame
    EXPECT_EQ(Row(0) + Row(1), "...........XXXXXXXXXXX");
    for (int i = 0; i < 13; ++i)
        game->Update(0.15);
    EXPECT_EQ(Row(14), "XXXXXXXXXXX");
    game->Update(0.15);
    EXPECT_EQ(Row(14), "...........");
    EXPECT_EQ(game->state, BlockDelay);
    EXPECT_STREQ(game->dictionary.WordAt(game->targetIndex), "LEMON");
}

} // namespace

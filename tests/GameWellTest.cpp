// The falling block, landing, settling and the letter supply.

#include <cmath>

#include "tests/support/GameFixture.h"

class GameWell : public GameTest {
  protected:
    // No word forms from X and Q, so nothing is ever removed.
    void SetUp() override {
        MakeGame({"ANT", "CAT", "HYMN", "JAZZ", "LEMON", "QUIZ", "ZERO"});
        Begin();
    }
};

TEST_F(GameWell, LandingAndSettlingTable) {
    // Letters in column 2, the landing row, the column settled: from the ninth
    // letter it grows upwards; the fifteenth ends the game in the same update.
    const std::tuple<int, int, const char*> cases[] = {
        {0, 7, ".......Q......."}, {3, 8, "....XXXQ......."},   {8, 8, "XXXXXXXXQ......"},
        {9, 9, "XXXXXXXXXQ....."}, {14, 14, "XXXXXXXXXXXXXXQ"},
    };
    for (const auto& [before, landing, after] : cases) {
        SCOPED_TRACE(before);
        game->ClearWell();
        Put(2, 14, std::string(before, 'X'), true);
        game->Settle();
        game->SetState(BlockDelay);
        Drop('Q', 2);
        EXPECT_EQ(game->Cell(2, landing), 'Q');
        game->Update(0.01);
        EXPECT_EQ(Column(2), after);
        EXPECT_EQ(game->state, before == 14 ? GameOver : WordScan);
    }
}

TEST_F(GameWell, SeededGameDrawsInOrderAndMarksFollowTheLandedWildcard) {
    Begin(77, false);
    std::vector<int> draws(18);
    for (int& d : draws)
        d = std::rand();
    std::srand(77);
    game->Keyboard(KeyEnter, 0, 0); // the next letter, then the start-up target's two draws
    EXPECT_EQ(game->nextLetter, WordGame::LetterBag[draws[0] % 102]);
    for (int block = 0; block < 6; ++block) { // a spawn draws the next letter, then the bonus
        const char expected = game->nextLetter;
        game->Update(0.25);
        EXPECT_EQ(game->blockLetter, expected);
        EXPECT_EQ(game->nextLetter, WordGame::LetterBag[draws[3 + 2 * block] % 102]);
        EXPECT_EQ(game->bonusBlock, draws[4 + 2 * block] % 50 == 0);
        game->SetState(BlockDelay);
    }
    Drop('?', 2); // draws 15 and 16 at the spawn, 17 at the landing
    EXPECT_EQ(game->Cell(2, 7), WordGame::LetterBag[draws[17] % 98]);
    // An arrow pressed before the well settles must not move the marks.
    game->bonusBlock = true;
    game->Special(ArrowRight, 0, 0);
    game->Update(0.01);
    EXPECT_EQ(game->bonusCell.column * 100 + game->bonusCell.row, 207);
    EXPECT_EQ(game->wildcardCell.column * 100 + game->wildcardCell.row, 207);
}

TEST_F(GameWell, UpdateWithAFrameTimeThatIsNotFinitePositiveMovesNothing) {
    // Each timed state, then a frame of the right length that must still do
    // its one step: no timer was wound back, stopped or run out.
    const std::pair<int, double> states[] = {
        {BlockDelay, WordGame::BlockDelayLength}, {BlockFalling, 0.05}, {WordRemoval, 0.5},
        {WellSweep, 0.1},                         {TitleMenu, 0.5},     {HallOfFame, 0.5},
    };
    const double bad[] = {std::nan(""), -5.0, 0.0, HUGE_VAL, -HUGE_VAL};
    for (const auto& [state, step] : states) {
        SCOPED_TRACE(state);
        game->SetState(state);
        game->blockHeight = 12.0;
        const auto timers = [&] {
            return std::make_tuple(game->state, game->delayTime, game->blockHeight,
                                   game->revealTime, game->sweepTime, game->spinAngle);
        };
        const auto before = timers();
        for (const double t : bad)
            game->Update(t);
        EXPECT_EQ(timers(), before);
        game->Update(step);
        EXPECT_NE(timers(), before) << "a good frame after them moves again";
    }
}

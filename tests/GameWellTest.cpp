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

TEST_F(GameWell, FallSpeedFollowsSkillAndLevelAndDownFallsTenRowsASecond) {
    // Rows per second at level 1, rising per level by 1/6, 0.2 and 0.25.
    struct Case {
        int skill, level;
        bool down;
        double speed;
    } const cases[] = {{0, 1, false, 0.33}, {1, 1, false, 0.5}, {2, 1, false, 0.67},
                       {0, 4, false, 0.83}, {1, 4, false, 1.1}, {2, 4, false, 1.42},
                       {0, 1, true, 10.0},  {2, 9, true, 10.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE("skill " + std::to_string(c.skill) + " level " + std::to_string(c.level));
        game->skill = c.skill;
        game->SetLevel(c.level);
        game->SetState(BlockDelay);
        game->Update(WordGame::BlockDelayLength);
        c.down ? game->Special(ArrowDown, 0, 0) : game->SpecialUp(ArrowDown, 0, 0);
        game->Update(0.02);
        EXPECT_NEAR(WordGame::SpawnHeight - game->blockHeight, c.speed * 0.02, 1e-9);
    }
}

TEST_F(GameWell, SideStepsStopAtTheWalls) {
    game->Update(WordGame::BlockDelayLength);
    for (int i = 0; i < 7; ++i)
        game->Special(ArrowLeft, 0, 0);
    EXPECT_EQ(game->blockColumn, 0);
    for (int i = 0; i < 12; ++i)
        game->Special(ArrowRight, 0, 0);
    EXPECT_EQ(game->blockColumn, 10);
}

TEST_F(GameWell, SeededGameDrawsInOrderAndMarksFollowTheLandedWildcard) {
    Begin(77, false);
    std::vector<int> draws(12);
    for (int& d : draws)
        d = std::rand();
    std::srand(77);
    game->Keyboard(KeyEnter, 0, 0); // the next letter, then the start-up target's two draws
    EXPECT_EQ(game->nextLetter, WordGame::LetterBag[draws[0] % 102]);
    for (int block = 0; block < 3; ++block) { // a spawn draws the next letter, then the bonus
        const char expected = game->nextLetter;
        game->Update(0.25);
        EXPECT_EQ(game->blockLetter, expected);
        EXPECT_EQ(game->nextLetter, WordGame::LetterBag[draws[3 + 2 * block] % 102]);
        EXPECT_EQ(game->bonusBlock, draws[4 + 2 * block] % 50 == 0);
        game->SetState(BlockDelay);
    }
    Drop('?', 2); // draws 9 and 10 at the spawn, 11 at the landing
    EXPECT_EQ(game->Cell(2, 7), WordGame::LetterBag[draws[11] % 98]);
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

// The falling block, landing, settling and the letter supply.

#include "tests/support/GameFixture.h"
#include <cmath>

class GameWell : public GameTest {
  protected:
    // No word forms from X and Q, so nothing is ever removed.
    void SetUp() override {
        MakeGame("ANT\nCAT\nHYMN\nJAZZ\nLEMON\nQUIZ\nZERO\n");
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

// Skill, level, Down held, the fall of a 0.02 s frame: at level 1 0.33, 0.5 and
// 0.67 rows a second, rising per level by 1/6, 0.2 and 0.25; 10 with Down.
TEST_F(GameWell, FallSpeedFollowsSkillAndLevelDownFallsTenRowsASecondAndWallsStopSteps) {
    const std::tuple<int, int, bool, double> cases[] = {
        {0, 1, false, 0.0066}, {1, 1, false, 0.01},   {2, 1, false, 0.0134}, {0, 4, false, 0.0166},
        {1, 4, false, 0.022},  {2, 4, false, 0.0284}, {0, 1, true, 0.2},     {2, 9, true, 0.2}};
    for (const auto& [skill, level, down, fall] : cases) {
        SCOPED_TRACE("skill " + std::to_string(skill) + " level " + std::to_string(level));
        game->skill = skill;
        game->SetLevel(level);
        game->SetState(BlockDelay);
        game->Update(WordGame::BlockDelayLength);
        down ? game->Special(ArrowDown, 0, 0) : game->SpecialUp(ArrowDown, 0, 0);
        game->Update(0.02);
        EXPECT_NEAR(WordGame::SpawnHeight - game->blockHeight, fall, 1e-9);
        game->Update(1.0); // never more than a quarter row
        EXPECT_NEAR(WordGame::SpawnHeight - game->blockHeight, fall + 0.25, 1e-9);
    }
    for (const auto& [key, presses, column] : {std::tuple{ArrowLeft, 7, 0}, {ArrowRight, 12, 10}}) {
        for (int i = 0; i < presses; ++i) // side steps stop at the walls
            game->Special(key, 0, 0);
        EXPECT_EQ(game->blockColumn, column);
    }
}

TEST_F(GameWell, ALandedWildcardDrawsItsLetterAtTheLandingAndKeepsItsMark) {
    Begin(77, false);
    std::vector<int> draws(6);
    for (int& d : draws)
        d = std::rand();
    std::srand(77);
    game->Keyboard(KeyEnter, 0, 0); // the next letter, then the start-up target's two draws
    Drop('?', 2);                   // draws 3 and 4 at the spawn, 5 at the landing
    EXPECT_EQ(game->nextLetter, WordGame::LetterBag[draws[3] % 102]); // a '?' may come next
    EXPECT_EQ(game->Cell(2, 7), WordGame::LetterBag[draws[5] % 98]);
    game->Special(ArrowRight, 0, 0); // after the landing: the mark stays where it landed
    game->Update(0.01);
    EXPECT_EQ(game->wildcardCell.column * 100 + game->wildcardCell.row, 207);
}

// Each timed state, then a frame of the right length that must still do its
// one step: no timer was wound back, stopped or run out. Settling and the
// scan take no time, so a frame of none runs them.
TEST_F(GameWell, UpdateWithAFrameTimeThatIsNotFinitePositiveMovesNoTimer) {
    const std::pair<int, double> states[] = {{BlockDelay, 0.25}, {BlockFalling, 0.05},
                                             {WordRemoval, 0.5}, {WellSweep, 0.1},
                                             {TitleMenu, 0.5},   {HallOfFame, 0.5}};
    for (const auto& [state, step] : states) {
        SCOPED_TRACE(state);
        game->SetState(state);
        game->blockHeight = 12.0;
        const auto timers = [&] {
            return std::make_tuple(game->state, game->delayTime, game->blockHeight,
                                   game->revealTime, game->sweepTime, game->spinAngle);
        };
        const auto before = timers();
        for (const double t : {std::nan(""), -5.0, 0.0, HUGE_VAL, -HUGE_VAL})
            game->Update(t);
        EXPECT_EQ(timers(), before);
        game->Update(step);
        EXPECT_NE(timers(), before) << "a good frame after them moves again";
    }
    game->SetState(Settling);
    game->Update(0.0), game->Update(0.0); // settled, then scanned
    EXPECT_EQ(game->state, BlockDelay);
}

// Start, the screen states' entry actions and the title menu.

#include "tests/support/GameFixture.h"

namespace {

class GameStates : public GameTest {
protected:
    void SetUp() override { MakeGame({"ANT", "CAT", "QUIZ", "LEMON"}); }
};

TEST_F(GameStates, StartAndNewGame) {
    ASSERT_TRUE(game->Start());
    EXPECT_EQ(game->state, TitleMenu);
    EXPECT_EQ(game->menuCursor, 2);
    EXPECT_EQ(game->targetLength, 3); // raised from 0 to the shortest word length
    game->delayTime = 3.0;
    game->MenuKey(13);
    EXPECT_EQ(game->state, BlockDelay);
    EXPECT_DOUBLE_EQ(game->delayTime, 0.0);
    EXPECT_DOUBLE_EQ(game->viewCentreY, 12.0);
    EXPECT_STREQ(game->dictionary.WordAt(game->targetIndex), "QUIZ");

    TempFolder empty;
    WriteDictionary(empty, {});
    auto lonely = MakeGameIn(empty);
    lonely->state = WellSweep;
    EXPECT_FALSE(lonely->Start());
    EXPECT_EQ(lonely->state, WellSweep);
}

TEST_F(GameStates, MenuCyclesSkillShowNextAndTheCursor) {
    StartSeeded();
    game->MenuMove(101);
    game->MenuMove(101);
    for (int expected : {2, 0, 1}) {
        game->MenuKey(13);
        EXPECT_EQ(game->skill, expected);
    }
    game->MenuKey('x');
    game->MenuMove(101);
    EXPECT_EQ(game->menuCursor, 4);
    game->MenuMove(103);
    game->MenuMove(103);
    game->MenuKey(32);
    EXPECT_FALSE(game->showNext);
    game->MenuMove(103);
    game->MenuMove(103);
    game->MenuKey(13);
    EXPECT_EQ(game->state, HallOfFame);
    EXPECT_EQ(game->menuCursor, 3); // only the title menu resets it
    EXPECT_EQ(game->skill, 1);
}

TEST_F(GameStates, LeavingTheHallOfFameStartsAfreshButKeepsTheMenuChoices) {
    BeginPlay();
    game->skill = 2;
    game->showNext = false;
    game->score = 120;
    game->wordsMade = 7;
    game->SetCell(3, 7, 'Q');
    game->recentWords.push_front(FoundWord{"CAT", 0, 7, 3, false, 9, 0});
    game->Keyboard(27, 0, 0);
    game->Keyboard(27, 0, 0);
    ASSERT_EQ(game->state, HallOfFame);
    game->Keyboard('x', 0, 0);
    EXPECT_EQ(game->state, TitleMenu);
    EXPECT_EQ(game->score + game->wordsMade + game->Cell(3, 7), 0);
    EXPECT_TRUE(game->recentWords.empty());
    EXPECT_EQ(game->skill, 2);
    EXPECT_FALSE(game->showNext);
    EXPECT_EQ(game->minWordLength, 4); // Advanced starts at four letters
}

using GameStatesDeathTest = GameStates;

TEST_F(GameStatesDeathTest, ExitItemEscapeAndAClickOnExitEndTheProcess) {
    StartSeeded();
    EXPECT_EXIT(game->MenuKey(27), ::testing::ExitedWithCode(0), "");
    game->menuCursor = 4;
    EXPECT_EXIT(game->MenuKey(32), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(game->MouseDown(2, 0, 0), ::testing::ExitedWithCode(0), "");
}

} // namespace

// Start, the screen states' entry actions and the title menu.

#include "tests/support/GameFixture.h"

namespace {

const std::vector<std::string> Words = {"ANT", "CAT", "DOG", "QUIZ", "LEMON", "ORANGE"};

class GameStates : public GameTest {
protected:
    void SetUp() override { MakeGame(Words); }
};

TEST_F(GameStates, StartEntersTheTitleMenuOnBeginGame) {
    ASSERT_TRUE(game->Start());
    EXPECT_EQ(game->state, TitleMenu);
    EXPECT_EQ(game->menuCursor, 2);
    EXPECT_EQ(game->level, 1);
    EXPECT_EQ(game->minWordLength, 3);
    // The first start raises the target length from 0 to the shortest word.
    EXPECT_EQ(game->targetLength, 3);
    EXPECT_EQ(std::string(game->dictionary.WordAt(game->targetIndex)).size(), 3u);
    EXPECT_EQ(game->idleCount, 1);
}

TEST_F(GameStates, EmptyWordListRefusesToStart) {
    TempFolder empty;
    WriteDictionary(empty, {});
    auto lonely = MakeGameIn(empty);
    lonely->state = WellSweep;
    EXPECT_FALSE(lonely->Start());
    EXPECT_EQ(lonely->state, WellSweep);
    EXPECT_EQ(lonely->idleCount, 1); // the idle request is made all the same
}

TEST_F(GameStates, MenuCyclesSkillAndShowNextAndWrapsTheCursor) {
    StartSeeded();
    game->menuCursor = 0;
    const int skills[] = {2, 0, 1};
    for (int expected : skills) {
        game->MenuKey(13);
        EXPECT_EQ(game->skill, expected);
    }
    game->MenuKey(32);
    EXPECT_EQ(game->skill, 2);
    game->MenuKey('x');
    EXPECT_EQ(game->skill, 2);

    game->MenuMove(101);
    EXPECT_EQ(game->menuCursor, 4);
    game->MenuMove(103);
    EXPECT_EQ(game->menuCursor, 0);
    game->MenuMove(103);
    game->MenuKey(32);
    EXPECT_FALSE(game->showNext);
    game->MenuMove(100); // left and right do nothing on the menu
    EXPECT_EQ(game->menuCursor, 1);
}

TEST_F(GameStates, HallOfFameKeepsTheCursorTitleMenuResetsIt) {
    StartSeeded();
    game->menuCursor = 3;
    game->MenuKey(13);
    EXPECT_EQ(game->state, HallOfFame);
    EXPECT_EQ(game->menuCursor, 3);
    EXPECT_DOUBLE_EQ(game->viewCentreX, 10.0);
    EXPECT_DOUBLE_EQ(game->viewCentreY, 7.5);
    game->SetState(TitleMenu);
    EXPECT_EQ(game->menuCursor, 2);
}

TEST_F(GameStates, NewGamePassesOnToTheFirstDelay) {
    StartSeeded();
    game->delayTime = 3.0;
    game->MenuKey(13);
    EXPECT_EQ(game->state, BlockDelay);
    EXPECT_DOUBLE_EQ(game->delayTime, 0.0);
    EXPECT_DOUBLE_EQ(game->viewCentreX, 5.5);
    EXPECT_DOUBLE_EQ(game->viewCentreY, 12.0);
    EXPECT_EQ(game->targetLength, 4);
    EXPECT_STREQ(game->dictionary.WordAt(game->targetIndex), "QUIZ");
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
    EXPECT_EQ(game->score, 0);
    EXPECT_EQ(game->wordsMade, 0);
    EXPECT_EQ(game->Cell(3, 7), 0);
    EXPECT_TRUE(game->recentWords.empty());
    EXPECT_EQ(game->skill, 2);
    EXPECT_FALSE(game->showNext);
    EXPECT_EQ(game->minWordLength, 4); // Advanced starts at four letters
}

TEST_F(GameStates, StateOutsideTheTableRunsNoEntryAndNoUpdate) {
    StartSeeded();
    game->spinAngle = 1.0;
    game->SetState(11);
    EXPECT_EQ(game->state, 11);
    game->Update(0.5);
    EXPECT_DOUBLE_EQ(game->spinAngle, 1.0);
}

using GameStatesDeathTest = GameStates;

TEST_F(GameStatesDeathTest, ExitItemAndEscapeEndTheProcess) {
    StartSeeded();
    EXPECT_EXIT(game->MenuKey(27), ::testing::ExitedWithCode(0), "");
    game->menuCursor = 4;
    EXPECT_EXIT(game->MenuKey(32), ::testing::ExitedWithCode(0), "");
    // A click of any button is an Enter.
    EXPECT_EXIT(game->MouseDown(2, 0, 0), ::testing::ExitedWithCode(0), "");
}

} // namespace

// Keys, mouse buttons and the pointer in every state.

#include "tests/support/GameFixture.h"

class GameInput : public GameTest {
  protected:
    void SetUp() override { MakeGame({"ANT", "CAT", "QUIZ"}); }
};

TEST_F(GameInput, TabPausesAnyKeyResumesArrowsSteerEscapeGivesUp) {
    Begin();
    game->nextLetter = '?';
    game->Update(0.25);
    for (int key : {KeyEscape, KeyTab, int('e'), -1}) { // each only resumes; -1 a click
        game->Keyboard(KeyTab, 0, 0);
        EXPECT_EQ(game->state, Paused);
        key < 0 ? game->MouseDown(0, 0, 0) : game->Keyboard(key, 0, 0);
        EXPECT_EQ(game->state, BlockFalling);
    }
    game->Keyboard(KeyTab, 0, 0);
    game->Update(1.0);
    EXPECT_DOUBLE_EQ(game->blockHeight, WordGame::SpawnHeight);
    game->Special(ArrowLeft, 0, 0); // steps while paused
    game->Keyboard(KeyTab, 0, 0);
    game->Keyboard(KeyEnter, 0, 0);    // nothing in play
    EXPECT_EQ(game->blockLetter, '?'); // the 'e' only resumed
    for (int key : {'5', 'q', 'z'})    // a '?' block takes the first letter typed
        game->Keyboard(key, 0, 0);
    EXPECT_EQ(game->blockLetter, 'Q');
    game->SetCell(5, 14, 'X');
    game->Special(ArrowRight, 0, 0); // the cell to the right is taken
    EXPECT_EQ(game->blockColumn, 4);
    game->fastDrop = true;
    game->Update(1.0); // at most a quarter row per update
    EXPECT_DOUBLE_EQ(game->blockHeight, WordGame::SpawnHeight - 0.25);
    game->Keyboard(KeyEscape, 0, 0);
    EXPECT_EQ(game->state, GameOver);
}

TEST_F(GameInput, GameOverNamesAndTheWayBackFromTheHallOfFame) {
    Begin();
    game->Keyboard(KeyEscape, 0, 0); // 0 does not beat "Nobody" at 0
    game->Keyboard('a', 0, 0);
    EXPECT_EQ(game->playerName, "");
    Begin();
    game->score = 70;
    game->Keyboard(KeyEscape, 0, 0);
    game->Keyboard(KeyBackspace, 0, 0); // nothing to remove yet
    std::string typed; // every printable character is kept, far past the 29 stored
    for (int i = 0; i < 40; ++i)
        game->Keyboard(typed.append(1, static_cast<char>(' ' + i * 7 % 95)).back(), 0, 0);
    for (int key : {KeyBackspace, 200}) // 200 is not printable
        game->Keyboard(key, 0, 0);
    typed.pop_back();
    EXPECT_EQ(game->playerName, typed);
    game->Keyboard(KeyEscape, 0, 0); // leaves without recording
    EXPECT_EQ(game->state, HallOfFame);
    EXPECT_EQ(game->highScores.entries[9].score, 0);
    // A click is an Enter; with nothing typed it records an empty name.
    Begin();
    game->score = 70;
    game->wordsMade = 3;
    game->Keyboard(KeyEscape, 0, 0);
    game->MouseDown(2, 0, 0);
    const HighScoreEntry& top = game->highScores.entries[9];
    EXPECT_EQ(std::string(top.name) + std::to_string(top.score) + std::to_string(top.words), "703");
    // Any key leads back to the menu: the well empty, skill and "show next" kept.
    game->skill = 2;
    game->showNext = false;
    game->SetCell(4, 7, 'Q');
    game->Keyboard('x', 0, 0);
    EXPECT_EQ(game->state, TitleMenu);
    for (int column = 0; column < WordGame::WellColumns; ++column)
        EXPECT_EQ(Column(column), std::string(15, '.'));
    EXPECT_EQ(game->skill * 10 + game->showNext + game->score, 20);
}

TEST_F(GameInput, TitleMenuKeysClicksAndThePointerBands) {
    Begin(1, false);
    for (int key : {ArrowUp, ArrowUp, ArrowUp, ArrowDown}) // wraps to Exit and back
        game->Special(key, 0, 0);
    EXPECT_EQ(game->menuCursor, 0);
    for (int skill : {2, 0, 1}) { // a click is an Enter
        game->MouseDown(0, 0, 0);
        EXPECT_EQ(game->skill, skill);
    }
    game->Special(ArrowDown, 0, 0);
    game->Keyboard(KeySpace, 0, 0);
    EXPECT_FALSE(game->showNext);
    EXPECT_EXIT(game->Keyboard(KeyEscape, 0, 0), ::testing::ExitedWithCode(0), "");
    game->menuCursor = 4;
    EXPECT_EXIT(game->Keyboard(KeySpace, 0, 0), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(game->MouseDown(2, 0, 0), ::testing::ExitedWithCode(0), "");
    game->height = 600; // 40 pixels to a fifteenth; v = 15 - y / 40
    const double bands[5] = {6.0, 5.0, 4.0, 3.0, 1.5};
    std::copy(bands, bands + 5, game->menuBands);
    // v 6 (a lower edge), v 7 (above every band), v 5, v 2, v 3, v 2.5 (an upper edge)
    const int ys[] = {360, 320, 400, 520, 480, 500}, cursors[] = {0, 0, 1, 4, 3, 3};
    for (int i = 0; i < 6; ++i) {
        game->PassiveMotion(0, ys[i]);
        EXPECT_EQ(game->menuCursor, cursors[i]) << "y " << ys[i];
    }
    game->SetState(HallOfFame);
    game->PassiveMotion(0, 360);
    EXPECT_EQ(game->menuCursor, 3);
    game->Keyboard(KeyEnter, 0, 0);
    game->Keyboard(KeyEnter, 0, 0); // Begin Game
    EXPECT_EQ(game->state, BlockDelay);
}

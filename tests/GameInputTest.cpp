// Keys, mouse buttons and the pointer in every state.

#include "tests/support/GameFixture.h"

class GameInput : public GameTest {
  protected:
    void SetUp() override { MakeGame("ANT\nCAT\nQUIZ\n"); }
};

TEST_F(GameInput, PauseAWildcardATakenCellGameOverNamesAndTheHallOfFame) {
    Begin();
    game->nextLetter = '?';
    game->Update(0.25);
    for (int key : {int('e'), -1}) { // -1 a click; the 'e' only resumes
        game->Keyboard(KeyTab, 0, 0);
        game->Update(1.0);
        game->Special(ArrowLeft, 0, 0);
        key < 0 ? game->MouseDown(0, 0, 0) : game->Keyboard(key, 0, 0);
        EXPECT_EQ(game->state, BlockFalling);
    }
    for (int key : {int('5'), 0xe4, int('q'), int('z')}) // a '?' takes the first letter; ä is none
        game->Keyboard(key, 0, 0);
    game->SetCell(4, 14, 'X');
    game->Special(ArrowRight, 0, 0); // the cell to the right is taken
    EXPECT_EQ(std::make_tuple(game->blockLetter, game->blockColumn, game->blockHeight),
              std::make_tuple('Q', 3, 14.0));
    Begin(); // game over: names and the way back from the Hall of Fame
    game->score = 70;
    game->Keyboard(KeyEscape, 0, 0);
    for (int key : {KeyBackspace, int('A'), int('~'), int(' '), 200, KeyBackspace})
        game->Keyboard(key, 0, 0); // 200 is not printable
    EXPECT_EQ(game->playerName, "A~");
    Begin(); // a click is an Enter; with nothing typed it records an empty name
    game->score = 70;
    game->wordsMade = 3;
    game->Keyboard(KeyEscape, 0, 0);
    game->MouseDown(2, 0, 0);
    const HighScoreEntry& top = game->highScores.entries[9];
    EXPECT_EQ(std::make_tuple(std::string(top.name), top.score, top.words),
              std::make_tuple("", 70, 3));
    // Any key leads back to the menu: the well empty, skill and "show next" kept.
    game->skill = 2;
    game->showNext = false;
    game->SetCell(4, 7, 'Q');
    game->Keyboard('x', 0, 0);
    EXPECT_EQ(game->state, TitleMenu);
    EXPECT_EQ(std::make_tuple(Column(4), game->skill, game->showNext, game->score),
              std::make_tuple(std::string(15, '.'), 2, false, 0));
}

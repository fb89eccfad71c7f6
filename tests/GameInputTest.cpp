// Keys, mouse buttons and the pointer in every state.

#include "tests/support/GameFixture.h"

class GameInput : public GameTest {
  protected:
    void SetUp() override { MakeGame({"ANT", "CAT", "QUIZ"}); }
};

TEST_F(GameInput, PausedBlockStaysAndStepsAnyKeyOrClickResumesATakenCellIsRefused) {
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
    for (int key : {'5', 'q', 'z'}) // a '?' block takes the first letter typed
        game->Keyboard(key, 0, 0);
    game->SetCell(4, 14, 'X');
    game->Special(ArrowRight, 0, 0); // the cell to the right is taken
    EXPECT_EQ(game->blockLetter + std::to_string(game->blockColumn) + " " +
                  std::to_string(game->blockHeight),
              "Q3 14.000000");
}

TEST_F(GameInput, GameOverNamesAndTheWayBackFromTheHallOfFame) {
    Begin();
    game->Keyboard(KeyEscape, 0, 0); // 0 does not beat "Nobody" at 0
    game->Keyboard('a', 0, 0);
    EXPECT_EQ(game->playerName, "");
    Begin();
    game->score = 70;
    game->Keyboard(KeyEscape, 0, 0);
    for (int key : {KeyBackspace, int('A'), int('~'), int(' '), 200, KeyBackspace})
        game->Keyboard(key, 0, 0); // 200 is not printable
    EXPECT_EQ(game->playerName, "A~");
    game->Keyboard(KeyEscape, 0, 0); // leaves without recording
    EXPECT_EQ(game->state * 1000 + game->highScores.entries[9].score, HallOfFame * 1000);
    Begin(); // a click is an Enter; with nothing typed it records an empty name
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
    EXPECT_EQ(Column(4) + std::to_string(game->skill * 10 + game->showNext + game->score),
              std::string(15, '.') + "20");
}

TEST_F(GameInput, TitleMenuPointerBandsAndExit) {
    Begin(1, false);
    game->height = 600; // 40 pixels to a fifteenth; v = 15 - y / 40
    const double bands[5] = {6.0, 5.0, 4.0, 3.0, 1.5};
    std::copy(bands, bands + 5, game->menuBands);
    // v 6 (a lower edge), v 7 (above every band), v 5, v 2, v 3, v 2.5 (an upper edge)
    for (const auto& [y, item] :
         {std::pair{360, 0}, {320, 0}, {400, 1}, {520, 4}, {480, 3}, {500, 3}}) {
        game->PassiveMotion(0, y);
        EXPECT_EQ(game->menuCursor, item) << "y " << y;
    }
    game->SetState(HallOfFame);
    game->PassiveMotion(0, 560);
    EXPECT_EQ(game->menuCursor, 3);
    game->SetState(TitleMenu);
    EXPECT_EXIT(game->Keyboard(KeyEscape, 0, 0), ::testing::ExitedWithCode(0), "");
}

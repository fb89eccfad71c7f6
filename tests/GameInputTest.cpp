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
        game->Update(1.0);
        EXPECT_EQ(game->state * 100 + game->blockHeight, Paused * 100 + 14.0);
        key < 0 ? game->MouseDown(0, 0, 0) : game->Keyboard(key, 0, 0);
        EXPECT_EQ(game->state, BlockFalling);
    }
    game->Keyboard(KeyTab, 0, 0);
    game->Special(ArrowLeft, 0, 0); // steps while paused
    game->Keyboard(KeyTab, 0, 0);
    game->Keyboard(KeyEnter, 0, 0); // nothing in play; the 'e' only resumed
    for (int key : {'5', 'q', 'z'}) // a '?' block takes the first letter typed
        game->Keyboard(key, 0, 0);
    game->SetCell(5, 14, 'X');
    game->Special(ArrowRight, 0, 0); // the cell to the right is taken
    EXPECT_EQ(game->blockLetter + std::to_string(game->blockColumn), "Q4");
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
    EXPECT_EQ(game->playerName + "|", typed.substr(0, 39) + "|");
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

TEST_F(GameInput, TitleMenuExitsAndThePointerBandsSelectItems) {
    Begin(1, false);
    EXPECT_EXIT(game->Keyboard(KeyEscape, 0, 0), ::testing::ExitedWithCode(0), "");
    game->menuCursor = 4;
    EXPECT_EXIT(game->MouseDown(2, 0, 0), ::testing::ExitedWithCode(0), "");
    game->height = 600; // 40 pixels to a fifteenth; v = 15 - y / 40
    const double bands[5] = {6.0, 5.0, 4.0, 3.0, 1.5};
    std::copy(bands, bands + 5, game->menuBands);
    // v 6 (a lower edge), v 7 (above every band), v 5, v 2, v 3, v 2.5 (an upper edge)
    for (const auto& [y, item] : {std::pair{360, 0}, {320, 0}, {400, 1}, {520, 4}, {480, 3},
                                  {500, 3}}) {
        game->PassiveMotion(0, y);
        EXPECT_EQ(game->menuCursor, item) << "y " << y;
    }
    game->SetState(HallOfFame);
    game->PassiveMotion(0, 360);
    EXPECT_EQ(game->menuCursor, 3);
}

// Keys, mouse buttons and the pointer in every state.

#include <fstream>
#include <iterator>

#include "tests/support/GameFixture.h"

namespace {

class GameInput : public GameTest {
protected:
    void SetUp() override { MakeGame({"ANT", "CAT", "QUIZ"}); }
    void Spawn(char letter) {
        BeginPlay();
        game->nextLetter = letter;
        game->Update(0.25);
        ASSERT_EQ(game->state, BlockFalling);
    }
    void EndGame(int score) {
        BeginPlay();
        game->score = score;
        game->Keyboard(27, 0, 0);
        ASSERT_EQ(game->state, GameOver);
    }
};

TEST_F(GameInput, TabPausesAnyKeyResumesEscapeGivesUp) {
    Spawn('A');
    game->Keyboard(9, 0, 0);
    EXPECT_EQ(game->state, Paused);
    const double height = game->blockHeight;
    game->Update(1.0);
    EXPECT_DOUBLE_EQ(game->blockHeight, height);
    game->Special(100, 0, 0); // steps while paused
    EXPECT_EQ(game->blockColumn, 4);
    for (int key : {27, 9, int('e')}) { // each only resumes
        game->Keyboard(key, 0, 0);
        EXPECT_EQ(game->state, BlockFalling);
        game->Keyboard(9, 0, 0);
    }
    game->MouseDown(0, 0, 0);
    EXPECT_EQ(game->state, BlockFalling);
    game->Keyboard(13, 0, 0); // Enter does nothing in play
    EXPECT_EQ(game->state, BlockFalling);
    game->Keyboard(27, 0, 0);
    EXPECT_EQ(game->state, GameOver);
}

TEST_F(GameInput, WildcardTakesTheFirstLetterTyped) {
    Spawn('?');
    game->Keyboard('5', 0, 0);
    EXPECT_EQ(game->blockLetter, '?');
    game->Keyboard('q', 0, 0);
    game->Keyboard('z', 0, 0);
    EXPECT_EQ(game->blockLetter, 'Q');
    Spawn('?');
    game->Keyboard(9, 0, 0);
    game->Keyboard('e', 0, 0); // while paused a letter only resumes
    EXPECT_EQ(game->blockLetter, '?');
}

TEST_F(GameInput, ArrowsStepWithinTheWellAndDownIsHeld) {
    Spawn('A');
    game->SetCell(6, 14, 'X');
    game->Special(102, 0, 0); // the cell to the right is taken
    EXPECT_EQ(game->blockColumn, 5);
    for (int i = 0; i < 8; ++i)
        game->Special(100, 0, 0);
    EXPECT_EQ(game->blockColumn, 0); // the wall stops it
    game->Special(103, 0, 0);
    game->Special(101, 0, 0);
    EXPECT_TRUE(game->fastDrop);
    // On the menu down only moves the cursor; its release clears fastDrop.
    game->fastDrop = false;
    game->SetState(TitleMenu);
    game->Special(103, 0, 0);
    EXPECT_EQ(game->menuCursor, 3);
    EXPECT_FALSE(game->fastDrop);
    game->fastDrop = true;
    game->SpecialUp(103, 0, 0);
    EXPECT_FALSE(game->fastDrop);
}

TEST_F(GameInput, NameEntryKeepsEveryCharacterAndReachesTheFile) {
    EndGame(50);
    ASSERT_TRUE(game->nameQualifies);
    game->Keyboard(8, 0, 0); // nothing to remove
    std::string typed;
    for (int i = 0; i < 40; ++i) {
        typed += static_cast<char>('a' + i % 26);
        game->Keyboard(typed.back(), 0, 0);
    }
    game->Keyboard(200, 0, 0); // not printable
    game->Keyboard(8, 0, 0);
    typed.pop_back();
    EXPECT_EQ(game->playerName, typed);
    game->MouseDown(1, 0, 0); // a click confirms the name
    EXPECT_EQ(game->state, HallOfFame);
    EXPECT_EQ(std::string(game->highScores.entries[9].name), typed.substr(0, 29));
    std::ifstream file(folder.File("glyphtumble.hi"), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), 440u);
    EXPECT_EQ(bytes.substr(396, 29), typed.substr(0, 29));
}

TEST_F(GameInput, GameOverKeysThatStoreNothingOrAnEmptyName) {
    EndGame(0); // does not beat "Nobody" at 0
    game->Keyboard('a', 0, 0);
    EXPECT_EQ(game->playerName, "");
    game->Keyboard(13, 0, 0);
    EXPECT_EQ(game->state, HallOfFame);
    EndGame(70);
    game->Keyboard('a', 0, 0);
    game->Keyboard(27, 0, 0); // Escape leaves without recording
    EXPECT_EQ(game->highScores.entries[9].score, 0);
    EndGame(70);
    game->Keyboard(13, 0, 0);
    EXPECT_EQ(game->highScores.entries[9].score, 70);
    EXPECT_STREQ(game->highScores.entries[9].name, "");
}

TEST_F(GameInput, PointerBandsSelectMenuItems) {
    StartSeeded();
    game->height = 600; // 40 pixels to a fifteenth; v = 15 - y / 40
    const double bands[5] = {6.0, 5.0, 4.0, 3.0, 1.5};
    std::copy(bands, bands + 5, game->menuBands);
    const std::pair<int, int> moves[] = {
        {360, 0}, // v 6.0, exactly a lower edge
        {320, 0}, // v 7.0, above every band: unchanged
        {400, 1}, // v 5.0: item 1 starts there
        {520, 4}, // v 2.0
        {480, 3}, // v 3.0
        {500, 3}, // v 2.5, item 4's upper edge: unchanged
    };
    for (const auto& [y, cursor] : moves) {
        game->PassiveMotion(0, y);
        EXPECT_EQ(game->menuCursor, cursor) << "y " << y;
    }
    game->SetState(HallOfFame); // elsewhere the pointer does nothing
    game->PassiveMotion(0, 360);
    EXPECT_EQ(game->menuCursor, 3);
}

} // namespace

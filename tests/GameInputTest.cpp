// Keys, mouse buttons and the pointer in every state.

#include <fstream>

#include "tests/support/GameFixture.h"

namespace {

class GameInput : public GameTest {
protected:
    void SetUp() override { MakeGame({"ANT", "CAT", "DOG", "QUIZ"}); }
    // The block has spawned and falls in column 5.
    void Spawn(char letter) {
        BeginPlay();
        game->nextLetter = letter;
        game->Update(0.25);
        ASSERT_EQ(game->state, BlockFalling);
    }
    void EndGame(int score) {
        game->score = score;
        game->Keyboard(27, 0, 0);
        ASSERT_EQ(game->state, GameOver);
    }
};

TEST_F(GameInput, TabPausesAnyKeyResumesEscapeGivesUp) {
    Spawn('A');
    game->Keyboard(9, 0, 0);
    EXPECT_EQ(game->state, Paused);
    EXPECT_EQ(game->pausedState, BlockFalling);
    const double height = game->blockHeight;
    game->Update(1.0);
    EXPECT_DOUBLE_EQ(game->blockHeight, height);
    // Left while paused steps the block; the step shows after resuming.
    game->Special(100, 0, 0);
    EXPECT_EQ(game->blockColumn, 4);
    game->Keyboard(27, 0, 0); // Escape only resumes from the pause
    EXPECT_EQ(game->state, BlockFalling);
    game->Keyboard(9, 0, 0);
    game->Keyboard(9, 0, 0); // so does Tab
    EXPECT_EQ(game->state, BlockFalling);
    game->Keyboard(9, 0, 0);
    game->MouseDown(0, 0, 0); // and a click
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
    EXPECT_EQ(game->blockLetter, 'Q');
    game->Keyboard('z', 0, 0);
    EXPECT_EQ(game->blockLetter, 'Q');
    EXPECT_TRUE(game->wildcardBlock);
    // A letter while paused does not name the block: it only resumes.
    Spawn('?');
    game->Keyboard(9, 0, 0);
    game->Keyboard('e', 0, 0);
    EXPECT_EQ(game->state, BlockFalling);
    EXPECT_EQ(game->blockLetter, '?');
}

TEST_F(GameInput, ArrowsStepHoldDownAndReleaseEverywhere) {
    Spawn('A');
    game->SetCell(6, 14, 'X');
    game->Special(102, 0, 0); // the cell to the right is taken
    EXPECT_EQ(game->blockColumn, 5);
    EXPECT_EQ(game->sideStep, 1);
    game->SpecialUp(102, 0, 0);
    EXPECT_EQ(game->sideStep, 0);
    for (int i = 0; i < 8; ++i)
        game->Special(100, 0, 0);
    EXPECT_EQ(game->blockColumn, 0); // the wall stops it
    game->Special(103, 0, 0);
    EXPECT_TRUE(game->fastDrop);
    game->Special(101, 0, 0); // up changes nothing but the step
    EXPECT_TRUE(game->fastDrop);
    EXPECT_EQ(game->sideStep, 0);

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

TEST_F(GameInput, NameEntryKeepsEveryCharacterAndBackspaces) {
    BeginPlay();
    EndGame(50);
    ASSERT_TRUE(game->nameQualifies);
    game->Keyboard(8, 0, 0); // nothing to remove
    EXPECT_EQ(game->playerName, "");
    std::string typed;
    for (int i = 0; i < 40; ++i) {
        typed += static_cast<char>('a' + i % 26);
        game->Keyboard(typed.back(), 0, 0);
    }
    game->Keyboard(200, 0, 0); // not printable
    game->Keyboard(9, 0, 0);
    EXPECT_EQ(game->playerName, typed);
    game->Keyboard(8, 0, 0);
    typed.pop_back();
    EXPECT_EQ(game->playerName, typed);
    game->Keyboard(' ', 0, 0);
    game->MouseDown(1, 0, 0); // a click confirms the name
    EXPECT_EQ(game->state, HallOfFame);
    const HighScoreEntry& top = game->highScores.entries[9];
    EXPECT_EQ(std::string(top.name), (typed + " ").substr(0, 29));
    EXPECT_EQ(top.score, 50);
    // It reached the file at once.
    std::ifstream file(folder.File("glyphtumble.hi"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), 440u);
    EXPECT_EQ(bytes.substr(396, 5), typed.substr(0, 5));
}

TEST_F(GameInput, GameOverKeysThatStoreNothing) {
    BeginPlay();
    EndGame(0); // does not beat "Nobody" at 0
    EXPECT_FALSE(game->nameQualifies);
    game->Keyboard('a', 0, 0);
    EXPECT_EQ(game->playerName, "");
    game->Keyboard(13, 0, 0);
    EXPECT_EQ(game->state, HallOfFame);
    EXPECT_EQ(std::string(game->highScores.entries[9].name), "Nobody");

    // Escape leaves without recording even a qualifying score.
    BeginPlay();
    EndGame(70);
    game->Keyboard('a', 0, 0);
    game->Keyboard(27, 0, 0);
    EXPECT_EQ(game->state, HallOfFame);
    EXPECT_EQ(game->highScores.entries[9].score, 0);

    // Enter with nothing typed stores an empty name.
    BeginPlay();
    EndGame(70);
    game->Keyboard(13, 0, 0);
    EXPECT_EQ(game->highScores.entries[9].score, 70);
    EXPECT_STREQ(game->highScores.entries[9].name, "");
}

TEST_F(GameInput, PointerBandsSelectMenuItems) {
    StartSeeded();
    game->height = 600; // 40 pixels to a fifteenth
    const double bands[5] = {6.0, 5.0, 4.0, 3.0, 1.5};
    std::copy(bands, bands + 5, game->menuBands);
    struct Case {
        int y;
        int cursor;
    };
    // y counts from the top: v = 15 - y / 40.
    const Case cases[] = {{360, 0},  // v 6.0, exactly a lower edge
                          {340, 0},  // v 6.5
                          {320, 0},  // v 7.0, above every band: unchanged
                          {400, 1},  // v 5.0, the upper edge of item 1 is item 0's lower edge
                          {480, 3},  // v 3.0
                          {520, 4},  // v 2.0, item 4's band is 1.5 to 2.5
                          {500, 4},  // v 2.5, its upper edge: unchanged
                          {560, 4},  // v 1.0, below every band: unchanged
                          {440, 2}}; // v 4.0
    game->menuCursor = 2;
    for (const Case& c : cases) {
        game->PassiveMotion(0, c.y);
        EXPECT_EQ(game->menuCursor, c.cursor) << "y " << c.y;
    }
    game->SetState(HallOfFame); // elsewhere the pointer does nothing
    game->PassiveMotion(0, 360);
    EXPECT_EQ(game->menuCursor, 2);
}

} // namespace

// One whole game through the game's own keys: the title menu, a word, a chain,
// the target and its sweep, a full column, the name and the Hall of Fame file.

#include <fstream>
#include <iterator>

#include "tests/support/GameFixture.h"

class GamePlay : public GameTest {
  protected:
    void SetUp() override { MakeGame({"ANT", "DOG", "LEMON", "QUIZ"}); }
    void DropAll(std::initializer_list<std::pair<char, int>> blocks) {
        for (const auto& [letter, column] : blocks) {
            Drop(letter, column);
            for (int i = 0; i < 1000 && game->state != BlockDelay && game->state != GameOver; ++i)
                game->Update(1.0 / 60.0);
        }
    }
};

TEST_F(GamePlay, WholeGameFromTheMenuToTheHallOfFameFile) {
    Begin(2024, false);
    for (int key : {ArrowUp, ArrowUp, ArrowUp}) // Begin Game, Show Next, Skill, Exit
        game->Special(key, 0, 0);
    EXPECT_EQ(game->menuCursor, 4);
    game->Special(ArrowDown, 0, 0);
    for (int skill : {2, 0, 1}) { // a click is an Enter
        game->MouseDown(0, 0, 0);
        EXPECT_EQ(game->skill, skill);
    }
    game->Special(ArrowDown, 0, 0);
    game->Keyboard(KeySpace, 0, 0);
    EXPECT_FALSE(game->showNext);
    game->Keyboard(KeyEnter, 0, 0);
    game->Special(ArrowDown, 0, 0);
    game->Keyboard(KeySpace, 0, 0); // Begin Game
    ASSERT_EQ(game->state, BlockDelay);

    // Row 7 grows to ANTOG with a D under the T: ANT goes, the D rises into
    // the gap and DOG follows as the chain of the same landing.
    DropAll({{'D', 2}, {'T', 2}, {'O', 3}, {'G', 4}, {'A', 0}});
    DropAll({{'N', 1}});
    EXPECT_EQ(game->score, 4 + 18);
    EXPECT_EQ(Row(7), "...........");
    // The target word: 45 points and 32 more, then the well is swept.
    DropAll({{'Q', 5}, {'U', 6}, {'I', 7}, {'Z', 8}});
    EXPECT_EQ(game->score, 22 + 77);
    std::string recent; // newest first, with their flags
    for (const FoundWord& word : game->recentWords)
        recent += word.word + std::to_string(word.flags);
    EXPECT_EQ(recent, "QUIZ4DOG2ANT0");
    EXPECT_STREQ(game->dictionary.WordAt(game->targetIndex), "LEMON");

    for (int i = 0; i < 15 && game->state == BlockDelay; ++i) // a full column ends the game
        DropAll({{'X', 5}});
    ASSERT_EQ(game->state, GameOver);
    game->Keyboard(KeyBackspace, 0, 0); // nothing to remove yet
    std::string typed;                  // every printable character is kept, far past the 29 stored
    for (int i = 0; i < 40; ++i)
        game->Keyboard(typed.append(1, static_cast<char>('a' + i % 26)).back(), 0, 0);
    for (int key : {KeyBackspace, 200}) // 200 is not printable
        game->Keyboard(key, 0, 0);
    typed.pop_back();
    EXPECT_EQ(game->playerName, typed);
    game->MouseDown(1, 0, 0);
    ASSERT_EQ(game->state, HallOfFame);
    std::ifstream file(folder + "/glyphtumble.hi", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    ASSERT_EQ(bytes.size(), 440u);
    // The top record: the name in 30 bytes, 2 of padding, then score, words and
    // skill as little-endian 32-bit numbers.
    EXPECT_EQ(bytes.substr(396, 30) + bytes.substr(428, 12),
              typed.substr(0, 29) + '\0' + std::string("\x63\0\0\0\x03\0\0\0\x01\0\0\0", 12));
    game->Keyboard('k', 0, 0); // any key: a fresh game on the title menu
    EXPECT_EQ(game->state, TitleMenu);
    EXPECT_EQ(game->score + game->wordsMade + game->recentWords.size(), 0u);
}

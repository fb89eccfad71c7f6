// One whole game played through the game's own keys and updates: the title
// menu, a word, a chain, the target word and its sweep, a full column, the
// name entry and the Hall of Fame file on disk.

#include <cstdint>
#include <fstream>
#include <iterator>

#include "tests/support/GameFixture.h"

namespace {

std::int32_t LittleEndian(const std::string& bytes, size_t offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
    return static_cast<std::int32_t>(value);
}

class GamePlay : public GameTest {
protected:
    void SetUp() override { MakeGame({"ANT", "DOG", "QUIZ", "LEMON"}); }
    void DropAndRest(char letter, int column) {
        Drop(letter, column);
        RunToRest(1.0 / 60.0);
    }
};

TEST_F(GamePlay, WholeGameFromTheMenuToTheHallOfFameFile) {
    StartSeeded(2024);
    game->Special(101, 0, 0);
    game->Special(101, 0, 0);
    game->MouseDown(0, 0, 0); // Skill Level: Advanced
    game->MouseDown(0, 0, 0); // Beginner
    game->MouseDown(0, 0, 0); // Intermediate again
    game->Special(103, 0, 0);
    game->Special(103, 0, 0);
    game->Keyboard(' ', 0, 0); // Begin Game
    ASSERT_EQ(game->state, BlockDelay);
    ASSERT_STREQ(game->dictionary.WordAt(game->targetIndex), "QUIZ");

    // Row 7 grows to ANTOG with a D under the T: ANT, then DOG as its chain.
    for (const auto& [letter, column] : {std::pair{'D', 2}, {'T', 2}, {'O', 3}, {'G', 4}, {'A', 0}})
        DropAndRest(letter, column);
    EXPECT_EQ(Row(7), "A.TOG......");
    EXPECT_EQ(game->score, 0);
    DropAndRest('N', 1);
    EXPECT_EQ(game->score, 4 + 18);
    EXPECT_EQ(Row(7), "...........");

    // The target word: 45 points and 32 more, then the well is swept.
    for (const auto& [letter, column] : {std::pair{'Q', 5}, {'U', 6}, {'I', 7}, {'Z', 8}})
        DropAndRest(letter, column);
    EXPECT_EQ(game->score, 22 + 77);
    EXPECT_STREQ(game->dictionary.WordAt(game->targetIndex), "LEMON");
    ASSERT_EQ(game->recentWords.size(), 3u);
    const char* words[] = {"QUIZ", "DOG", "ANT"};
    const int flags[] = {FlagTarget, FlagChain, 0};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(game->recentWords[i].word, words[i]);
        EXPECT_EQ(game->recentWords[i].flags, flags[i]);
    }

    // Fifteen letters in one column end the game.
    for (int i = 0; i < 15; ++i) {
        ASSERT_EQ(game->state, BlockDelay) << "block " << i;
        DropAndRest('X', 5);
    }
    ASSERT_EQ(game->state, GameOver);
    ASSERT_TRUE(game->nameQualifies);
    for (char key : std::string("Adx"))
        game->Keyboard(key, 0, 0);
    game->Keyboard(8, 0, 0);
    game->Keyboard('a', 0, 0);
    game->Keyboard(13, 0, 0);
    ASSERT_EQ(game->state, HallOfFame);

    std::ifstream file(folder.File("glyphtumble.hi"), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), 440u);
    const size_t top = 9 * 44;
    EXPECT_EQ(bytes.substr(top, 30), std::string("Ada") + std::string(27, '\0'));
    EXPECT_EQ(LittleEndian(bytes, top + 32), 99);
    EXPECT_EQ(LittleEndian(bytes, top + 36), 3);
    EXPECT_EQ(LittleEndian(bytes, top + 40), 1);
    EXPECT_EQ(bytes.substr(0, 7), std::string("Nobody") + '\0');
    EXPECT_EQ(LittleEndian(bytes, 32), 0);

    game->Keyboard('k', 0, 0);
    EXPECT_EQ(game->state, TitleMenu);
    EXPECT_EQ(game->score, 0);
}

} // namespace

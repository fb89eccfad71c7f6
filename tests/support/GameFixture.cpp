#include "tests/support/GameFixture.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "glyphtumble-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        ADD_FAILURE() << "can't make a temporary folder";
    path = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

void WriteDictionary(const TempFolder& folder, std::vector<std::string> words) {
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    std::ofstream out(folder.File("dictionary.txt"), std::ios::binary);
    for (const std::string& word : words)
        out << word << '\n';
}

std::unique_ptr<WordGame> MakeGameIn(const TempFolder& folder) {
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path);
    auto game = std::make_unique<WordGame>();
    std::filesystem::current_path(previous);
    return game;
}

void GameTest::MakeGame(const std::vector<std::string>& words) {
    WriteDictionary(folder, words);
    game = MakeGameIn(folder);
}

void GameTest::StartSeeded(unsigned seed) {
    ASSERT_TRUE(game->Start());
    std::srand(seed);
}

void GameTest::BeginPlay(unsigned seed) {
    StartSeeded(seed);
    game->Keyboard(13, 0, 0);
    ASSERT_EQ(game->state, BlockDelay);
}

void GameTest::Drop(char letter, int column) {
    ASSERT_EQ(game->state, BlockDelay);
    game->nextLetter = letter;
    game->Update(WordGame::BlockDelayLength);
    ASSERT_EQ(game->state, BlockFalling);
    ASSERT_EQ(game->blockLetter, letter);
    game->bonusBlock = false;
    while (game->blockColumn != column) {
        const int before = game->blockColumn;
        const int key = column < game->blockColumn ? 100 : 102;
        game->Special(key, 0, 0);
        game->SpecialUp(key, 0, 0);
        ASSERT_NE(game->blockColumn, before) << "the way to column " << column << " is blocked";
    }
    game->Special(103, 0, 0);
    for (int i = 0; i < 100 && game->state == BlockFalling; ++i)
        game->Update(0.05);
    game->SpecialUp(103, 0, 0);
    ASSERT_EQ(game->state, Settling);
}

void GameTest::RunToRest(double dt) {
    for (int i = 0; i < 1000; ++i) {
        if (game->state == BlockDelay || game->state == GameOver)
            return;
        game->Update(dt);
    }
    FAIL() << "the game never came to rest, state " << game->state;
}

std::string GameTest::Column(int column) const {
    std::string letters;
    for (int row = 0; row < WordGame::WellRows; ++row)
        letters += game->Cell(column, row) ? game->Cell(column, row) : '.';
    return letters;
}

std::string GameTest::Row(int row) const {
    std::string letters;
    for (int column = 0; column < WordGame::WellColumns; ++column)
        letters += game->Cell(column, row) ? game->Cell(column, row) : '.';
    return letters;
}

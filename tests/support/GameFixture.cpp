#include "tests/support/GameFixture.h"

void GameTest::MakeGame(const std::string& list) {
    folder.Write("dictionary.txt",
                 list.empty() ? TempDir::Read(GLYPHTUMBLE_DATA_DIR "/dictionary.txt") : list);
    game = std::make_unique<WordGame>();
}

void GameTest::Begin(unsigned seed, bool play) {
    ASSERT_TRUE(game->Start());
    std::srand(seed);
    if (play)
        game->Keyboard(KeyEnter, 0, 0);
    ASSERT_EQ(game->state, play ? BlockDelay : TitleMenu);
}

void GameTest::Drop(char letter, int column) {
    game->nextLetter = letter;
    game->Update(WordGame::BlockDelayLength);
    game->bonusBlock = false;
    for (int i = 0; i < 10 && game->blockColumn != column; ++i)
        game->Special(column < game->blockColumn ? ArrowLeft : ArrowRight, 0, 0);
    game->Special(ArrowDown, 0, 0);
    for (int i = 0; i < 100 && game->state == BlockFalling; ++i)
        game->Update(0.05);
    game->SpecialUp(ArrowDown, 0, 0);
    ASSERT_EQ(game->state, Settling);
    ASSERT_EQ(game->landingColumn, column) << "the way to column " << column << " is blocked";
}

void GameTest::Put(int column, int row, const std::string& letters, bool vertical) {
    for (int i = 0; i < static_cast<int>(letters.size()); ++i)
        game->SetCell(vertical ? column : column + i, vertical ? row - i : row,
                      letters[i] == '.' ? 0 : letters[i]);
}

std::string GameTest::Cells(int column, int row, int across, int up) const {
    std::string letters;
    for (; column < WordGame::WellColumns && row < WordGame::WellRows; column += across, row += up)
        letters += game->Cell(column, row) ? game->Cell(column, row) : '.';
    return letters;
}

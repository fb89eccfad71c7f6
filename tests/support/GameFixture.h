#pragma once

// A real WordGame in a fresh temporary folder with a word list of the test's
// own, driven by simulated frame times and key codes. No window is opened.

#include <gtest/gtest.h>

#include "game/Keys.h"
#include "game/WordGame.h"
#include "tests/support/TempDir.h"

class GameTest : public ::testing::Test {
  protected:
    // The game over the words, one a line, or over the full list when "".
    void MakeGame(const std::string& list);
    // Start, a fixed seed, and with play Begin Game: the state is BlockDelay.
    void Begin(unsigned seed = 1, bool play = true);
    // From BlockDelay, a block (no bonus) steered to column and dropped to Settling.
    void Drop(char letter, int column);
    // Writes letters from (column, row) rightwards, or downwards; '.' empties.
    void Put(int column, int row, const std::string& letters, bool vertical = false);
    // A column from row 0 up, or a row from column 0; '.' for an empty cell.
    std::string Column(int column) const { return Cells(column, 0, 0, 1); }
    std::string Row(int row) const { return Cells(0, row, 1, 0); }
    std::string Cells(int column, int row, int across, int up) const;

    TempDir folder{true};
    std::unique_ptr<WordGame> game; // goes first, saving its Hall of Fame in the folder
};

#pragma once

// A real WordGame in a fresh temporary folder with a word list of the test's
// own, driven by simulated frame times and key codes. No window is opened.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/WordGame.h"

// A folder under the system's temporary directory, removed with its contents.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string File(const std::string& name) const { return path + "/" + name; }
    std::string path;
};

// Writes words (sorted here, one per line) as folder/dictionary.txt.
void WriteDictionary(const TempFolder& folder, std::vector<std::string> words);
// Constructs the game with folder as the working directory, then returns to
// the previous one: the game keeps its word list and its open high-score file.
std::unique_ptr<WordGame> MakeGameIn(const TempFolder& folder);

class GameTest : public ::testing::Test {
protected:
    // A game over the given words; Start has not run yet.
    void MakeGame(const std::vector<std::string>& words);
    // Start, then a fixed seed so the dealt letters are known.
    void StartSeeded(unsigned seed = 1);
    // Start, the seed, and Begin Game on the menu: the state is BlockDelay.
    void BeginPlay(unsigned seed = 1);
    // From BlockDelay: spawns a block showing letter (no bonus), steers it to
    // column and drops it fast until it lands. The state is then Settling.
    void Drop(char letter, int column);
    // Updates with dt until the next block is due or the game is over.
    void RunToRest(double dt = 0.1);
    // Letters of a column from row 0 up, a '.' for each empty cell.
    std::string Column(int column) const;
    // Letters of a row from column 0, a '.' for each empty cell.
    std::string Row(int row) const;

    TempFolder folder;
    std::unique_ptr<WordGame> game;
};

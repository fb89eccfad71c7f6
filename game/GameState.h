#pragma once

// The game object's screen-state number.
enum GameState : int {
    TitleMenu = 0,
    NewGame = 1,      // passing state: sets up a game and moves on to BlockDelay
    BlockDelay = 2,   // no falling block, for 0.25 s
    BlockFalling = 3, // the block falls and is steered
    Settling = 4,     // the well's columns close up
    WordScan = 5,     // the well is searched for words
    WordRemoval = 6,  // the words found are credited, one every 0.5 s
    GameOver = 7,     // "GAME OVER", or the name entry
    HallOfFame = 8,
    Paused = 9,
    WellSweep = 10,   // the target word was spelled; the well empties row by row
};
constexpr int GameStateCount = 11;

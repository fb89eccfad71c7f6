// A seeded bot plays whole games over the full word list at every skill, next block shown
// or not, with random keys and frame times, checking the invariants after every update.
// GLYPHTUMBLE_SOAK_GAMES sets the number of games (default 1000).

#include <algorithm>
#include <cstdlib>
#include <random>
#include <utility>

#include "tests/support/GameFixture.h"

using GameSoak = GameTest;

TEST_F(GameSoak, SeededBotKeepsTheInvariantsOverManyGames) {
    const char* text = std::getenv("GLYPHTUMBLE_SOAK_GAMES");
    const int games = text && std::atoi(text) > 0 ? std::atoi(text) : 1000;
    MakeGame({});
    WordGame& g = *game;
    ASSERT_TRUE(g.Start());
    std::mt19937 random(20261206);
    auto number = [&](int below) { return static_cast<int>(random() % below); };
    long sweeps = 0;
    for (int played = 0; played < games; ++played) {
        ASSERT_EQ(g.state, TitleMenu);
        std::srand(1000u + played);
        while (g.menuCursor != 0)
            g.Special(ArrowUp, 0, 0);
        while (g.skill != played % 3)
            g.Keyboard(number(2) ? KeyEnter : KeySpace, 0, 0);
        g.Special(ArrowDown, 0, 0);
        if (g.showNext != (played / 3 % 2 == 0))
            g.MouseDown(number(3), 0, 0);
        g.Special(ArrowDown, 0, 0);
        g.Keyboard(KeyEnter, 0, 0);
        ASSERT_EQ(g.state, BlockDelay);
        // Some games deal the target's letters side by side into the surface
        // row, so that targets are made and the well is swept.
        const bool speller = number(10) < 3;
        const int focus = number(50); // percent of blocks left in the spawn column
        std::string spelling;
        int aim = 0, spelled = 0, spellColumn = 0, lastScore = 0;
        bool dealt = false;
        while (g.state != GameOver) {
            const int before = g.state;
            const std::string target = g.dictionary.WordAt(g.targetIndex);
            if (before == BlockDelay && !dealt) {
                aim = number(100) < focus ? WordGame::SpawnColumn : number(WordGame::WellColumns);
                if (speller && !target.empty()) {
                    spelled = target == spelling ? spelled % int(target.size()) : 0;
                    spelling = target;
                    if (spelled == 0)
                        spellColumn = number(WordGame::WellColumns + 1 - int(target.size()));
                    g.nextLetter = target[spelled];
                    aim = spellColumn + spelled++;
                }
            }
            dealt = before == BlockDelay;
            if (before == BlockFalling && g.blockColumn != aim && number(2))
                g.Special(aim < g.blockColumn ? ArrowLeft : ArrowRight, 0, 0);
            if (number(100) < (g.fastDrop ? 2 : 30)) // the down arrow is held for a while
                g.fastDrop ? g.SpecialUp(ArrowDown, 0, 0) : g.Special(ArrowDown, 0, 0);
            // Escape seldom, so most games end with a full column; at most one
            // key per update, so none acts on the menu after the game ends.
            const int keys[] = {KeyEscape, KeyTab, number(256), 'a' + number(26)},
                      roll = number(100000);
            if (roll < 2800)
                g.Keyboard(keys[(roll >= 2) + (roll >= 100) + (roll >= 400)], 0, 0);
            const int frame = number(10);
            g.Update(frame == 0 ? 0.0 : frame == 1 ? 1.5 : 0.001 + number(200) / 1000.0);
            sweeps += g.state == WellSweep && before != WellSweep;
            ASSERT_TRUE(g.state >= 0 && g.state < GameStateCount) << g.state;
            const int shown = g.state == Paused ? g.pausedState : g.state;
            const bool settled = shown == BlockDelay || shown == BlockFalling;
            for (int column = 0; column < WordGame::WellColumns; ++column) {
                // Only empty cells and A to Z; before a block falls, each column
                // contiguous and placed as settling puts it.
                int letters = 0;
                for (int row = 0; row < WordGame::WellRows; ++row) {
                    const char cell = g.Cell(column, row);
                    ASSERT_TRUE(cell == 0 || (cell >= 'A' && cell <= 'Z')) << int(cell);
                    letters += cell != 0;
                }
                const int floor = std::max(0, WordGame::SurfaceRow + 1 - letters);
                for (int row = 0; settled && row < WordGame::WellRows; ++row)
                    ASSERT_EQ(g.Cell(column, row) != 0, row >= floor && row < floor + letters)
                        << Column(column);
            }
            ASSERT_GE(g.score, std::exchange(lastScore, g.score));
            ASSERT_LE(g.recentWords.size(), 9u);
            ASSERT_EQ(g.level, 1 + g.wordsMade / 10);
        }
        for (int i = number(12); i > 0; --i) // a name, the Hall of Fame, the menu
            g.Keyboard(number(5) ? 32 + number(95) : KeyBackspace, 0, 0);
        g.Keyboard(number(10) ? KeyEnter : KeyEscape, 0, 0);
        ASSERT_EQ(g.state, HallOfFame);
        g.Update(0.1);
        number(2) ? g.MouseDown(number(3), 0, 0) : g.Keyboard(32 + number(95), 0, 0);
    }
    // A bot that never made a target would have left much of the rules alone.
    EXPECT_TRUE(games < 1000 || sweeps > 0);
}

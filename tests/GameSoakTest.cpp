// A seeded bot plays whole games over the full word list at every skill, with
// random keys and frame times, checking the invariants after every update.
// GLYPHTUMBLE_SOAK_GAMES sets the number of games (default 1000).

#include <algorithm>
#include <cstdlib>
#include <random>

#include "tests/support/GameFixture.h"

using GameSoak = GameTest;

TEST_F(GameSoak, SeededBotKeepsTheInvariantsOverManyGames) {
    const char* text = std::getenv("GLYPHTUMBLE_SOAK_GAMES");
    const int games = text && std::atoi(text) > 0 ? std::atoi(text) : 1000;
    MakeGame({});
    WordGame& g = *game;
    std::mt19937 random(20261206);
    auto number = [&](int below) { return static_cast<int>(random() % below); };
    for (int played = 0; played < games; ++played) {
        Begin(1000u + played, false); // on "Begin Game"
        for (int key : {ArrowUp, ArrowUp, ArrowDown, ArrowDown}) {
            g.Special(key, 0, 0);
            while (g.menuCursor == 0 ? g.skill != played % 3 : g.showNext != (played / 3 % 2 == 0))
                g.Keyboard(KeyEnter, 0, 0); // every skill, next block shown or not
        }
        g.Keyboard(KeySpace, 0, 0);
        ASSERT_EQ(g.state, BlockDelay);
        int lastScore = 0;
        while (g.state != GameOver) {
            const int roll = number(1000); // steer, hold down, pause, give up seldom
            if (roll < 300)
                g.Special(roll < 150 ? ArrowLeft : ArrowRight, 0, 0);
            else if (roll < 400)
                g.fastDrop ? g.SpecialUp(ArrowDown, 0, 0) : g.Special(ArrowDown, 0, 0);
            else if (roll < 420)
                g.Keyboard(roll < 419 ? (roll < 410 ? 'a' + number(26) : KeyTab) : KeyEscape, 0, 0);
            const int frame = number(10);
            g.Update(frame == 0 ? 0.0 : frame == 1 ? 1.5 : 0.001 + number(200) / 1000.0);
            const int shown = g.state == Paused ? g.pausedState : g.state;
            for (int column = 0; column < WordGame::WellColumns; ++column) {
                // Only empty cells and A to Z; before a block falls, each column
                // contiguous and placed as settling puts it.
                const std::string cells = Column(column);
                ASSERT_EQ(cells.find_first_not_of(".ABCDEFGHIJKLMNOPQRSTUVWXYZ"), std::string::npos);
                std::string mask = cells;
                std::replace_if(mask.begin(), mask.end(), [](char c) { return c != '.'; }, '#');
                const int letters = int(std::count(mask.begin(), mask.end(), '#'));
                const int floor = std::max(0, WordGame::SurfaceRow + 1 - letters);
                if (shown == BlockDelay || shown == BlockFalling) {
                    ASSERT_EQ(mask, std::string(floor, '.') + std::string(letters, '#') +
                                        std::string(15 - floor - letters, '.'))
                        << cells;
                }
            }
            ASSERT_GE(g.score, lastScore);
            lastScore = g.score;
            ASSERT_LE(g.recentWords.size(), 9u);
            ASSERT_EQ(g.level, 1 + g.wordsMade / 10);
        }
        g.Keyboard(number(2) ? KeyEnter : KeyEscape, 0, 0);
        ASSERT_EQ(g.state, HallOfFame);
    }
}

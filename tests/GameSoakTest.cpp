// A seeded bot plays whole games at every skill: after each update the state is
// valid, the score has not fallen and the well holds only letters, never a '?'.
// GLYPHTUMBLE_SOAK_GAMES sets the number of games.

#include <random>

#include "tests/support/GameFixture.h"

using GameSoak = GameTest;

TEST_F(GameSoak, SeededBotKeepsTheInvariantsOverWholeGames) {
    const char* text = std::getenv("GLYPHTUMBLE_SOAK_GAMES");
    const int games = text && std::atoi(text) > 0 ? std::atoi(text) : 200;
    MakeGame("");
    Begin(1, false);
    std::mt19937 random(20261207);
    const auto number = [&](int below) { return static_cast<int>(random() % below); };
    for (int played = 0, steer = 0; played < games; ++played, steer = number(3000)) {
        game->skill = played % 3;
        game->menuCursor = 2; // Begin Game
        game->Keyboard(KeyEnter, 0, 0);
        for (int score = 0, n = 0; game->state != GameOver && ++n < 1000000; score = game->score) {
            const int roll = number(10000); // Escape seldom: most games end with a full column
            if (roll < 100)
                game->Keyboard(roll < 9 ? KeyTab : roll < 10 ? KeyEscape : 'a' + number(26), 0, 0);
            else if (roll < 300) // Down is held for a while
                game->SpecialUp(ArrowDown, 0, 0);
            else if (roll < 300 + steer) // some games steer much, some hardly at all
                game->Special(ArrowLeft + roll % 4, 0, 0); // or up, right, down
            game->Update(number(10) ? 0.001 + number(200) / 1000.0 : number(2) * 1.5); // or 0
            ASSERT_TRUE(game->state >= 0 && game->state < GameStateCount) << game->state;
            ASSERT_TRUE(game->score >= score && score >= 0) << score << " then " << game->score;
            for (const char cell : std::string(&game->well[0][0], sizeof game->well))
                ASSERT_TRUE(cell == 0 || (cell >= 'A' && cell <= 'Z')) << int(cell);
        }
        for (int i = number(12); i > 0; --i) // a name, the Hall of Fame, the menu
            game->Keyboard(number(5) ? 32 + number(95) : KeyBackspace, 0, 0);
        game->Keyboard(number(10) ? KeyEnter : KeyEscape, 0, 0);
        ASSERT_EQ(game->state, HallOfFame);
        game->Update(0.1);
        number(2) ? game->MouseDown(number(3), 0, 0) : game->Keyboard(32 + number(95), 0, 0);
        ASSERT_EQ(game->state, TitleMenu);
    }
}

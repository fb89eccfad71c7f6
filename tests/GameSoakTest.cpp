// A seeded bot plays many whole games with the full word list, at every skill
// with and without the next block shown, pressing random keys with random
// frame times, and checks the game's invariants after every update.
// GLYPHTUMBLE_SOAK_GAMES sets the number of games (default 1000).

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "tests/support/GameFixture.h"

namespace {

int SoakGames() {
    const char* text = std::getenv("GLYPHTUMBLE_SOAK_GAMES");
    const int games = text ? std::atoi(text) : 0;
    return games > 0 ? games : 1000;
}

bool Settled(const WordGame& game) {
    for (int column = 0; column < WordGame::WellColumns; ++column) {
        int letters = 0;
        for (int row = 0; row < WordGame::WellRows; ++row)
            letters += game.Cell(column, row) != 0;
        const int floor =
            letters > WordGame::SurfaceRow + 1 ? 0 : WordGame::SurfaceRow + 1 - letters;
        for (int row = 0; row < WordGame::WellRows; ++row)
            if ((game.Cell(column, row) != 0) != (row >= floor && row < floor + letters))
                return false;
    }
    return true;
}

class Bot {
public:
    Bot(WordGame& game, unsigned seed) : game(game), random(seed) {}

    int Number(int below) { return std::uniform_int_distribution<int>(0, below - 1)(random); }
    bool Chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(random) < p; }

    double FrameTime() {
        switch (Number(10)) {
        case 0:
            return 0.0;
        case 1:
            return 1.5; // a stall
        default:
            return std::uniform_real_distribution<double>(0.001, 0.2)(random);
        }
    }

    // Sets skill and showNext through the menu, then begins the game.
    void Menu(int skill, bool showNext) {
        while (game.menuCursor != 0)
            game.Special(101, 0, 0);
        while (game.skill != skill)
            game.Keyboard(Chance(0.5) ? 13 : 32, 0, 0);
        game.Special(103, 0, 0);
        if (game.showNext != showNext)
            game.MouseDown(Number(3), 0, 0);
        game.Special(103, 0, 0);
        game.Keyboard(13, 0, 0);
    }

    // Keys during play; Escape is rare, so most games end with a full column.
    void Play() {
        if (game.state == BlockDelay && !dealt) {
            dealt = true;
            aim = Chance(focus) ? WordGame::SpawnColumn : Number(WordGame::WellColumns);
            if (speller)
                Spell();
        } else if (game.state != BlockDelay) {
            dealt = false;
        }
        if (game.state == BlockFalling && game.blockColumn != aim && Chance(0.5)) {
            const int key = aim < game.blockColumn ? 100 : 102;
            game.Special(key, 0, 0);
            if (Chance(0.8))
                game.SpecialUp(key, 0, 0);
        }
        if (!game.fastDrop && Chance(0.3))
            game.Special(103, 0, 0);
        else if (game.fastDrop && Chance(0.02))
            game.SpecialUp(103, 0, 0);
        // At most one character key or click per update, so a key that ends
        // the game is never followed by one that would act on the menu.
        const int roll = Number(1000);
        if (roll == 0)
            game.Keyboard(9, 0, 0); // pause; the next key resumes
        else if (roll < 4)
            game.Keyboard(Number(256), 0, 0);
        else if (roll < 6)
            game.MouseDown(Number(3), 0, 0);
        else if (roll < 8)
            game.Special(100 + Number(4), 0, 0);
        else if (roll < 28)
            game.Keyboard('a' + Number(26), 0, 0);
        else if (Chance(0.00002))
            game.Keyboard(27, 0, 0);
    }

    // Some games deal the target word's letters side by side into the
    // surface row, so that targets are made and the well is swept.
    void Spell() {
        const std::string target = game.dictionary.WordAt(game.targetIndex);
        if (target.empty() || target.size() > WordGame::WellColumns)
            return;
        if (target != spelling || spelled >= target.size()) {
            spelling = target;
            spelled = 0;
            spellColumn = Number(WordGame::WellColumns - static_cast<int>(target.size()) + 1);
        }
        game.nextLetter = target[spelled];
        aim = spellColumn + static_cast<int>(spelled++);
    }

    void NewGame() {
        focus = std::uniform_real_distribution<double>(0.0, 0.5)(random);
        speller = Chance(0.3);
        spelling.clear();
    }

    WordGame& game;
    std::mt19937 random;
    int aim = WordGame::SpawnColumn;
    double focus = 0.5;
    bool dealt = false;
    bool speller = false;
    std::string spelling;
    size_t spelled = 0;
    int spellColumn = 0;
};

TEST(GameSoak, SeededBotKeepsTheInvariantsOverManyGames) {
    TempFolder folder;
    std::filesystem::copy_file(GLYPHTUMBLE_DATA_DIR "/dictionary.txt",
                               folder.File("dictionary.txt"));
    auto game = MakeGameIn(folder);
    ASSERT_GT(game->dictionary.count, 1000);
    ASSERT_TRUE(game->Start());
    Bot bot(*game, 20261206);

    const int games = SoakGames();
    long updates = 0;
    long words = 0;
    long sweeps = 0;
    long pauses = 0;
    int longestChain = 1;
    int highestLevel = 1;
    for (int played = 0; played < games; ++played) {
        ASSERT_EQ(game->state, TitleMenu);
        std::srand(1000u + static_cast<unsigned>(played));
        bot.NewGame();
        bot.Menu(played % 3, played / 3 % 2 == 0);
        ASSERT_EQ(game->state, BlockDelay);
        ASSERT_EQ(game->skill, played % 3);

        int lastScore = 0;
        while (game->state != GameOver) {
            const int before = game->state;
            bot.Play();
            game->Update(bot.FrameTime());
            ++updates;
            const WordGame& g = *game;
            sweeps += g.state == WellSweep && before != WellSweep;
            pauses += before == Paused && g.state != Paused;
            longestChain = std::max(longestChain, g.chainMultiplier);
            highestLevel = std::max(highestLevel, g.level);
            ASSERT_TRUE(g.state >= 0 && g.state < GameStateCount) << g.state;
            for (int column = 0; column < WordGame::WellColumns; ++column)
                for (int row = 0; row < WordGame::WellRows; ++row) {
                    const char cell = g.Cell(column, row);
                    ASSERT_TRUE(cell == 0 || (cell >= 'A' && cell <= 'Z')) << int(cell);
                }
            const int shown = g.state == Paused ? g.pausedState : g.state;
            if (shown == BlockDelay || shown == BlockFalling) {
                ASSERT_TRUE(Settled(g)) << "game " << played;
            }
            ASSERT_GE(g.score, lastScore);
            lastScore = g.score;
            ASSERT_LE(g.recentWords.size(), 9u);
            ASSERT_EQ(g.level, 1 + g.wordsMade / 10);
            ASSERT_LT(updates, 2000000000L);
        }
        words += game->wordsMade;

        // The name, then the Hall of Fame, then back to the menu.
        for (int i = bot.Number(12); i > 0; --i)
            game->Keyboard(bot.Chance(0.2) ? 8 : 32 + bot.Number(95), 0, 0);
        game->Keyboard(bot.Chance(0.9) ? 13 : 27, 0, 0);
        ASSERT_EQ(game->state, HallOfFame);
        game->Update(bot.FrameTime());
        if (bot.Chance(0.5))
            game->MouseDown(bot.Number(3), 0, 0);
        else
            game->Keyboard(32 + bot.Number(95), 0, 0);
    }
    std::printf("%d games, %ld updates, %ld words, %ld sweeps, %ld pauses, chain multiplier up to "
                "%d, level up to %d\n",
                games, updates, words, sweeps, pauses, longestChain, highestLevel);
    // A bot that never reached these would have left most of the rules alone.
    if (games >= 1000) {
        EXPECT_GT(sweeps, 0);
        EXPECT_GE(longestChain, 4);
        EXPECT_GT(highestLevel, 1);
    }
}

} // namespace

// The game's two per-landing costs with the full word list: the word scan of
// the whole well and the settling of every column.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <unistd.h>
#include <vector>

#include "game/WordGame.h"

namespace {

using Well = std::vector<char>; // WellRows x WellColumns, row 0 first

// A game over the build's word list, constructed in a temporary folder so
// its Hall of Fame file lands there too.
class BenchGame {
public:
    BenchGame() {
        namespace fs = std::filesystem;
        std::string pattern = (fs::temp_directory_path() / "glyphtumble-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        folder = pattern;
        fs::copy_file(GLYPHTUMBLE_DATA_DIR "/dictionary.txt", folder / "dictionary.txt");
        const fs::path previous = fs::current_path();
        fs::current_path(folder);
        game = std::make_unique<WordGame>();
        fs::current_path(previous);
        if (!game->Start())
            std::abort();
    }
    ~BenchGame() {
        game.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    void Load(const Well& well) { std::memcpy(game->well, well.data(), sizeof game->well); }

    std::filesystem::path folder;
    std::unique_ptr<WordGame> game;
};

BenchGame& Game() {
    static BenchGame bench;
    return bench;
}

constexpr int Cells = WordGame::WellRows * WordGame::WellColumns;

// Full wells of letters drawn from the game's own bag (no '?').
std::vector<Well> RandomWells(int count) {
    std::mt19937 random(1234);
    std::uniform_int_distribution<int> tile(0, WordGame::LetterBagLetters - 1);
    std::vector<Well> wells(count, Well(Cells));
    for (Well& well : wells)
        for (char& cell : well)
            cell = WordGame::LetterBag[tile(random)];
    return wells;
}

void ScanWells(benchmark::State& state, const std::vector<Well>& wells) {
    WordGame& game = *Game().game;
    game.minWordLength = static_cast<int>(state.range(0));
    size_t next = 0;
    size_t found = 0;
    for (auto _ : state) {
        Game().Load(wells[next]);
        next = (next + 1) % wells.size();
        game.foundWords.clear();
        game.chainMultiplier = 1;
        game.ScanWell();
        found += game.foundWords.size();
        benchmark::DoNotOptimize(game.foundWords.data());
    }
    state.counters["words/scan"] =
        benchmark::Counter(static_cast<double>(found) / state.iterations());
}

// A full well of random letters, the shortest words accepted at each skill.
void ScanWellRandom(benchmark::State& state) { ScanWells(state, RandomWells(64)); }
BENCHMARK(ScanWellRandom)->Arg(3)->Arg(4)->Arg(5)->Unit(benchmark::kMicrosecond);

// A full well that spells nothing: every start of every run is searched and
// no word is scored.
void ScanWellNoWords(benchmark::State& state) { ScanWells(state, {Well(Cells, 'Q')}); }
BENCHMARK(ScanWellNoWords)->Arg(3)->Unit(benchmark::kMicrosecond);

// Every column holds 14 letters with one gap somewhere below the top, so
// every column is compacted; none is full.
void SettleEveryColumn(benchmark::State& state) {
    WordGame& game = *Game().game;
    std::mt19937 random(99);
    Well well(Cells, 'E');
    for (int column = 0; column < WordGame::WellColumns; ++column)
        well[std::uniform_int_distribution<int>(0, WordGame::WellRows - 2)(random) *
                 WordGame::WellColumns + column] = 0;
    game.bonusBlock = false;
    game.wildcardBlock = false;
    for (auto _ : state) {
        Game().Load(well);
        game.Settle();
        benchmark::DoNotOptimize(game.well);
    }
}
BENCHMARK(SettleEveryColumn)->Unit(benchmark::kNanosecond);

// A full well: the first column holds 15 letters and ends the game at once.
void SettleFullWell(benchmark::State& state) {
    WordGame& game = *Game().game;
    const Well well(Cells, 'E');
    for (auto _ : state) {
        Game().Load(well);
        game.Settle();
        benchmark::DoNotOptimize(game.state);
    }
}
BENCHMARK(SettleFullWell)->Unit(benchmark::kNanosecond);

} // namespace

BENCHMARK_MAIN();

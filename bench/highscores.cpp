// What saving the Hall of Fame costs: a game alone on its file, and a game
// whose file another game wrote since it last looked, so that the save reads
// the other's table and merges its own entry into it.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

#include "data/HighScoreTable.h"

namespace {

std::string TableFile() {
    char path[] = "/tmp/glyphtumble-bench-XXXXXX";
    const int fd = mkstemp(path);
    close(fd);
    std::remove(path); // the table creates it
    return path;
}

void BM_SaveAlone(benchmark::State& state) {
    const std::string path = TableFile();
    HighScoreTable table;
    table.Open(path.c_str());
    int score = 0;
    for (auto _ : state) {
        table.Insert("Ada", ++score, 1, 1);
        benchmark::DoNotOptimize(table.Save());
    }
    table.Close();
    std::remove(path.c_str());
}
BENCHMARK(BM_SaveAlone)->Unit(benchmark::kMicrosecond);

void BM_SaveAfterAnotherGame(benchmark::State& state) {
    const std::string path = TableFile();
    HighScoreTable mine, other;
    mine.Open(path.c_str());
    other.Open(path.c_str());
    int score = 0;
    for (auto _ : state) {
        state.PauseTiming();
        other.Insert("Bob", ++score, 1, 1);
        other.Save();
        state.ResumeTiming();
        mine.Insert("Ada", ++score, 1, 1);
        benchmark::DoNotOptimize(mine.Save());
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_SaveAfterAnotherGame)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

// Loading the word list against reading the same file into memory in one
// call: the cutting, upper-casing and indexing should cost little on top.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include "data/Dictionary.h"

namespace {

const char* const WordList = GLYPHTUMBLE_DATA_DIR "/dictionary.txt";

void BM_PlainRead(benchmark::State& state) {
    for (auto _ : state) {
        std::FILE* file = std::fopen(WordList, "rb");
        std::fseek(file, 0, SEEK_END);
        const long size = std::ftell(file);
        std::rewind(file);
        std::vector<char> buffer(size + 1);
        benchmark::DoNotOptimize(std::fread(buffer.data(), 1, size, file));
        std::fclose(file);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);

void BM_DictionaryLoad(benchmark::State& state) {
    Dictionary dictionary;
    for (auto _ : state)
        benchmark::DoNotOptimize(dictionary.Load(WordList));
    state.counters["words"] = dictionary.count;
}
BENCHMARK(BM_DictionaryLoad)->Unit(benchmark::kMillisecond);

void BM_DictionaryFind(benchmark::State& state) {
    Dictionary dictionary;
    dictionary.Load(WordList);
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(dictionary.Find(dictionary.WordAt(i)));
        i = (i + 7919) % dictionary.count;
    }
}
BENCHMARK(BM_DictionaryFind);

} // namespace

BENCHMARK_MAIN();

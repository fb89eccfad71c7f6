// Loading the word list against reading the same file into memory in one
// call: the cutting, upper-casing and indexing should cost little on top.
// And the dearest list the game accepts, which must load in under a second
// and a few tens of megabytes whatever it holds.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
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

// The largest list accepted: as many lines as may be, filling the largest
// file, in no order, so the index is sorted. Every word shares a long prefix,
// so every comparison reads far; the case of all newlines is refused.
void BM_DictionaryLoadLargest(benchmark::State& state) {
    char path[] = "/tmp/glyphtumble-bench-XXXXXX";
    close(mkstemp(path));
    const size_t lineLength = Dictionary::MaxFileSize / Dictionary::MaxWords;
    std::string text;
    std::mt19937 random(1);
    for (size_t i = 0; i < Dictionary::MaxWords; ++i) {
        std::string word = std::to_string(random() % 1000000);
        text += std::string(lineLength - 1 - word.size(), 'Q') + word + "\n";
    }
    std::FILE* file = std::fopen(path, "wb");
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    Dictionary dictionary;
    for (auto _ : state)
        benchmark::DoNotOptimize(dictionary.Load(path));
    std::remove(path);
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    state.counters["words"] = dictionary.count;
    state.counters["peak MiB"] = usage.ru_maxrss / 1024.0;
}
BENCHMARK(BM_DictionaryLoadLargest)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

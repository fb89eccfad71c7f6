// The sounds: making every one of them at start (time, and the memory they
// hold), and a frame of play with sound on against sound off, through a real
// OpenAL Soft device (its null driver, which mixes without playing, unless
// ALSOFT_DRIVERS names another).

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#include <thread>

#include "game/Keys.h"
#include "game/WordGame.h"
#include "sound/SoundPlayer.h"
#include "sound/Synth.h"

namespace {

void MakeEverySound(benchmark::State& state) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        SoundBank bank;
        bytes = 0;
        for (int i = 0; i < bank.Count(); ++i)
            bytes += bank.At(i).size() * sizeof(float);
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(MakeEverySound)->Unit(benchmark::kMillisecond);

SoundPlayer& Player() {
    static SoundPlayer* player = [] {
        setenv("ALSOFT_DRIVERS", "null", 0);
        auto* made = new SoundPlayer; // kept to the end: its feeder runs throughout
        for (int i = 0; i < 500 && !made->Open(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return made;
    }();
    return *player;
}

// A frame of the game without drawing: its update, and a side step that
// announces a tick, every frame, so sound is asked for far more than in play.
void Frame(benchmark::State& state) {
    SoundPlayer& player = Player();
    if (!player.Open()) {
        state.SkipWithError("no OpenAL device opened");
        return;
    }
    player.SetOn(state.range(0) != 0);
    // In a folder of its own: the game makes its Hall of Fame file where it starts.
    namespace fs = std::filesystem;
    std::string folder = (fs::temp_directory_path() / "glyphtumble-bench-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr)
        std::abort();
    const fs::path previous = fs::current_path();
    fs::current_path(folder);
    WordGame game;
    fs::current_path(previous);
    game.sounds = &player;
    game.SetState(BlockFalling);
    int step = ArrowLeft;
    for (auto _ : state) {
        game.Special(step, 0, 0);
        step = step == ArrowLeft ? ArrowRight : ArrowLeft;
        game.blockHeight = WordGame::SpawnHeight; // falls for ever
        game.Update(1.0 / 60);
    }
    state.SetLabel(state.range(0) ? "sound on" : "sound off");
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}
BENCHMARK(Frame)->Arg(0)->Arg(1)->Arg(0)->Arg(1);

} // namespace

BENCHMARK_MAIN();

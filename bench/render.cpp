// Frame costs of the presentation on the machine's OpenGL (Mesa's llvmpipe
// under Xvfb in CI): the title menu, a play frame with a full well, and the
// Hall of Fame, each beside a frame that only clears and swaps; the one-time
// set-up; and a reference of 165 lit, textured cubes with one glyph each, drawn
// the plain way, to compare the full well with. Every frame ends in glFinish
// so the time includes the rendering, not just the queueing of commands, and
// times are wall-clock: llvmpipe renders on threads of its own. The CPU column
// counts the whole process, those threads included: on a busy machine it
// shows the work a frame takes better than the clock does.
//
// The game's frames run twice, with the drawing shortcuts off (/shortcuts:0,
// every quad blended as the plain way draws it) and on (/shortcuts:1), so one
// run shows what they save.
//
// Needs an X display (run under xvfb-run); it opens its own window, 800 x 600
// or the size in GLYPHTUMBLE_BENCH_SIZE (for example 1920x1080). The X screen
// must be at least that large.

#include "game/WordGame.h"

#include <GL/freeglut.h>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

int windowWidth = 800;
int windowHeight = 600;

std::unique_ptr<WordGame> MakeGame() {
    auto game = std::make_unique<WordGame>();
    game->windowOpen = true;
    game->width = windowWidth;
    game->height = windowHeight;
    return game;
}

WordGame* game = nullptr;

void EndFrame() {
    glutSwapBuffers();
    glFinish();
}

void FillWell(WordGame& g) {
    for (int row = 0; row < WordGame::WellRows; ++row)
        for (int column = 0; column < WordGame::WellColumns; ++column)
            g.SetCell(column, row, static_cast<char>('A' + (row * 11 + column) % 26));
}

// The screen of state, seen from (cx, cy), with the drawing shortcuts on or off.
void Show(int state, double cx, double cy, bool shortcuts) {
    game->SetDrawShortcuts(shortcuts);
    game->state = state;
    game->viewCentreX = cx;
    game->viewCentreY = cy;
    game->Reshape(windowWidth, windowHeight);
}

// A frame's wall-clock time, with the CPU time of the whole process beside it.
// The warm-up leaves out the first frame of a screen, for which llvmpipe
// compiles its shaders.
void Timed(benchmark::internal::Benchmark* bench) {
    bench->Unit(benchmark::kMicrosecond)
        ->MeasureProcessCPUTime()
        ->UseRealTime()
        ->MinWarmUpTime(0.2);
}

// The game's frames, with the shortcuts off and on.
void BothWays(benchmark::internal::Benchmark* bench) {
    Timed(bench->ArgName("shortcuts")->Arg(0)->Arg(1));
}

void BM_ClearAndSwap(benchmark::State& state) {
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        EndFrame();
    }
}
BENCHMARK(BM_ClearAndSwap)->Apply(Timed);

void BM_TitleMenuFrame(benchmark::State& state) {
    Show(TitleMenu, 10.0, 7.5, state.range(0) != 0);
    for (auto _ : state) {
        game->spinAngle += 0.016;
        game->Display();
        EndFrame();
    }
}
BENCHMARK(BM_TitleMenuFrame)->Apply(BothWays);

void BM_PlayFrameFullWell(benchmark::State& state) {
    Show(BlockFalling, 5.5, 12.0, state.range(0) != 0);
    FillWell(*game);
    game->blockColumn = 5;
    game->blockHeight = 14.0;
    game->blockLetter = 'Q';
    game->recentWords.assign(WordGame::MaxRecentWords, FoundWord{"WORD", 0, 0, 4, false, 42, 0});
    for (auto _ : state) {
        game->Display();
        EndFrame();
    }
    game->ClearWell();
    game->recentWords.clear();
}
BENCHMARK(BM_PlayFrameFullWell)->Apply(BothWays);

// The same screen with an empty well: what the play screen costs besides its
// blocks (walls, water, side strip, text).
void BM_PlayFrameEmptyWell(benchmark::State& state) {
    Show(BlockDelay, 5.5, 12.0, state.range(0) != 0);
    game->ClearWell();
    game->recentWords.assign(WordGame::MaxRecentWords, FoundWord{"WORD", 0, 0, 4, false, 42, 0});
    for (auto _ : state) {
        game->Display();
        EndFrame();
    }
    game->recentWords.clear();
}
BENCHMARK(BM_PlayFrameEmptyWell)->Apply(BothWays);

void BM_HallOfFameFrame(benchmark::State& state) {
    Show(HallOfFame, 10.0, 7.5, state.range(0) != 0);
    for (int k = 0; k < HighScoreTable::EntryCount; ++k) {
        std::snprintf(game->highScores.entries[k].name, 30, "Player %d", k);
        game->highScores.entries[k].score = 100 * (k + 1);
    }
    for (auto _ : state) {
        game->spinAngle += 0.016;
        game->Display();
        EndFrame();
    }
}
BENCHMARK(BM_HallOfFameFrame)->Apply(BothWays);

// 165 cubes, each one colour, one translate in a push and pop, one call of
// the block list and one glyph quad of the font, with nothing else in the
// frame: the least a full well can cost drawn one block at a time.
void BM_Reference165Cubes(benchmark::State& state) {
    Show(BlockDelay, 5.5, 12.0, false);
    const float block[4] = {0.5f, 0.7f, 0.9f, 1.0f};
    const float letter[4] = {0.0f, 0.0f, 0.25f, 1.0f};
    const TextureFont& font = game->font;
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        for (int row = 0; row < WordGame::WellRows; ++row)
            for (int column = 0; column < WordGame::WellColumns; ++column) {
                glBindTexture(GL_TEXTURE_2D, game->tileTexture);
                glColor4fv(block);
                glPushMatrix();
                glTranslated(column, row, 0.0);
                glCallList(game->blockList);
                glPopMatrix();
                const int k = (row * 11 + column) % 26 + 'A' - 32;
                const double u = font.glyphU[k], v = font.glyphV[k];
                glBindTexture(GL_TEXTURE_2D, font.texture);
                glColor4fv(letter);
                glBegin(GL_QUADS);
                glNormal3f(0.0f, 0.0f, 1.0f);
                glTexCoord2d(u, v);
                glVertex2d(column + 0.13, row - 0.1);
                glTexCoord2d(u + font.cellU, v);
                glVertex2d(column + 0.83, row - 0.1);
                glTexCoord2d(u + font.cellU, v + font.cellV);
                glVertex2d(column + 0.83, row + 1.05);
                glTexCoord2d(u, v + font.cellV);
                glVertex2d(column + 0.13, row + 1.05);
                glEnd();
            }
        EndFrame();
    }
}
BENCHMARK(BM_Reference165Cubes)->Apply(Timed);

// The one-time set-up: the font and three images read, resampled and
// uploaded, the GL state and the block list. The game object itself (which
// reads the word list) is made outside the timing.
void BM_InitGraphics(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto fresh = MakeGame();
        state.ResumeTiming();
        fresh->InitGraphics();
        glFinish();
        state.PauseTiming();
        const GLuint textures[4] = {fresh->font.texture, fresh->tileTexture, fresh->waterTexture,
                                    fresh->coarseTexture};
        glDeleteTextures(4, textures);
        glDeleteLists(fresh->blockList, 1);
        fresh.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_InitGraphics)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (std::getenv("DISPLAY") == nullptr) {
        std::fputs("bench_render needs an X display: run it under xvfb-run\n", stderr);
        return 1;
    }
    if (const char* size = std::getenv("GLYPHTUMBLE_BENCH_SIZE")) {
        char end = 0;
        if (std::sscanf(size, "%dx%d%c", &windowWidth, &windowHeight, &end) != 2 ||
            windowWidth < 1 || windowHeight < 1) {
            std::fprintf(stderr, "GLYPHTUMBLE_BENCH_SIZE=%s: give the window size as WxH\n", size);
            return 1;
        }
    }
    benchmark::AddCustomContext("window",
                                std::to_string(windowWidth) + "x" + std::to_string(windowHeight));
    int glutArgc = 1;
    char name[] = "bench_render";
    char* glutArgv[] = {name, nullptr};
    glutInit(&glutArgc, glutArgv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(windowWidth, windowHeight);
    glutCreateWindow("Glyphtumble bench");
    glutDisplayFunc([] {}); // freeglut insists on one; frames are drawn by the benchmarks
    for (int i = 0; i < 5; ++i)
        glutMainLoopEvent();
    glViewport(0, 0, windowWidth, windowHeight);

    // The game reads its files from the working directory and writes its
    // Hall of Fame there: work in a scratch folder linking the data files.
    namespace fs = std::filesystem;
    std::string folder = (fs::temp_directory_path() / "glyphtumble-bench-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr)
        return 1;
    for (const char* file : {"dictionary.txt", "font.pgm", "tile.ppm", "water.ppm", "coarse.ppm"})
        fs::create_symlink(fs::path(GLYPHTUMBLE_DATA_DIR) / file, fs::path(folder) / file);
    fs::current_path(folder);

    auto theGame = MakeGame();
    theGame->InitGraphics();
    game = theGame.get();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    theGame.reset();
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(folder);
    return 0;
}

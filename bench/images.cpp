// How long the textures take to make at start-up: the font sheet copied into
// a 512 x 512 intensity texture, and coarse.ppm resampled from 256 x 256 to
// 128 x 128. Also the image reader alone on the font sheet.
//
// CreateTexture needs a GL context, so main opens a GLUT window before it runs
// the benchmarks (under xvfb-run when there is no desktop).

#include "image/CreateTexture.h"
#include "image/PxM.h"

#include <GL/freeglut.h>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <vector>

namespace {

const char* const FontFile = GLYPHTUMBLE_DATA_DIR "/font.pgm";
const char* const CoarseFile = GLYPHTUMBLE_DATA_DIR "/coarse.ppm";

void MakeTexture(benchmark::State& state, const char* file, int size, bool intensity) {
    for (auto _ : state) {
        GLuint name = CreateTexture(file, size, size, intensity);
        if (name == 0) {
            state.SkipWithError("the image can't be loaded");
            break;
        }
        // The game keeps its textures; here they would pile up.
        glDeleteTextures(1, &name);
    }
    glFinish();
}

void BM_CreateTextureFont(benchmark::State& state) {
    MakeTexture(state, FontFile, 512, true);
}
BENCHMARK(BM_CreateTextureFont)->Unit(benchmark::kMillisecond);

void BM_CreateTextureCoarse(benchmark::State& state) {
    MakeTexture(state, CoarseFile, 128, false);
}
BENCHMARK(BM_CreateTextureCoarse)->Unit(benchmark::kMillisecond);

void BM_LoadFontImage(benchmark::State& state) {
    for (auto _ : state) {
        PxM image;
        benchmark::DoNotOptimize(image.Load(FontFile));
    }
}
BENCHMARK(BM_LoadFontImage)->Unit(benchmark::kMillisecond);

void BM_FillTexelsCoarse(benchmark::State& state) {
    PxM image;
    if (!image.Load(CoarseFile)) {
        state.SkipWithError("coarse.ppm can't be loaded");
        return;
    }
    std::vector<unsigned char> texels;
    for (auto _ : state) {
        FillTexels(image, 128, 128, false, texels);
        benchmark::DoNotOptimize(texels.data());
    }
}
BENCHMARK(BM_FillTexelsCoarse)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE);
    glutInitWindowSize(64, 64);
    if (glutCreateWindow("bench_images") <= 0) {
        std::fprintf(stderr, "bench_images: no window, so no GL context\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

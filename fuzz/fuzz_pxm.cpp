// Feeds arbitrary bytes to the image reader as a file, the way the game reads
// its images, then reads pixels and samples all around the result.

#include "image/PxM.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

// One file for the whole run, rewritten for every input and removed at exit.
class InputFile {
  public:
    InputFile() {
        char pattern[] = "/tmp/fuzz_pxm-XXXXXX.ppm";
        const int fd = mkstemps(pattern, 4);
        if (fd >= 0)
            close(fd);
        path = pattern;
    }
    ~InputFile() { std::remove(path.c_str()); }
    std::string path;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t length) {
    static const InputFile input;
    const std::string& path = input.path;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(bytes, 1, length, file);
    std::fclose(file);

    PxM image;
    if (!image.Load(path.c_str()))
        return 0;
    if (image.data == nullptr || image.size != image.width * image.height * image.channels)
        __builtin_trap();

    int rgb[3];
    const int w = image.width;
    const int h = image.height;
    const int xs[] = {-1, 0, w / 2, w - 1, w};
    const int ys[] = {-1, 0, h / 2, h - 1, h};
    for (const int x : xs)
        for (const int y : ys) {
            image.GetPixel(x, y, rgb);
            image.Sample(x - 0.5, y - 0.5, rgb);
            image.Sample(x + 0.75, y + 0.25, rgb);
        }
    // A second load into the same image replaces the raster.
    image.Load(path.c_str());
    return 0;
}

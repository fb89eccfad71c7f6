// The libFuzzer targets, one per loader (the build picks it with FUZZ_PXM,
// FUZZ_DICTIONARY or FUZZ_HIGHSCORES), fed any bytes as a file named like an
// image. A failed Check is a crash, which libFuzzer reports with its input.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "data/Dictionary.h"
#include "data/HighScoreTable.h"
#include "image/PxM.h"

static void Check(bool ok) {
    ok ? void() : std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    static char path[] = "/tmp/fuzz-XXXXXX.ppm"; // one file per process, removed at exit
    static const int file = mkstemps(path, 4), removed = std::atexit([] { unlink(path); });
    Check(file >= 0 && removed == 0 && ftruncate(file, 0) == 0 &&
          pwrite(file, data, size, 0) == static_cast<ssize_t>(size));
    const std::string bytes(reinterpret_cast<const char*>(data), size);
#if defined FUZZ_PXM // a raster of width x height x channels, read in and around; reloads
    PxM image;
    if (image.Load(path) == 0)
        return 0;
    Check(image.data != nullptr && image.size == image.width * image.height * image.channels);
    int rgb[3];
    for (const int x : {-1, 0, image.width / 2, image.width - 1, image.width})
        for (const int y : {-1, 0, image.height / 2, image.height - 1, image.height}) {
            image.GetPixel(x, y, rgb);
            image.Sample(x - 0.5, y - 0.5, rgb);
            image.Sample(x + 0.75, y + 0.25, rgb);
        }
    Check(image.Load(path) == 1);
#elif defined FUZZ_DICTIONARY // a word for each complete line, each found again
    Dictionary words;
    Check(words.Load(path) == std::count(data, data + size, '\n'));
    for (int i = 0; i < words.count; ++i)
        Check(std::strcmp(words.WordAt(words.Find(words.WordAt(i))), words.WordAt(i)) == 0);
#elif defined FUZZ_HIGHSCORES // never written by opening; 440 bytes are the table; saved exactly
    HighScoreTable table;
    static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the entries in memory are the file");
    const auto image = [&] {
        return std::string(reinterpret_cast<const char*>(table.entries), sizeof table.entries);
    };
    const auto read = [&] { // the whole file, through the descriptor: it stays the same file
        std::string now(size + sizeof table.entries + 1, '\0');
        return now.substr(0, static_cast<size_t>(pread(file, &now[0], now.size(), 0)));
    };
    Check(table.Open(path) && read() == bytes);
    Check(size != sizeof table.entries || image() == bytes);
    table.Insert(bytes.c_str(), static_cast<int>(size), 1, 2); // a long name, cut
    Check(table.Save() && read() == image());
#endif
    return 0;
}

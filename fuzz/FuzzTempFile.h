#pragma once

// The fuzz input as a file, for loaders that take a path: one file per process
// (named like an image, for the image reader), removed at exit. A failed
// FuzzCheck is a crash, which libFuzzer reports with its input.

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

inline void FuzzCheck(bool ok) {
    ok ? void() : std::abort();
}

inline const char* FuzzTempFile(const std::uint8_t* data, size_t size) {
    static char path[] = "/tmp/fuzz-XXXXXX.ppm";
    static const int file = mkstemps(path, 4), removed = std::atexit([] { unlink(path); });
    FuzzCheck(file >= 0 && removed == 0 && ftruncate(file, 0) == 0 &&
              pwrite(file, data, size, 0) == static_cast<ssize_t>(size));
    return path;
}

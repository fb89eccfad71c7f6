#pragma once

// The fuzz input as a file, for loaders that take a path: one file per
// process (named like an image, for the image reader), rewritten for every
// input and removed at exit. FuzzCheck reports a failed property as a crash
// with the input that caused it.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#define FuzzCheck(ok)                                                                              \
    do {                                                                                           \
        if (!(ok)) {                                                                               \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #ok);            \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

inline const char* FuzzTempFile(const std::uint8_t* data, size_t size) {
    static const std::string path = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string name = std::string(tmp != nullptr ? tmp : "/tmp") + "/fuzz-XXXXXX.ppm";
        FuzzCheck(close(mkstemps(name.data(), 4)) == 0);
        std::atexit([] { unlink(path.c_str()); });
        return name;
    }();
    std::FILE* out = std::fopen(path.c_str(), "wb");
    FuzzCheck(out != nullptr && std::fwrite(data, 1, size, out) == size && std::fclose(out) == 0);
    return path.c_str();
}

#pragma once

// One temporary file per fuzzing process, for loaders that take a path. It is
// made on first use and removed when the process ends.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

inline const std::string& FuzzTempFile(const char* stem) {
    static std::string path;
    if (path.empty()) {
        const char* tmp = std::getenv("TMPDIR");
        path = std::string(tmp != nullptr ? tmp : "/tmp") + "/" + stem + "-XXXXXX";
        const int fd = mkstemp(path.data());
        if (fd < 0)
            std::abort();
        close(fd);
        std::atexit([] { unlink(path.c_str()); });
    }
    return path;
}

// libFuzzer reports an abort as a crash with the input that caused it; the
// line tells which property failed.
#define FuzzCheck(ok)                                                                              \
    do {                                                                                           \
        if (!(ok)) {                                                                               \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #ok);            \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

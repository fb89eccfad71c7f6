#include "data/OpenRegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

#ifdef _WIN32
// Windows opens a file as text unless told otherwise, which would turn CR LF
// into LF and stop at a Ctrl-Z. Its named pipes live apart from the folders,
// so no file of the game's can block the open.
constexpr int ReadFlags = O_RDONLY | O_BINARY;
#else
// Opened without blocking: opening a named pipe would otherwise wait for a
// writer forever.
constexpr int ReadFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
#endif

} // namespace

std::FILE* OpenRegularFile(const char* path, long long* size) {
    const int fd = open(path, ReadFlags);
    if (fd < 0)
        return nullptr;
    struct stat info;
    std::FILE* file = nullptr;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        file = fdopen(fd, "rb");
    if (file == nullptr)
        close(fd);
    else if (size != nullptr)
        *size = info.st_size;
    return file;
}

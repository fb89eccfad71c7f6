// Preloaded into the real game by the tests. GLYPHTUMBLE_RAND: comma-separated
// values rand returns in turn, cycling, while srand does nothing (unset: the real
// ones). GLYPHTUMBLE_RAND_LOG gets a byte per rand call. GLYPHTUMBLE_WINDOW_FILE
// receives the X window id of the game's window.

#include <GL/glx.h>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

extern "C" int rand() {
    static const char* const fixed = std::getenv("GLYPHTUMBLE_RAND");
    static const std::vector<int> values = [] {
        std::vector<int> list;
        int value = 0, n = 0;
        for (const char* p = fixed; p != nullptr && std::sscanf(p, "%d%n", &value, &n) == 1;
             p += n + (p[n] == ','))
            list.push_back(value & 0x7fffffff);
        return list;
    }();
    static const char* const logPath = std::getenv("GLYPHTUMBLE_RAND_LOG");
    static const int log =
        logPath != nullptr ? open(logPath, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600) : -1;
    static size_t next = 0;
    if (log >= 0 && write(log, "r", 1) != 1)
        std::perror("rand log");
    if (fixed == nullptr)
        return reinterpret_cast<int (*)()>(dlsym(RTLD_NEXT, "rand"))();
    return values.empty() ? 0 : values[next++ % values.size()];
}

extern "C" void srand(unsigned seed) {
    if (std::getenv("GLYPHTUMBLE_RAND") == nullptr)
        reinterpret_cast<void (*)(unsigned)>(dlsym(RTLD_NEXT, "srand"))(seed);
}

// The new window's context is current, so the current drawable is the window.
extern "C" int glutCreateWindow(const char* title) {
    const int id =
        reinterpret_cast<int (*)(const char*)>(dlsym(RTLD_NEXT, "glutCreateWindow"))(title);
    const auto current =
        reinterpret_cast<GLXDrawable (*)()>(dlsym(RTLD_DEFAULT, "glXGetCurrentDrawable"));
    const char* path = std::getenv("GLYPHTUMBLE_WINDOW_FILE");
    if (std::FILE* out = path != nullptr ? std::fopen(path, "w") : nullptr) {
        std::fprintf(out, "%lu\n",
                     current != nullptr ? static_cast<unsigned long>(current()) : 0ul);
        std::fclose(out);
    }
    return id;
}

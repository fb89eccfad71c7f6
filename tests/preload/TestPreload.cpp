// Preloaded into the real game by the tests. GLYPHTUMBLE_RAND: comma-separated
// values that rand returns in turn, cycling (unset: the real rand);
// GLYPHTUMBLE_RAND_LOG gets a byte per rand call;
// GLYPHTUMBLE_WINDOW_FILE, the X id of the game's window.

#include <GL/glx.h>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <vector>

template <typename Function> Function* Next(const char* name) {
    return reinterpret_cast<Function*>(dlsym(RTLD_NEXT, name));
}

extern "C" int rand() {
    static std::vector<int> values;
    static size_t next = 0;
    for (char* p = std::getenv("GLYPHTUMBLE_RAND"); next == 0 && p && std::isdigit(p[*p == ',']);)
        values.push_back(static_cast<int>(std::strtol(p + (*p == ','), &p, 10) & 0x7fffffff));
    static std::FILE* const log = std::fopen(std::getenv("GLYPHTUMBLE_RAND_LOG") ?: "", "a");
    if (log != nullptr)
        std::fputc('r', log), std::fflush(log);
    return values.empty() ? Next<int()>("rand")() : values[next++ % values.size()];
}

// The new window's context is current, so the current drawable is the window.
extern "C" int glutCreateWindow(const char* title) {
    const int id = Next<int(const char*)>("glutCreateWindow")(title);
    if (std::FILE* out = std::fopen(std::getenv("GLYPHTUMBLE_WINDOW_FILE") ?: "", "w")) {
        const auto drawable = Next<GLXDrawable()>("glXGetCurrentDrawable");
        std::fprintf(out, "%lu\n", drawable ? static_cast<unsigned long>(drawable()) : 0ul);
        std::fclose(out);
    }
    return id;
}

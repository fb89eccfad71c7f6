// A library that tests preload (LD_PRELOAD) into the real game, to know what
// it will do and where its window is, without changing the game.
//
//   GLYPHTUMBLE_RAND         comma-separated values that rand returns in
//                            turn, starting again after the last; srand then
//                            does nothing, so the time-seeded game deals what
//                            the test chose. Unset: the runtime's own rand.
//   GLYPHTUMBLE_RAND_LOG     a file that gets one byte appended per rand call,
//                            so the test can tell how far the game has got
//   GLYPHTUMBLE_WINDOW_FILE  a file that receives the X window id of the
//                            game's window once it is created, so that keys
//                            go to the right one of several games

#include <GL/glx.h>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

struct Sequence {
    std::vector<int> values;
    size_t next = 0;
    bool fixed = false;
    int log = -1;

    Sequence() {
        if (const char* list = std::getenv("GLYPHTUMBLE_RAND")) {
            fixed = true;
            const char* p = list;
            while (*p != '\0') {
                char* end = nullptr;
                const long value = std::strtol(p, &end, 10);
                if (end == p)
                    break;
                values.push_back(static_cast<int>(value & 0x7fffffff));
                p = *end == ',' ? end + 1 : end;
            }
        }
        if (const char* path = std::getenv("GLYPHTUMBLE_RAND_LOG"))
            log = open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    }
};

Sequence& TheSequence() {
    static Sequence sequence;
    return sequence;
}

template <typename Function> Function Next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" int rand() {
    Sequence& s = TheSequence();
    if (s.log >= 0) {
        const ssize_t ignored = write(s.log, "r", 1);
        (void)ignored;
    }
    if (!s.fixed) {
        static const auto real = Next<int (*)()>("rand");
        return real();
    }
    if (s.values.empty())
        return 0;
    const int value = s.values[s.next];
    s.next = (s.next + 1) % s.values.size();
    return value;
}

extern "C" void srand(unsigned seed) {
    if (TheSequence().fixed)
        return;
    static const auto real = Next<void (*)(unsigned)>("srand");
    real(seed);
}

// glutCreateWindow makes the new window's context current, so the current
// drawable is the window.
extern "C" int glutCreateWindow(const char* title) {
    static const auto real = Next<int (*)(const char*)>("glutCreateWindow");
    const int id = real(title);
    if (const char* path = std::getenv("GLYPHTUMBLE_WINDOW_FILE")) {
        const auto current =
            reinterpret_cast<GLXDrawable (*)()>(dlsym(RTLD_DEFAULT, "glXGetCurrentDrawable"));
        if (std::FILE* out = std::fopen(path, "w")) {
            std::fprintf(out, "%lu\n",
                         current != nullptr ? static_cast<unsigned long>(current()) : 0ul);
            std::fclose(out);
        }
    }
    return id;
}

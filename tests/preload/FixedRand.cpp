// rand and srand for a game run under LD_PRELOAD, so that a test knows every
// letter, bonus block and target word the game will draw.
//
//   GLYPHTUMBLE_RAND      comma-separated values that rand returns in turn,
//                         starting again from the first after the last
//   GLYPHTUMBLE_RAND_LOG  a file that gets one byte appended per rand call,
//                         so the test can tell how far the game has got
//
// srand does nothing: the game seeds with the time, and the values must not
// depend on it. Without GLYPHTUMBLE_RAND, rand returns 0 every time.

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

struct Sequence {
    std::vector<int> values;
    size_t next = 0;
    int log = -1;

    Sequence() {
        if (const char* list = std::getenv("GLYPHTUMBLE_RAND")) {
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

} // namespace

extern "C" int rand() {
    Sequence& s = TheSequence();
    if (s.log >= 0) {
        const ssize_t ignored = write(s.log, "r", 1);
        (void)ignored;
    }
    if (s.values.empty())
        return 0;
    const int value = s.values[s.next];
    s.next = (s.next + 1) % s.values.size();
    return value;
}

extern "C" void srand(unsigned) {}

/* Replaces the C library's rand and srand with a known sequence, so that the
 * screenshots tool and the game under Wine deal letters they know. Loaded
 * with LD_PRELOAD, or linked into the Windows test build of the game;
 * GLYPHTUMBLE_RAND holds the values, comma-separated. rand hands them out in
 * order and starts again from the first when they run out; srand ignores its
 * seed and goes back to the first value. GLYPHTUMBLE_RAND_LOG, when set,
 * names a file that gets a byte per rand call, so a driver can tell how far
 * the game has got. */

#include <stdio.h>
#include <stdlib.h>

#define MAX_VALUES 1024

static int values[MAX_VALUES];
static int count = -1;
static int next;

static void load(void) {
    const char* text = getenv("GLYPHTUMBLE_RAND");
    count = 0;
    while (text != NULL && *text != '\0' && count < MAX_VALUES) {
        char* end;
        const long value = strtol(text, &end, 10);
        if (end == text)
            break;
        values[count++] = (int)(value < 0 ? -value : value);
        text = (*end == ',') ? end + 1 : end;
    }
}

int rand(void) {
    if (count < 0)
        load();
    static FILE* log;
    if (log == NULL && getenv("GLYPHTUMBLE_RAND_LOG") != NULL)
        log = fopen(getenv("GLYPHTUMBLE_RAND_LOG"), "a");
    if (log != NULL) {
        fputc('r', log);
        fflush(log);
    }
    if (count == 0)
        return 0;
    const int value = values[next % count];
    next = (next + 1) % count;
    return value;
}

void srand(unsigned seed) {
    (void)seed;
    next = 0;
}

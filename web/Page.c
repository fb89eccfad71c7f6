/* What the page supplies in C: the bitmap font's handle, and a file lock
 * that carries the locked file to and from the browser's storage
 * (glyphtumble_flock in web/library_page.js). */
#include <errno.h>
#include <sys/file.h>

void* glutBitmap8By13 = 0;

int glyphtumble_flock(int fd, int operation);

int flock(int fd, int operation) {
    const int result = glyphtumble_flock(fd, operation);
    if (result < 0) {
        errno = -result;
        return -1;
    }
    return 0;
}

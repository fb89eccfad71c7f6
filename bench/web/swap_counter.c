/* Counts the frames a GLUT program shows, for the web benchmark's native
 * side: loaded with LD_PRELOAD, it wraps glXSwapBuffers and keeps the count
 * in the file GLYPHTUMBLE_SWAPS names. */
#define _GNU_SOURCE
#include <GL/glx.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>

void glXSwapBuffers(Display* display, GLXDrawable drawable) {
    static void (*real)(Display*, GLXDrawable);
    static long count;
    static FILE* out;
    if (real == NULL)
        real = (void (*)(Display*, GLXDrawable))dlsym(RTLD_NEXT, "glXSwapBuffers");
    real(display, drawable);
    ++count;
    if (out == NULL && getenv("GLYPHTUMBLE_SWAPS") != NULL)
        out = fopen(getenv("GLYPHTUMBLE_SWAPS"), "w");
    if (out != NULL) {
        rewind(out);
        fprintf(out, "%ld\n", count);
        fflush(out);
    }
}

#include "tests/support/GlContext.h"

#include <GL/freeglut.h>
#include <cstdlib>

namespace {
int window = 0;
// freeglut ends the program when a window it must redraw has no display
// callback; the tests draw on their own, so there is nothing to do here.
void IgnoreDisplay() {}
} // namespace

bool EnsureGlContext() {
    if (window != 0) {
        glutSetWindow(window);
        return true;
    }
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0')
        return false;
    int argc = 1;
    char name[] = "glyphtumble-test";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(800, 600);
    window = glutCreateWindow("glyphtumble test");
    glutDisplayFunc(IgnoreDisplay);
    // Let the window be mapped before anything is drawn into it.
    for (int i = 0; i < 5; ++i)
        glutMainLoopEvent();
    return window != 0;
}

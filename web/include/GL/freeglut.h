/* The GLUT the game includes, in the page: Emscripten's own, whose few
 * missing calls (bitmap text, game mode) web/library_gl11.js and
 * web/library_page.js supply. */
#pragma once
#include <GL/freeglut_std.h>

#include "tests/support/GlContext.h"

#include "image/TextureFont.h"

#include <GL/freeglut.h>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>

// The tests draw on their own, but freeglut ends a program whose window has no display callback.
static void IgnoreDisplay() {}

void GlTest::SetUp() {
    static int window = 0;
    ASSERT_TRUE(window || std::getenv("DISPLAY")) << "no X display: run the tests through ./test";
    if (window == 0) {
        int argc = 1;
        char name[] = "glyphtumble-test";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
        glutInitWindowSize(800, 600);
        window = glutCreateWindow("glyphtumble test");
        glutDisplayFunc(IgnoreDisplay);
        for (int i = 0; i < 5; ++i) // let the window be mapped before anything is drawn
            glutMainLoopEvent();
    }
    glutSetWindow(window);
}

void ResizeGlWindow(int width, int height) {
    glutReshapeWindow(width, height);
    for (int i = 0;
         i < 100 && (glutGet(GLUT_WINDOW_WIDTH) != width || glutGet(GLUT_WINDOW_HEIGHT) != height);
         ++i)
        glutMainLoopEvent();
    ASSERT_EQ(glutGet(GLUT_WINDOW_WIDTH), width);
    ASSERT_EQ(glutGet(GLUT_WINDOW_HEIGHT), height);
    glutSwapBuffers(); // the GL driver takes the new size at the next swap
    glViewport(0, 0, width, height);
}

std::string DrawnText(const TextureFont& font, const std::function<void()>& draw, double unit) {
    std::vector<GLfloat> f(1 << 21);
    glFeedbackBuffer(static_cast<GLsizei>(f.size()), GL_3D_COLOR_TEXTURE, f.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const int count = glRenderMode(GL_RENDER);
    EXPECT_GE(count, 0) << "feedback buffer too small";
    // Each glyph once, top line first: minus its line, left, bottom, width, height, character.
    std::set<std::tuple<long, double, double, double, double, char>> glyphs;
    for (int i = 0; i < count;) { // vertices of 11 values: x y z, r g b a, s t r q
        const int token = static_cast<int>(f[i++]);
        const int n = token == GL_POLYGON_TOKEN ? static_cast<int>(f[i++])
                      : token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN ? 2
                                                                               : 1;
        double lo[4] = {1e9, 1e9, 1e9, 1e9}, hi[4] = {-1e9, -1e9, -1e9, -1e9}; // x y s t
        for (int k = 0; k < n * 4; ++k) {
            const double value = f[i + k / 4 * 11 + (k % 4 < 2 ? k % 4 : k % 4 + 5)];
            lo[k % 4] = std::min(lo[k % 4], value);
            hi[k % 4] = std::max(hi[k % 4], value);
        }
        i += n * 11;
        // Each triangle of a glyph's quad spans the whole glyph cell.
        for (int k = 0; token == GL_POLYGON_TOKEN && k < font.glyphCount; ++k)
            if (std::fabs(hi[2] - lo[2] - font.cellU) + std::fabs(hi[3] - lo[3] - font.cellV) +
                    std::fabs(font.glyphU[k] - lo[2]) + std::fabs(font.glyphV[k] - lo[3]) <
                1e-4)
                glyphs.insert({-std::lround(lo[1] / unit * 100), lo[0] / unit, lo[1] / unit,
                               (hi[0] - lo[0]) / unit, (hi[1] - lo[1]) / unit,
                               char(k < TextureFont::GlyphCount ? 32 + k : 64 + k)});
    }
    std::string text;
    long line = LONG_MAX;
    double last = 0;
    for (const auto& [minusLine, x, y, w, h, c] : glyphs) {
        const double gap = (x - last) / w - 1;
        if (minusLine == line && gap > -0.01 && std::fabs(gap - std::round(gap)) < 0.01) {
            text.append(static_cast<std::size_t>(std::lround(gap)), ' ');
        } else {
            char start[64];
            std::snprintf(start, sizeof start, "%s%.2f %.2f %.2f ", text.empty() ? "" : "\n", x, y,
                          h);
            text += start;
        }
        text += c;
        line = minusLine;
        last = x;
    }
    return text;
}

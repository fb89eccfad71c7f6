#include "tests/support/GlContext.h"

#include "image/TextureFont.h"

#include <GL/freeglut.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

// freeglut ends the program when a window it must redraw has no display
// callback; the tests draw on their own, so there is nothing to do here.
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

std::string DrawnText(const TextureFont& font, const std::function<void()>& draw, double unit) {
    std::vector<GLfloat> f(1 << 21);
    glFeedbackBuffer(static_cast<GLsizei>(f.size()), GL_3D_COLOR_TEXTURE, f.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const int count = glRenderMode(GL_RENDER);
    EXPECT_GE(count, 0) << "feedback buffer too small";
    struct Glyph {
        double x, y, w, h;
        char c;
    };
    std::vector<Glyph> glyphs;
    for (int i = 0; i < count;) { // vertices of 11 values: x y z, r g b a, s t r q
        const int token = static_cast<int>(f[i++]);
        const int n = token == GL_POLYGON_TOKEN ? static_cast<int>(f[i++])
                      : token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN ? 2
                                                                               : 1;
        const GLfloat* v = &f[i];
        i += n * 11;
        double lo[4] = {1e9, 1e9, 1e9, 1e9}, hi[4] = {-1e9, -1e9, -1e9, -1e9}; // x y s t
        for (int k = 0; k < n * 4; ++k) {
            const double value = v[k / 4 * 11 + (k % 4 < 2 ? k % 4 : k % 4 + 5)];
            lo[k % 4] = std::min(lo[k % 4], value);
            hi[k % 4] = std::max(hi[k % 4], value);
        }
        // Each triangle of a glyph's quad spans the whole glyph cell.
        for (int k = 0; token == GL_POLYGON_TOKEN && k < TextureFont::GlyphCount; ++k)
            if (std::fabs(hi[2] - lo[2] - font.cellU) + std::fabs(hi[3] - lo[3] - font.cellV) +
                        std::fabs(font.glyphU[k] - lo[2]) + std::fabs(font.glyphV[k] - lo[3]) <
                    1e-4 &&
                (glyphs.empty() || glyphs.back().x != lo[0] / unit ||
                 glyphs.back().y != lo[1] / unit))
                glyphs.push_back({lo[0] / unit, lo[1] / unit, (hi[0] - lo[0]) / unit,
                                  (hi[1] - lo[1]) / unit, static_cast<char>(32 + k)});
    }
    const auto row = [](const Glyph& g) { return std::lround(g.y * 100); };
    std::stable_sort(glyphs.begin(), glyphs.end(), [&](const Glyph& a, const Glyph& b) {
        return row(a) != row(b) ? row(a) > row(b) : a.x < b.x;
    });
    std::string text;
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const Glyph& g = glyphs[i];
        const double gap = i > 0 ? (g.x - glyphs[i - 1].x) / g.w - 1 : -1;
        char start[64];
        std::snprintf(start, sizeof start, "%s%.2f %.2f %.2f ", i ? "\n" : "", g.x, g.y, g.h);
        if (i > 0 && row(glyphs[i - 1]) == row(g) && gap > -0.01 &&
            std::fabs(gap - std::round(gap)) < 0.01)
            text.append(static_cast<std::size_t>(std::lround(gap)), ' ');
        else
            text += start;
        text += g.c;
    }
    return text;
}

#include "tests/support/GlContext.h"

#include "image/TextureFont.h"

#include <GL/freeglut.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

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
    const int vertex = 11; // x y z, r g b a, s t r q
    for (int i = 0; i < count;) {
        const int token = static_cast<int>(f[i++]);
        const int n = token == GL_POLYGON_TOKEN                                  ? int(f[i++])
                      : token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN ? 2
                      : token == GL_PASS_THROUGH_TOKEN                         ? 0
                                                                               : 1;
        const GLfloat* v = &f[i];
        i += token == GL_PASS_THROUGH_TOKEN ? 1 : n * vertex;
        if (token != GL_POLYGON_TOKEN)
            continue;
        // Each of the triangles a glyph's quad comes back as spans the whole cell.
        double lo[4] = {1e9, 1e9, 1e9, 1e9}, hi[4] = {-1e9, -1e9, -1e9, -1e9}; // x y s t
        for (int k = 0; k < n; ++k)
            for (int j = 0; j < 4; ++j) {
                const double value = v[k * vertex + (j < 2 ? j : j + 5)];
                lo[j] = std::min(lo[j], value);
                hi[j] = std::max(hi[j], value);
            }
        if (std::fabs(hi[2] - lo[2] - font.cellU) > 1e-4 || std::fabs(hi[3] - lo[3] - font.cellV) > 1e-4)
            continue;
        for (int k = 0; k < TextureFont::GlyphCount; ++k)
            if (std::fabs(font.glyphU[k] - lo[2]) < 1e-4 && std::fabs(font.glyphV[k] - lo[3]) < 1e-4) {
                const Glyph g{lo[0] / unit, lo[1] / unit, (hi[0] - lo[0]) / unit,
                              (hi[1] - lo[1]) / unit, static_cast<char>(32 + k)};
                if (glyphs.empty() || glyphs.back().x != g.x || glyphs.back().y != g.y)
                    glyphs.push_back(g);
            }
    }
    const auto row = [](const Glyph& g) { return std::lround(g.y * 100); };
    std::sort(glyphs.begin(), glyphs.end(), [&](const Glyph& a, const Glyph& b) {
        return row(a) != row(b) ? row(a) > row(b) : a.x < b.x;
    });
    std::string text;
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const Glyph& g = glyphs[i];
        const double gap = i > 0 ? (g.x - glyphs[i - 1].x) / g.w - 1 : -1;
        if (i > 0 && row(glyphs[i - 1]) == row(g) && gap > -0.01 &&
            std::fabs(gap - std::round(gap)) < 0.01) {
            text.append(static_cast<std::size_t>(std::lround(gap)), ' ') += g.c;
            continue;
        }
        char start[64];
        std::snprintf(start, sizeof start, "%s%.2f %.2f %.2f ", text.empty() ? "" : "\n", g.x,
                      g.y, g.h);
        text += start;
        text += g.c;
    }
    return text;
}

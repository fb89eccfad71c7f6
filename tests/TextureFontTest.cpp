#include "image/TextureFont.h"
#include "image/PxM.h"

#include "tests/support/GlContext.h"

#include <GL/gl.h>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

const char* const GameFont = GLYPHTUMBLE_DATA_DIR "/font.pgm";

// Runs draw in feedback mode (scene 0..20 x 0..15, back faces culled), expecting
// the corners of w x h cells from (x, y), cell k with glyph text[k]'s texture.
template <typename Draw>
void ExpectGlyphs(Draw draw, double x, double y, double w, double h, const std::string& text,
                  const TextureFont& font) {
    glViewport(0, 0, 20, 15); // window coordinates in scene units
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 20, 0, 15, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_CULL_FACE); // a glyph wound clockwise would vanish
    std::vector<GLfloat> f(4096);
    glFeedbackBuffer(static_cast<GLsizei>(f.size()), GL_3D_COLOR_TEXTURE, f.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const std::size_t count = static_cast<std::size_t>(glRenderMode(GL_RENDER));
    const auto corner = [](double cx, double cy, double s, double t) { // rounded
        return std::vector<long>{std::lround(cx * 1e3), std::lround(cy * 1e3), std::lround(s * 1e5),
                                 std::lround(t * 1e5)};
    };
    std::set<std::vector<long>> got, want;
    for (std::size_t i = 0; i < count; i += 2 + 11 * std::size_t(f[i + 1]))
        for (std::size_t v = i + 2; v < i + 2 + 11 * std::size_t(f[i + 1]); v += 11)
            got.insert(corner(f[v], f[v + 1], f[v + 7], f[v + 8]));
    for (std::size_t c = 0; c < 4 * text.size(); ++c) { // corner c % 4 of cell c / 4
        const int glyph = (text[c / 4] & 0x7f) - 32, right = c & 1, top = (c >> 1) & 1;
        want.insert(corner(x + double(c / 4 + right) * w, y + top * h,
                           font.glyphU[glyph] + right * font.cellU,
                           font.glyphV[glyph] + top * font.cellV));
    }
    EXPECT_EQ(got, want);
}

class TextureFontTest : public GlTest {};

TEST_F(TextureFontTest, GridCentringAndDrawnQuads_MatchTheGlyphCells) {
    TextureFont font;
    ASSERT_TRUE(font.Create(GameFont, 512, 512, 29, 69, 14));
    font.SetArea(0, 15, 20, 0);
    for (int k = 0; k < 96; ++k) { // rows from the top, the last one not full
        EXPECT_NEAR(font.glyphU[k], k % 14 * 29.0 / 512, 1e-12) << k;
        EXPECT_NEAR(font.glyphV[k], 1.0 - (k / 14 + 1) * 69.0 / 512, 1e-12) << k;
    }
    TextureFont missing;
    EXPECT_FALSE(missing.Create("no-such-font.pgm", 512, 512, 29, 69, 14));
    // Sizes and cell counts of 0 or less are refused, not divided by.
    for (const int zero : {0, 1, 2, 3, 4}) {
        int a[5] = {512, 512, 29, 69, 14};
        a[zero] = zero % 2 ? 0 : -1;
        EXPECT_FALSE(missing.Create(GameFont, a[0], a[1], a[2], a[3], a[4])) << zero;
    }
    EXPECT_EQ(missing.texture, 0u);
    // CentredX counts every byte. The widest line of the game: 51 characters at size 0.85.
    EXPECT_NEAR(font.CentredX(std::string(51, 'x').c_str(), 0.0, 0.85), 0.89, 0.005);
    EXPECT_NEAR(font.CentredX("AB", 1.5, 1.0), 10 + 1.5 - font.GlyphWidth(1.0), 1e-12);
    EXPECT_NEAR(font.CentredX("A\nB", 0.0, 1.0),
                font.CentredX("AB", 0.0, 1.0) - font.GlyphWidth(1.0) / 2, 1e-12);
    const float colour[4] = {1, 1, 1, 1};
    const double w = font.GlyphWidth(1.0);
    // Bytes below 32 and from 128 draw nothing and do not advance.
    const std::string text = std::string("A\n\x1f\x80\xff") + "B";
    ExpectGlyphs([&] { font.Draw(text.c_str(), 1.0, 2.0, 1.0, colour); }, 1.0, 2.0, w, 1.0, "AB",
                 font);
    ExpectGlyphs([&] { font.DrawChar(127, 3.13, 4.9, 0.7, 1.15, colour); }, 3.13, 4.9, 0.7, 1.15,
                 "\x7f", font);
    for (const char skipped : {'\t', static_cast<char>(128), static_cast<char>(200)})
        ExpectGlyphs([&] { font.DrawChar(skipped, 3, 4, 1, 1, colour); }, 3, 4, 1, 1, "", font);
}

TEST(GameFontImageTest, GlyphsStayInsideTheirCellsWithTallCentredCapitals) {
    PxM sheet;
    ASSERT_TRUE(sheet.Load(GameFont) == 1 && sheet.width == 512 && sheet.height == 512 &&
                sheet.isColour == 0);
    for (int k = 0; k < 96; ++k) {
        const char ch = static_cast<char>(32 + k);
        int inkTop = 69, inkBottom = -1;
        for (int y = 0; y < 69; ++y)
            for (int x = 0; x < 29; ++x) {
                const int v = sheet.data[((k / 14) * 69 + y) * sheet.rowStride + (k % 14) * 29 + x];
                // Nothing touches the cell's edge, so no glyph bleeds into the next.
                if (x == 0 || y == 0 || x == 28 || y == 68) {
                    ASSERT_EQ(v, 0) << ch << " at " << x << "," << y;
                }
                inkTop = v > 128 ? std::min(inkTop, y) : inkTop;
                inkBottom = v > 128 ? y : inkBottom;
            }
        EXPECT_EQ(inkBottom >= 0, k > 0) << ch; // only the space is empty
        if (std::isupper(ch) || std::isdigit(ch)) {
            EXPECT_GE(inkBottom - inkTop + 1, 35) << ch;
            EXPECT_NEAR((inkTop + inkBottom) / 2.0, 34.0, 3.0) << ch;
        }
    }
}

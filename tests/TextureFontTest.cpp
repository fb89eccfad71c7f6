#include "image/TextureFont.h"
#include "image/PxM.h"

#include "tests/support/GlContext.h"

#include <GL/gl.h>
#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <string>

const char* const GameFont = GLYPHTUMBLE_DATA_DIR "/font.pgm";

class TextureFontTest : public GlTest {
  protected:
    // Window coordinates in scene units, 20 x 15; a glyph wound clockwise vanishes.
    std::string Drawn(const std::function<void()>& draw) {
        glViewport(0, 0, 20, 15);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, 20, 0, 15, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_CULL_FACE);
        return DrawnText(font, draw, 1.0);
    }
    TextureFont font;
    const float white[4] = {1, 1, 1, 1};
};

TEST_F(TextureFontTest, GridCentringAndDrawnText) {
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
    // A space takes its place; bytes below 32 and from 128 draw nothing and do not advance.
    EXPECT_EQ(Drawn([&] { font.Draw("A b\n\x1f\x80\xff~", 1.0, 2.0, 1.0, white); }),
              "1.00 2.00 1.00 A b~");
    EXPECT_EQ(Drawn([&] {
                  font.DrawChar(127, 3.13, 4.9, 0.7, 1.15, white);
                  for (const char skipped : {'\t', '\x80', '\xc8'})
                      font.DrawChar(skipped, 3, 4, 1, 1, white);
              }),
              "3.13 4.90 1.15 \x7f");
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

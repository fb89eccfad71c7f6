#include "image/TextureFont.h"

#include "tests/support/GlContext.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <string>
#include <tuple>

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
    // Glyph, its cell's left and lower edges in image pixels from the top left:
    // rows of 14 from the top, the last one not full.
    for (const auto& [k, left, bottom] : {std::tuple{0, 0, 69}, {13, 377, 69}, {14, 0, 138},
                                          {95, 319, 483}}) {
        EXPECT_NEAR(font.glyphU[k] * 512, left, 1e-9) << k;
        EXPECT_NEAR((1 - font.glyphV[k]) * 512, bottom, 1e-9) << k;
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
    EXPECT_NEAR(font.CentredX("AB", 1.5, 1.0), 11.08, 0.001); // glyphs 29 / 69 as wide as tall
    EXPECT_NEAR(font.CentredX("A\nB", 0.0, 1.0), 9.37, 0.001);
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

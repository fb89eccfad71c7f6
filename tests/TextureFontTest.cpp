#include "image/TextureFont.h"
#include "image/PxM.h"

#include "tests/support/GlContext.h"

#include <GL/gl.h>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const char* const GameFont = GLYPHTUMBLE_DATA_DIR "/font.pgm";
constexpr double CellU = 29.0 / 512.0;
constexpr double CellV = 69.0 / 512.0;

// One vertex as OpenGL hands it back in feedback mode, in scene units.
struct Vertex {
    double x, y, s, t;
    float colour[4];
};
using Polygon = std::vector<Vertex>;

// Runs draw in feedback mode with the scene rectangle 0..20 x 0..15 on an
// 800 x 600 viewport, and returns the polygons it produced.
template <typename Draw> std::vector<Polygon> Feedback(Draw draw) {
    glViewport(0, 0, 800, 600);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 20, 0, 15, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    std::vector<GLfloat> buffer(4096);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint count = glRenderMode(GL_RENDER);

    std::vector<Polygon> polygons;
    for (GLint i = 0; i < count;) {
        EXPECT_EQ(buffer[static_cast<std::size_t>(i)], GL_POLYGON_TOKEN);
        const int n = static_cast<int>(buffer[static_cast<std::size_t>(i + 1)]);
        i += 2;
        Polygon polygon;
        for (int k = 0; k < n; ++k, i += 11) {
            const GLfloat* f = &buffer[static_cast<std::size_t>(i)];
            polygon.push_back({f[0] / 40.0, f[1] / 40.0, f[7], f[8], {f[3], f[4], f[5], f[6]}});
        }
        polygons.push_back(polygon);
    }
    return polygons;
}

double SignedArea(const Polygon& p) {
    double area = 0.0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const Vertex& a = p[i];
        const Vertex& b = p[(i + 1) % p.size()];
        area += a.x * b.y - b.x * a.y;
    }
    return area / 2.0;
}

// Every vertex of the polygons lies on a corner of the rectangle, with the
// texture corner that belongs to it, and every polygon is counter-clockwise.
void ExpectGlyph(const std::vector<Polygon>& polygons, double x, double y, double w, double h,
                 int glyph, const TextureFont& font) {
    ASSERT_FALSE(polygons.empty());
    const double u = font.glyphU[glyph];
    const double v = font.glyphV[glyph];
    for (const Polygon& p : polygons) {
        EXPECT_GT(SignedArea(p), 0.0);
        for (const Vertex& vertex : p) {
            const bool right = vertex.x > x + w / 2;
            const bool top = vertex.y > y + h / 2;
            EXPECT_NEAR(vertex.x, right ? x + w : x, 1e-3);
            EXPECT_NEAR(vertex.y, top ? y + h : y, 1e-3);
            EXPECT_NEAR(vertex.s, right ? u + font.cellU : u, 1e-6);
            EXPECT_NEAR(vertex.t, top ? v + font.cellV : v, 1e-6);
        }
    }
}

} // namespace

class TextureFontTest : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        ASSERT_TRUE(font.Create(GameFont, 512, 512, 29, 69, 14));
        font.SetArea(0, 15, 20, 0);
    }
    TextureFont font;
};

TEST_F(TextureFontTest, Create_LaysTheGridFromTheTopLeft) {
    EXPECT_NE(font.texture, 0u);
    EXPECT_DOUBLE_EQ(font.cellU, CellU);
    EXPECT_DOUBLE_EQ(font.cellV, CellV);
    EXPECT_DOUBLE_EQ(font.glyphU[0], 0.0);
    EXPECT_NEAR(font.glyphV[0], 1.0 - CellV, 1e-12);
    EXPECT_NEAR(font.glyphU[13], 13 * CellU, 1e-12);
    EXPECT_NEAR(font.glyphV[14], 1.0 - 2 * CellV, 1e-12);
    EXPECT_NEAR(font.glyphU[95], 11 * CellU, 1e-12);
    EXPECT_NEAR(font.glyphV[95], 1.0 - 7 * CellV, 1e-12);

    // A last row that is not full lies below the others like any other row.
    TextureFont tens;
    ASSERT_TRUE(tens.Create(GameFont, 512, 512, 20, 40, 10));
    EXPECT_NEAR(tens.glyphV[95], 1.0 - 10 * 40.0 / 512, 1e-12);
    EXPECT_NEAR(tens.glyphU[95], 5 * 20.0 / 512, 1e-12);
}

TEST(TextureFontCreateTest, UnloadableImageChangesNothing) {
    ASSERT_TRUE(EnsureGlContext());
    TextureFont font;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(font.Create("no-such-font.pgm", 512, 512, 29, 69, 14));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(font.texture, 0u);
    EXPECT_EQ(font.cellU, 0.0);
}

TEST_F(TextureFontTest, CentredX_CountsEveryByte) {
    // The widest line of the game: 51 characters at size 0.85.
    const std::string line(51, 'x');
    EXPECT_NEAR(font.CentredX(line.c_str(), 0.0, 0.85), (20 - 51 * 0.85 * 29 / 69) * 0.5, 1e-12);
    EXPECT_NEAR(font.CentredX(line.c_str(), 0.0, 0.85), 0.89, 0.005);
    EXPECT_NEAR(font.CentredX("AB", 1.5, 1.0), 10 + 1.5 - font.GlyphWidth(1.0), 1e-12);
    // A skipped newline still counts, so the pair sits half a glyph left.
    EXPECT_NEAR(font.CentredX("A\nB", 0.0, 1.0),
                font.CentredX("AB", 0.0, 1.0) - font.GlyphWidth(1.0) / 2, 1e-12);
}

TEST_F(TextureFontTest, Draw_OneQuadPerPrintableByte) {
    const float colour[4] = {0.25f, 0.5f, 0.75f, 1.0f};
    glNormal3f(1, 0, 0);
    const double w = font.GlyphWidth(1.0);
    const std::vector<Polygon> polygons = Feedback([&] {
        font.Draw("A\n\x80"
                  "B",
                  1.0, 2.0, 1.0, colour);
    });

    // The newline and the byte 128 draw nothing and do not advance.
    std::vector<Polygon> first, second;
    for (const Polygon& p : polygons) {
        double left = p[0].x;
        for (const Vertex& vertex : p)
            left = std::min(left, vertex.x);
        (left < 1.0 + w / 2 ? first : second).push_back(p);
    }
    ExpectGlyph(first, 1.0, 2.0, w, 1.0, 'A' - 32, font);
    ExpectGlyph(second, 1.0 + w, 2.0, w, 1.0, 'B' - 32, font);
    EXPECT_NEAR(polygons[0][0].colour[2], 0.75f, 1e-3);

    GLfloat normal[3];
    glGetFloatv(GL_CURRENT_NORMAL, normal);
    EXPECT_EQ(normal[2], 1.0f);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<unsigned>(bound), font.texture);

    EXPECT_TRUE(Feedback([&] { font.Draw("", 1.0, 2.0, 1.0, colour); }).empty());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureFontTest, DrawChar_StretchesOneGlyphOrDrawsNothing) {
    const float colour[4] = {1, 1, 1, 1};
    ExpectGlyph(Feedback([&] { font.DrawChar(127, 3.13, 4.9, 0.7, 1.15, colour); }), 3.13, 4.9, 0.7,
                1.15, 95, font);
    EXPECT_TRUE(Feedback([&] { font.DrawChar('\t', 3, 4, 1, 1, colour); }).empty());
    EXPECT_TRUE(
        Feedback([&] { font.DrawChar(static_cast<char>(200), 3, 4, 1, 1, colour); }).empty());
}

TEST(GameFontImageTest, GlyphsSitInsideTheirCellsInOrder) {
    PxM sheet;
    ASSERT_EQ(sheet.Load(GameFont), 1);
    ASSERT_EQ(sheet.width, 512);
    ASSERT_EQ(sheet.height, 512);
    ASSERT_EQ(sheet.isColour, 0);
    const auto at = [&](int x, int y) { return sheet.data[y * sheet.rowStride + x]; };

    for (int k = 0; k < 96; ++k) {
        const int left = (k % 14) * 29;
        const int top = (k / 14) * 69;
        int ink = 0, inkTop = 69, inkBottom = -1;
        for (int y = 0; y < 69; ++y)
            for (int x = 0; x < 29; ++x) {
                const int v = at(left + x, top + y);
                // Nothing touches the cell's edge, so filtering can't bleed
                // one glyph into the next.
                if (x == 0 || y == 0 || x == 28 || y == 68) {
                    ASSERT_EQ(v, 0) << "glyph " << k << " at " << x << "," << y;
                }
                if (v > 128) {
                    ++ink;
                    inkTop = std::min(inkTop, y);
                    inkBottom = std::max(inkBottom, y);
                }
            }
        if (k == 0)
            EXPECT_EQ(ink, 0) << "space";
        else
            EXPECT_GT(ink, 0) << "glyph " << k;
        const char ch = static_cast<char>(32 + k);
        if ((ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9')) {
            // Capitals and digits fill most of the cell's height and sit in
            // its middle, where the block letters expect them.
            EXPECT_GE(inkBottom - inkTop + 1, 35) << ch;
            EXPECT_NEAR((inkTop + inkBottom) / 2.0, 34.0, 3.0) << ch;
        }
    }
    // The sheet below the seventh row of cells stays black.
    for (int x = 0; x < 512; x += 7)
        EXPECT_EQ(at(x, 7 * 69 + 3), 0);
}

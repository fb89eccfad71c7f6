// The picture itself: frames drawn into a real GL context on the test's X
// display and read back from the back buffer. The scene's rectangle x 0..20,
// y 0..15 fills the 800 x 600 viewport in the plane z = 0, so a scene point
// (x, y) is pixel (40 x, 40 y) from the bottom left; blocks stand out of that
// plane and show their sides towards the view centre.
//
// The fixture writes its own images, all plain white, so that every surface
// shows exactly its lit colour: the lighting model (0.2 global and 0.35 light
// ambient, 0.65 diffuse from the light at (cx, cy, 25)) gives a face with
// normal n at point p the colour c (0.55 + 0.65 n.l), clamped to 1. Its font
// has solid white glyphs for a chosen set of characters and empty cells for
// all others, so text shows as solid quads or not at all.

#include "game/WordGame.h"
#include "render/Colours.h"
#include "tests/support/GlContext.h"
#include "tests/support/TempDir.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr int ViewWidth = 800;
constexpr int ViewHeight = 600;
constexpr double PixelsPerUnit = 40.0;
constexpr double Tolerance = 0.03; // 8-bit rounding and per-vertex shading

struct Rgb {
    double r, g, b;
};

std::string WhitePpm() {
    return "P6\n8 8\n255\n" + std::string(8 * 8 * 3, '\xff');
}

// 512 x 512 grey image of 29 x 69 cells, 14 to a row from the top left; the
// cells of the characters in solid are white, the rest black.
std::string FontPgm(const std::string& solid) {
    const int size = 512;
    std::string pixels(size * size, '\0');
    for (unsigned char ch : solid) {
        const int k = ch - 32;
        const int left = (k % 14) * 29;
        const int top = (k / 14) * 69;
        for (int y = top; y < top + 69; ++y)
            std::memset(&pixels[static_cast<std::size_t>(y * size + left)], 0xff, 29);
    }
    return "P5\n512 512\n255\n" + pixels;
}

std::string AllGlyphsButSpace() {
    std::string solid;
    for (int ch = 33; ch < 128; ++ch)
        solid += static_cast<char>(ch);
    return solid;
}

// The diffuse term's n.l for a point of a face in the scene plane (normal
// +z), lit from (cx, cy, 25).
double FrontLight(double x, double y, double cx, double cy, double z = 0.0) {
    const double dx = cx - x, dy = cy - y, dz = 25.0 - z;
    return dz / std::sqrt(dx * dx + dy * dy + dz * dz);
}

Rgb Lit(const float* colour, double nDotL, double alpha = 1.0) {
    const double f = 0.55 + 0.65 * std::max(0.0, nDotL);
    return {alpha * std::min(1.0, colour[0] * f), alpha * std::min(1.0, colour[1] * f),
            alpha * std::min(1.0, colour[2] * f)};
}

::testing::AssertionResult Near(const Rgb& got, const Rgb& want, double tolerance = Tolerance) {
    if (std::fabs(got.r - want.r) <= tolerance && std::fabs(got.g - want.g) <= tolerance &&
        std::fabs(got.b - want.b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "got (" << got.r << ", " << got.g << ", " << got.b << "), want (" << want.r
           << ", " << want.g << ", " << want.b << ")";
}

bool IsBlack(const Rgb& c) { return c.r < 0.02 && c.g < 0.02 && c.b < 0.02; }

} // namespace

class RenderTest : public GlTest {
protected:
    // The characters the test font draws as solid quads.
    virtual std::string SolidGlyphs() const { return ""; }

    void SetUp() override {
        GlTest::SetUp();
        dir = std::make_unique<TempDir>(true);
        dir->Write("tile.ppm", WhitePpm());
        dir->Write("water.ppm", WhitePpm());
        dir->Write("coarse.ppm", WhitePpm());
        dir->Write("font.pgm", FontPgm(SolidGlyphs()));
        dir->Write("dictionary.txt", "CAT\nDOG\nTRIG\nWORD\n");
        game = std::make_unique<WordGame>();
        game->windowOpen = true;
        game->width = ViewWidth;
        game->height = ViewHeight;
        glViewport(0, 0, ViewWidth, ViewHeight);
        game->InitGraphics();
        PlayView();
        game->state = BlockDelay;
    }

    void TearDown() override {
        game.reset(); // saves the Hall of Fame into the folder, before it goes
        dir.reset();
    }

    void SetView(double cx, double cy) {
        game->viewCentreX = cx;
        game->viewCentreY = cy;
        game->Reshape(ViewWidth, ViewHeight);
    }
    void PlayView() { SetView(5.5, 12.0); }
    void MenuView() { SetView(10.0, 7.5); }

    void Frame() {
        game->Display();
        glFinish();
    }

    // The colour at scene point (x, y) of the frame just drawn, not yet swapped.
    Rgb Pixel(double x, double y) const {
        unsigned char rgb[3] = {0, 0, 0};
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(static_cast<int>(x * PixelsPerUnit), static_cast<int>(y * PixelsPerUnit),
                     1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        return {rgb[0] / 255.0, rgb[1] / 255.0, rgb[2] / 255.0};
    }

    // The lit colour of the front face of a block at cell (x, y), at its
    // centre, in the play view.
    Rgb BlockFront(const float* colour, double x, double y, double alpha = 1.0) const {
        return Lit(colour, FrontLight(x + 0.5, y + 0.5, game->viewCentreX, game->viewCentreY),
                   alpha);
    }

    std::unique_ptr<TempDir> dir;
    std::unique_ptr<WordGame> game;
};

// Text drawn as solid quads in its colour.
class RenderTextTest : public RenderTest {
protected:
    std::string SolidGlyphs() const override { return AllGlyphsButSpace(); }
};

// ---- Scene set-up ----

TEST_F(RenderTest, InitGraphicsSetsTheSceneStateOnceAndASecondCallChangesNothing) {
    EXPECT_TRUE(game->glReady);
    EXPECT_NE(game->blockList, 0u);
    EXPECT_NE(game->font.texture, 0u);
    EXPECT_NE(game->tileTexture, 0u);
    EXPECT_NE(game->waterTexture, 0u);
    EXPECT_NE(game->coarseTexture, 0u);
    for (GLenum capability : {GL_DEPTH_TEST, GL_NORMALIZE, GL_TEXTURE_2D, GL_CULL_FACE,
                              GL_COLOR_MATERIAL, GL_LIGHTING, GL_LIGHT0, GL_BLEND, GL_ALPHA_TEST})
        EXPECT_TRUE(glIsEnabled(capability)) << capability;
    GLint value = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &value);
    EXPECT_EQ(value, GL_LEQUAL);
    glGetIntegerv(GL_ALPHA_TEST_FUNC, &value);
    EXPECT_EQ(value, GL_GREATER);
    GLfloat reference = 0.0f;
    glGetFloatv(GL_ALPHA_TEST_REF, &reference);
    EXPECT_NEAR(reference, 0.1f, 1e-3);
    glGetIntegerv(GL_BLEND_SRC, &value);
    EXPECT_EQ(value, GL_SRC_ALPHA);
    glGetIntegerv(GL_BLEND_DST, &value);
    EXPECT_EQ(value, GL_ONE_MINUS_SRC_ALPHA);
    GLfloat light[4];
    glGetLightfv(GL_LIGHT0, GL_AMBIENT, light);
    EXPECT_FLOAT_EQ(light[0], 0.35f);
    glGetLightfv(GL_LIGHT0, GL_DIFFUSE, light);
    EXPECT_FLOAT_EQ(light[0], 0.65f);

    // A later Start runs InitGraphics again: no state is set, no object made.
    const unsigned list = game->blockList;
    const unsigned textures[4] = {game->font.texture, game->tileTexture, game->waterTexture,
                                  game->coarseTexture};
    glDisable(GL_BLEND);
    glDepthFunc(GL_LESS);
    game->InitGraphics();
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    glGetIntegerv(GL_DEPTH_FUNC, &value);
    EXPECT_EQ(value, GL_LESS);
    EXPECT_EQ(game->blockList, list);
    EXPECT_EQ(game->font.texture, textures[0]);
    EXPECT_EQ(game->tileTexture, textures[1]);
    EXPECT_EQ(game->waterTexture, textures[2]);
    EXPECT_EQ(game->coarseTexture, textures[3]);
    EXPECT_FALSE(glIsList(list + 1));
}

TEST_F(RenderTest, ProjectionShowsTheSameSceneRectangleForEveryViewCentre) {
    const double centres[3][2] = {{0.0, 0.0}, {10.0, 7.5}, {5.5, 12.0}};
    for (const auto& centre : centres) {
        SetView(centre[0], centre[1]);
        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_PROJECTION);

        // OpenGL keeps its matrices in single precision.
        double m[16];
        glGetDoublev(GL_PROJECTION_MATRIX, m);
        auto project = [&m](double x, double y, double z, double& nx, double& ny) {
            const double cx = m[0] * x + m[4] * y + m[8] * z + m[12];
            const double cy = m[1] * x + m[5] * y + m[9] * z + m[13];
            const double cw = m[3] * x + m[7] * y + m[11] * z + m[15];
            nx = cx / cw;
            ny = cy / cw;
        };
        double nx, ny;
        project(0.0, 0.0, 0.0, nx, ny);
        EXPECT_NEAR(nx, -1.0, 1e-6);
        EXPECT_NEAR(ny, -1.0, 1e-6);
        project(20.0, 15.0, 0.0, nx, ny);
        EXPECT_NEAR(nx, 1.0, 1e-6);
        EXPECT_NEAR(ny, 1.0, 1e-6);
        project(11.0, 9.5, 0.0, nx, ny);
        EXPECT_NEAR(nx, 11.0 / 10.0 - 1.0, 1e-6);
        EXPECT_NEAR(ny, 9.5 / 7.5 - 1.0, 1e-6);
        // One unit back, a point moves a twenty-first of the way towards the
        // view centre: the blocks' sides are thin.
        project(0.0, 0.0, -1.0, nx, ny);
        EXPECT_NEAR((nx + 1.0) * 10.0, centre[0] / 21.0, 1e-6);
        EXPECT_NEAR((ny + 1.0) * 7.5, centre[1] / 21.0, 1e-6);

        GLfloat light[4];
        glGetLightfv(GL_LIGHT0, GL_POSITION, light);
        EXPECT_FLOAT_EQ(light[0], static_cast<float>(centre[0]));
        EXPECT_FLOAT_EQ(light[1], static_cast<float>(centre[1]));
        EXPECT_FLOAT_EQ(light[2], 25.0f);
        EXPECT_FLOAT_EQ(light[3], 1.0f);
    }
}

// Two blocks on either side of the view centre show all four sides between
// them; a face wound the wrong way would be culled and leave black.
TEST_F(RenderTest, BlockShowsItsSidesTowardsTheViewCentre) {
    MenuView();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const float* grey = HighlightBlockColour;
    game->DrawLetterBlock(2.0, 2.0, 0, HighlightLetterColour, grey);
    game->DrawLetterBlock(15.0, 11.0, 0, HighlightLetterColour, grey);
    glFinish();

    EXPECT_TRUE(Near(Pixel(2.5, 2.5), Lit(grey, FrontLight(2.5, 2.5, 10.0, 7.5))));
    // The lower-left block: its right side reaches from x 3 to about 3.33, its
    // top from y 3 to about 3.21, lit at a steep angle.
    auto sideLight = [](double lx, double ly, double lz) {
        return lx / std::sqrt(lx * lx + ly * ly + lz * lz);
    };
    EXPECT_TRUE(Near(Pixel(3.15, 2.5), Lit(grey, sideLight(7.0, 5.0, 25.5)), 0.05));
    EXPECT_TRUE(Near(Pixel(2.5, 3.1), Lit(grey, sideLight(4.5, 7.5, 25.5)), 0.05));
    EXPECT_TRUE(IsBlack(Pixel(3.45, 2.5)));
    EXPECT_TRUE(IsBlack(Pixel(2.5, 3.3)));
    // The upper-right block: its left side and its bottom.
    EXPECT_TRUE(Near(Pixel(14.88, 11.5), Lit(grey, sideLight(5.0, 4.0, 25.5)), 0.05));
    EXPECT_TRUE(Near(Pixel(15.5, 10.9), Lit(grey, sideLight(3.5, 5.0, 25.5)), 0.05));
    EXPECT_TRUE(IsBlack(Pixel(14.7, 11.5)));
    EXPECT_TRUE(IsBlack(Pixel(15.5, 10.75)));
}

TEST_F(RenderTest, MissingImagesLeaveSurfacesInTheirPlainLitColour) {
    // A new game in a folder without images: every texture is 0.
    game.reset();
    std::remove("tile.ppm");
    std::remove("coarse.ppm");
    game = std::make_unique<WordGame>();
    game->windowOpen = true;
    game->width = ViewWidth;
    game->height = ViewHeight;
    game->InitGraphics();
    EXPECT_EQ(game->tileTexture, 0u);
    EXPECT_EQ(game->coarseTexture, 0u);
    PlayView();
    game->state = BlockDelay;
    game->SetCell(4, 10, 'Q');
    Frame();
    EXPECT_TRUE(Near(Pixel(4.5, 10.5), BlockFront(LevelBlockColour[0], 4, 10)));
}

// ---- The play screen ----

TEST_F(RenderTest, WellCellsShowTheLevelColourInTheirCells) {
    const int cells[4][2] = {{0, 7}, {10, 14}, {4, 10}, {2, 3}};
    for (const auto& cell : cells)
        game->SetCell(cell[0], cell[1], 'E');
    for (int level = 1; level <= 5; ++level) {
        game->level = level;
        Frame();
        const float* colour = LevelBlockColour[(level - 1) % 4];
        for (const auto& cell : cells)
            EXPECT_TRUE(Near(Pixel(cell[0] + 0.5, cell[1] + 0.5),
                             BlockFront(colour, cell[0], cell[1])))
                << "level " << level << " cell " << cell[0] << ", " << cell[1];
        EXPECT_TRUE(IsBlack(Pixel(6.5, 10.5)));
        EXPECT_TRUE(IsBlack(Pixel(1.5, 12.5)));
    }
}

TEST_F(RenderTest, WaterCoversRowsZeroToSixAndNotTheSurfaceRow) {
    game->SetCell(2, 3, 'E');
    Frame();
    // Empty cells under water show the translucent grey water over black.
    const float water[4] = {0.35f, 0.35f, 0.35f, 1.0f};
    for (int row = 1; row <= 6; ++row) {
        const Rgb want = Lit(water, FrontLight(7.5, row + 0.5, 5.5, 12.0, -0.33), 0.75);
        EXPECT_TRUE(Near(Pixel(7.5, row + 0.5), want, 0.02)) << "row " << row;
    }
    // Row 7 and above: nothing in front of the black.
    EXPECT_TRUE(IsBlack(Pixel(7.5, 7.5)));
    EXPECT_TRUE(IsBlack(Pixel(7.5, 8.5)));
    // The water stands a third of a block behind the blocks' front faces.
    EXPECT_TRUE(Near(Pixel(2.5, 3.5), BlockFront(LevelBlockColour[0], 2, 3)));
}

TEST_F(RenderTest, FallingBlockShowsAtItsFractionalHeight) {
    game->state = BlockFalling;
    game->blockColumn = 3;
    game->blockHeight = 10.5;
    game->blockLetter = 'K';
    game->bonusBlock = false;
    Frame();
    const Rgb want = BlockFront(LevelBlockColour[0], 3, 10.5);
    EXPECT_TRUE(Near(Pixel(3.5, 10.6), want));
    EXPECT_TRUE(Near(Pixel(3.5, 11.4), want));
    EXPECT_TRUE(IsBlack(Pixel(3.5, 10.4)));
    EXPECT_TRUE(IsBlack(Pixel(3.5, 11.6)));

    game->bonusBlock = true;
    Frame();
    EXPECT_TRUE(Near(Pixel(3.5, 11.0), BlockFront(BonusBlockColour, 3, 10.5)));

    // BlockDelay shows no falling block.
    game->state = BlockDelay;
    Frame();
    EXPECT_TRUE(IsBlack(Pixel(3.5, 11.0)));
}

TEST_F(RenderTest, NextBlockPreviewOnlyWhenShown) {
    game->level = 3;
    Frame();
    EXPECT_TRUE(Near(Pixel(12.5, 10.15), BlockFront(LevelBlockColour[2], 12.0, 9.65)));
    // The separator line at y 9.5 from the well's right wall across the strip.
    double line = 0.0;
    for (int row = 378; row <= 381; ++row)
        line = std::max(line, Pixel(16.0, row / PixelsPerUnit).r);
    EXPECT_GT(line, 0.8);

    game->showNext = false;
    Frame();
    EXPECT_TRUE(IsBlack(Pixel(12.5, 10.15)));
}

TEST_F(RenderTest, WordBeingCreditedIsLitInItsCells) {
    const char* letters = "CATS";
    for (int k = 0; k < 4; ++k)
        game->SetCell(2 + k, 9, letters[k]);
    game->SetCell(7, 12, 'A');
    game->SetCell(7, 11, 'T');
    FoundWord across;
    across.word = "CAT";
    across.column = 2;
    across.row = 9;
    across.length = 3;
    FoundWord down;
    down.word = "AT";
    down.column = 7;
    down.row = 12;
    down.length = 2;
    down.vertical = true;
    game->foundWords = {across, down};
    game->state = WordRemoval;
    game->revealIndex = 0;
    Frame();
    for (int column = 2; column <= 4; ++column)
        EXPECT_TRUE(Near(Pixel(column + 0.5, 9.5), BlockFront(HighlightBlockColour, column, 9)));
    EXPECT_TRUE(Near(Pixel(5.5, 9.5), BlockFront(LevelBlockColour[0], 5, 9)));
    EXPECT_TRUE(Near(Pixel(7.5, 12.5), BlockFront(LevelBlockColour[0], 7, 12)));

    game->revealIndex = 1;
    Frame();
    EXPECT_TRUE(Near(Pixel(7.5, 12.5), BlockFront(HighlightBlockColour, 7, 12)));
    EXPECT_TRUE(Near(Pixel(7.5, 11.5), BlockFront(HighlightBlockColour, 7, 11)));
    EXPECT_TRUE(Near(Pixel(2.5, 9.5), BlockFront(LevelBlockColour[0], 2, 9)));

    // An index past the words found lights nothing.
    game->revealIndex = 2;
    Frame();
    EXPECT_TRUE(Near(Pixel(7.5, 12.5), BlockFront(LevelBlockColour[0], 7, 12)));
}

TEST_F(RenderTest, SweepRowFadesAndRowsBelowItAreGone) {
    game->state = WellSweep;
    game->sweepRow = 8;
    game->sweepTime = 0.1;
    game->SetCell(1, 7, 'A'); // below the sweep row: not drawn
    game->SetCell(1, 8, 'B');
    game->SetCell(1, 9, 'C');
    Frame();
    const float* colour = LevelBlockColour[0];
    EXPECT_TRUE(Near(Pixel(1.5, 8.5), BlockFront(colour, 1, 8, 0.9)));
    // An empty cell of the row: a bare, faint block.
    EXPECT_TRUE(Near(Pixel(2.5, 8.5), BlockFront(colour, 2, 8, 0.27)));
    EXPECT_TRUE(Near(Pixel(1.5, 9.5), BlockFront(colour, 1, 9)));
    EXPECT_TRUE(IsBlack(Pixel(1.5, 7.5)));

    game->sweepRow = 14;
    Frame();
    EXPECT_TRUE(IsBlack(Pixel(1.5, 9.5)));
    EXPECT_TRUE(Near(Pixel(1.5, 14.5), BlockFront(colour, 1, 14, 0.27)));
}

// ---- Overlays ----

TEST_F(RenderTextTest, PausedHidesEveryBlockAndShowsItsPanel) {
    game->SetCell(2, 10, 'P');
    game->SetCell(4, 7, 'Q');
    game->state = BlockFalling;
    game->blockColumn = 8;
    game->blockHeight = 12.0;
    Frame();
    EXPECT_FALSE(IsBlack(Pixel(2.05, 10.5)));
    EXPECT_FALSE(IsBlack(Pixel(8.05, 12.5)));

    game->pausedState = BlockFalling;
    game->state = Paused;
    Frame();
    EXPECT_TRUE(IsBlack(Pixel(2.05, 10.5)));
    EXPECT_TRUE(IsBlack(Pixel(4.05, 7.5)));
    EXPECT_TRUE(IsBlack(Pixel(8.05, 12.5)));
    const float panel[4] = {0.5f, 0.65f, 0.8f, 1.0f};
    EXPECT_TRUE(Near(Pixel(7.7, 6.7), Lit(panel, FrontLight(7.7, 6.7, 5.5, 12.0), 0.96)));
    EXPECT_TRUE(Near(Pixel(12.3, 8.3), Lit(panel, FrontLight(12.3, 8.3, 5.5, 12.0), 0.96)));
    // "PAUSED" centred on x 10, from y 7 to 8, in dark blue.
    const float text[4] = {0.0f, 0.0f, 0.5f, 1.0f};
    EXPECT_TRUE(Near(Pixel(10.05, 7.5), Lit(text, FrontLight(10.05, 7.5, 5.5, 12.0))));
    EXPECT_TRUE(Near(Pixel(8.6, 7.5), Lit(panel, FrontLight(8.6, 7.5, 5.5, 12.0), 0.96)));
    // The walls stay.
    EXPECT_FALSE(IsBlack(Pixel(0.05, 12.0)));
}

TEST_F(RenderTextTest, NameEntryPanelFieldAndCursorSitWhereTheyShould) {
    game->state = GameOver;
    game->nameQualifies = true;
    game->playerName = "";
    Frame();
    auto at = [](const float* c, double x, double y, double alpha = 1.0) {
        return Lit(c, FrontLight(x, y, 5.5, 12.0), alpha);
    };
    const float panel[4] = {0.8f, 0.85f, 0.9f, 1.0f};
    const float field[4] = {0.2f, 0.225f, 0.25f, 1.0f};
    const float name[4] = {0.8f, 0.9f, 1.0f, 1.0f};
    // The pale panel spans x 2.5..17.5, y 5..10.
    EXPECT_TRUE(Near(Pixel(2.6, 5.1), at(panel, 2.6, 5.1, 0.92)));
    EXPECT_TRUE(Near(Pixel(17.4, 9.9), at(panel, 17.4, 9.9, 0.92)));
    EXPECT_FALSE(Near(Pixel(2.4, 5.1), at(panel, 2.4, 5.1, 0.92)));
    EXPECT_TRUE(IsBlack(Pixel(6.0, 10.1)));
    // The dark field spans x 4..16, y 5.75..6.95; the cursor alone at x 4.5.
    EXPECT_TRUE(Near(Pixel(3.9, 6.3), at(panel, 3.9, 6.3, 0.92)));
    EXPECT_TRUE(Near(Pixel(4.1, 6.3), at(field, 4.1, 6.3)));
    EXPECT_TRUE(Near(Pixel(4.7, 6.3), at(name, 4.7, 6.3)));
    EXPECT_TRUE(Near(Pixel(5.1, 6.3), at(field, 5.1, 6.3)));
    EXPECT_TRUE(Near(Pixel(15.9, 6.9), at(field, 15.9, 6.9)));

    // The cursor follows the name typed so far.
    game->playerName = "AB";
    Frame();
    EXPECT_TRUE(Near(Pixel(5.5, 6.3), at(name, 5.5, 6.3)));
    EXPECT_TRUE(Near(Pixel(6.0, 6.3), at(field, 6.0, 6.3)));
}

TEST_F(RenderTextTest, GameOverPanelWithoutAQualifyingScore) {
    game->state = GameOver;
    game->nameQualifies = false;
    Frame();
    const float panel[4] = {0.9f, 0.75f, 0.6f, 1.0f};
    // x 20/3..40/3, y 6..9; "GAME OVER" across y 7..8.
    EXPECT_TRUE(Near(Pixel(6.8, 6.2), Lit(panel, FrontLight(6.8, 6.2, 5.5, 12.0), 0.92)));
    EXPECT_TRUE(Near(Pixel(13.2, 8.8), Lit(panel, FrontLight(13.2, 8.8, 5.5, 12.0), 0.92)));
    EXPECT_TRUE(IsBlack(Pixel(6.5, 8.8)));
    const float text[4] = {0.3f, 0.0f, 0.0f, 1.0f};
    EXPECT_TRUE(Near(Pixel(8.3, 7.5), Lit(text, FrontLight(8.3, 7.5, 5.5, 12.0))));
}

TEST_F(RenderTextTest, RecentWordsStackUpFromTheBottomAndFade) {
    FoundWord target;
    target.word = "CAT";
    target.points = 18;
    target.flags = FlagTarget | FlagBonus;
    FoundWord plain;
    plain.word = "DOG";
    plain.points = 5;
    game->recentWords.assign(8, plain);
    game->recentWords.push_front(target);
    Frame();
    const float red[4] = {1.0f, 0.2f, 0.2f, 1.0f};
    EXPECT_TRUE(Near(Pixel(12.45, 0.6), Lit(red, FrontLight(12.45, 0.6, 5.5, 12.0))));
    const float k = 1.0f / 3.0f;
    const float paleBlue[4] = {0.67f * k, 0.8f * k, 0.93f * k, 1.0f};
    EXPECT_TRUE(Near(Pixel(12.45, 8.6), Lit(paleBlue, FrontLight(12.45, 8.6, 5.5, 12.0))));
    EXPECT_TRUE(IsBlack(Pixel(12.45, 0.1)));
    EXPECT_TRUE(IsBlack(Pixel(12.45, 9.25)));
}

// ---- The title menu ----

TEST_F(RenderTextTest, TitleMenuHighlightsTheCursorItemAndRecordsTheBands) {
    MenuView();
    game->state = TitleMenu;
    game->menuCursor = 2;
    game->spinAngle = 0.0;
    std::fill(std::begin(game->menuBands), std::end(game->menuBands), 0.0);
    Frame();
    const double expectedBands[5] = {6.0, 5.0, 4.0, 3.0, 2.0};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(game->menuBands[i], expectedBands[i]);

    // "Begin Game" at y 4..5 and "High Scores" at y 3..4 both cover x 9 with
    // a letter; "Show Next: Yes" at y 5..6 covers x 9.5.
    const float item[4] = {0.25f, 0.5f, 0.5f, 1.0f};
    const float bright[4] = {0.9f, 0.9f, 0.9f, 1.0f};
    const double light = FrontLight(9.0, 4.5, 10.0, 7.5);
    EXPECT_TRUE(Near(Pixel(9.0, 4.5), Lit(bright, light)));
    EXPECT_TRUE(Near(Pixel(9.0, 3.5), Lit(item, FrontLight(9.0, 3.5, 10.0, 7.5))));
    EXPECT_TRUE(Near(Pixel(9.5, 5.5), Lit(item, FrontLight(9.5, 5.5, 10.0, 7.5))));

    // At the pulse's low point the item dims to 0.4.
    game->spinAngle = M_PI / 5.0;
    Frame();
    const float dim[4] = {0.4f, 0.4f, 0.4f, 1.0f};
    EXPECT_TRUE(Near(Pixel(9.0, 4.5), Lit(dim, light)));

    // Moving the cursor moves the highlight.
    game->spinAngle = 0.0;
    game->menuCursor = 3;
    Frame();
    EXPECT_TRUE(Near(Pixel(9.0, 3.5), Lit(bright, FrontLight(9.0, 3.5, 10.0, 7.5))));
    EXPECT_TRUE(Near(Pixel(9.0, 4.5), Lit(item, light)));
}

TEST_F(RenderTextTest, TitleBlocksStandCentredAndBobAlongTheWave) {
    MenuView();
    game->state = TitleMenu;
    for (double spin : {0.0, 1.0}) {
        game->spinAngle = spin;
        Frame();
        // Eleven blocks 1.25 apart, centred: the first at x 3.125.
        double phase = 0.0;
        for (int k = 0; k < 11; ++k, phase += 0.33) {
            const double d = 0.25 * std::sin(2.0 * (phase + spin));
            const double x = 3.125 + 1.25 * k;
            const double y = 12.0 + 2.5 * d;
            // The black glyph covers the middle of the face: look at its
            // left edge, and just above the block.
            const float colour[4] = {0.5f + static_cast<float>(d), 0.6f + static_cast<float>(d),
                                     0.75f + static_cast<float>(d), 1.0f};
            EXPECT_TRUE(Near(Pixel(x + 0.06, y + 0.5),
                             Lit(colour, FrontLight(x + 0.06, y + 0.5, 10.0, 7.5))))
                << "block " << k << " at spin " << spin;
            const Rgb above = Pixel(x + 0.5, y + 1.15);
            EXPECT_LT(above.b, 0.3) << "block " << k << " at spin " << spin;
        }
    }
}

// ---- The Hall of Fame ----

TEST_F(RenderTextTest, HallOfFameRowsFillFromTheTopAndSpacesStayEmpty) {
    MenuView();
    game->state = HallOfFame;
    game->spinAngle = 0.0;
    for (int k = 0; k < HighScoreTable::EntryCount; ++k) {
        HighScoreEntry& entry = game->highScores.entries[k];
        std::strcpy(entry.name, k >= 7 ? "Ann" : "Nobody");
        entry.score = k >= 7 ? 100 * k : 0;
        entry.words = k;
        entry.skill = 1;
    }
    Frame();
    // Rows are 51 characters at size 0.85, centred: they start at x 0.89.
    const double x = 1.0;
    for (int k = 7; k <= 9; ++k) {
        const double y = 2.0 + 0.85 * k + 0.4;
        const float f = static_cast<float>(0.8 - 0.05 * (10 - k));
        const float colour[4] = {0.8f * f, f, 0.5f * f, 1.0f};
        EXPECT_TRUE(Near(Pixel(x, y), Lit(colour, FrontLight(x, y, 10.0, 7.5)))) << "row " << k;
    }
    const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    EXPECT_TRUE(Near(Pixel(x, 10.9), Lit(white, FrontLight(x, 10.9, 10.0, 7.5))));
    // The seven empty rows below show the dim backdrop only.
    for (int k = 0; k < 7; ++k) {
        const Rgb c = Pixel(x, 2.0 + 0.85 * k + 0.4);
        EXPECT_LT(c.r, 0.3) << "row " << k;
        EXPECT_GT(c.r, 0.1) << "row " << k;
    }
    // The footer's first dash, from x 5.43 at y 0.25..1.
    const float footer[4] = {0.62f, 0.62f, 0.62f, 1.0f};
    EXPECT_TRUE(Near(Pixel(5.6, 0.6), Lit(footer, FrontLight(5.6, 0.6, 10.0, 7.5))));

    // The title "HALL OF FAME" in green blocks from x 2.5 at y 12.75; its
    // spaces (characters 4 and 7) stay empty.
    double phase = 0.0;
    for (int k = 0; k < 12; ++k, phase += 0.33) {
        const double d = 0.25 * std::sin(2.0 * phase);
        const double bx = 2.5 + 1.25 * k + 0.06;
        const double by = 12.75 + 2.5 * d + 0.5;
        const float colour[4] = {LevelBlockColour[1][0] + static_cast<float>(d),
                                 LevelBlockColour[1][1] + static_cast<float>(d),
                                 LevelBlockColour[1][2] + static_cast<float>(d), 1.0f};
        const Rgb got = Pixel(bx, by);
        if (k == 4 || k == 7)
            EXPECT_LT(got.g, 0.3) << "character " << k;
        else
            EXPECT_TRUE(Near(got, Lit(colour, FrontLight(bx, by, 10.0, 7.5)))) << "character " << k;
    }
}

// The picture itself: frames drawn into a real GL context and read back from
// the back buffer. The plane z = 0 of the scene, x 0..20 and y 0..15, fills
// the 800 x 600 viewport: scene point (x, y) is pixel (40 x, 40 y) from the
// bottom left. The fixture's images are plain white and its font has solid
// glyphs (or none), so every surface shows exactly its lit colour: with 0.2
// global and 0.35 light ambient and 0.65 diffuse from (cx, cy, 25), a face
// facing the viewer at (x, y, z) has colour c (0.55 + 0.65 n.l), clamped.

#include "game/WordGame.h"
#include "render/Colours.h"
#include "tests/support/GlContext.h"
#include "tests/support/TempDir.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace {

struct Rgb {
    double r, g, b;
};

// 512 x 512 font image of 29 x 69 cells, 14 to a row: solid white cells for
// every character but space, or all black.
std::string FontPgm(bool solid) {
    std::string pixels(512 * 512, '\0');
    for (int k = 1; solid && k < 96; ++k)
        for (int y = (k / 14) * 69; y < (k / 14 + 1) * 69; ++y)
            std::memset(&pixels[static_cast<std::size_t>(y * 512 + (k % 14) * 29)], 0xff, 29);
    return "P5\n512 512\n255\n" + pixels;
}

::testing::AssertionResult Near(const Rgb& got, const Rgb& want, double tolerance = 0.03) {
    if (std::fabs(got.r - want.r) <= tolerance && std::fabs(got.g - want.g) <= tolerance &&
        std::fabs(got.b - want.b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "got (" << got.r << ", " << got.g << ", " << got.b << "), want (" << want.r << ", "
           << want.g << ", " << want.b << ")";
}

bool IsBlack(const Rgb& c) {
    return c.r < 0.02 && c.g < 0.02 && c.b < 0.02;
}

const float White[4] = {1.0f, 1.0f, 1.0f, 1.0f};

} // namespace

class RenderTest : public GlTest {
  protected:
    virtual bool SolidFont() const { return false; }

    void SetUp() override {
        GlTest::SetUp();
        dir = std::make_unique<TempDir>(true);
        const std::string white = "P6\n8 8\n255\n" + std::string(8 * 8 * 3, '\xff');
        for (const char* image : {"tile.ppm", "water.ppm", "coarse.ppm"})
            dir->Write(image, white);
        dir->Write("font.pgm", FontPgm(SolidFont()));
        dir->Write("dictionary.txt", "CAT\nDOG\nTRIG\nWORD\n");
        NewGame();
    }
    void TearDown() override {
        game.reset(); // saves its Hall of Fame file before the folder goes
        dir.reset();
    }

    void NewGame() {
        game.reset();
        game = std::make_unique<WordGame>();
        game->windowOpen = true;
        game->width = 800;
        game->height = 600;
        glViewport(0, 0, 800, 600);
        game->InitGraphics();
        SetView(5.5, 12.0);
        game->state = BlockDelay;
    }
    void SetView(double cx, double cy) {
        game->viewCentreX = cx;
        game->viewCentreY = cy;
        game->Reshape(800, 600);
    }
    void Frame() {
        game->Display();
        glFinish();
    }
    Rgb Pixel(double x, double y) const {
        unsigned char rgb[3] = {0, 0, 0};
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(static_cast<int>(x * 40), static_cast<int>(y * 40), 1, 1, GL_RGB,
                     GL_UNSIGNED_BYTE, rgb);
        return {rgb[0] / 255.0, rgb[1] / 255.0, rgb[2] / 255.0};
    }
    // The lit colour at (x, y, z) of a surface with normal n, blended with
    // alpha over black.
    Rgb Lit(double x, double y, const float* c, double alpha = 1.0, double z = 0.0,
            const double n[3] = nullptr) const {
        static const double front[3] = {0.0, 0.0, 1.0};
        if (n == nullptr)
            n = front;
        const double l[3] = {game->viewCentreX - x, game->viewCentreY - y, 25.0 - z};
        const double nl = (n[0] * l[0] + n[1] * l[1] + n[2] * l[2]) /
                          std::sqrt(l[0] * l[0] + l[1] * l[1] + l[2] * l[2]);
        const double f = 0.55 + 0.65 * std::max(0.0, nl);
        return {alpha * std::min(1.0, c[0] * f), alpha * std::min(1.0, c[1] * f),
                alpha * std::min(1.0, c[2] * f)};
    }
    // Is the pixel at (x, y) the lit colour c there?
    ::testing::AssertionResult Shows(double x, double y, const float* c, double alpha = 1.0) {
        return Near(Pixel(x, y), Lit(x, y, c, alpha));
    }

    std::unique_ptr<TempDir> dir;
    std::unique_ptr<WordGame> game;
};

// Text shows as solid quads in its colour.
class RenderSolidTextTest : public RenderTest {
  protected:
    bool SolidFont() const override { return true; }
};

// ---- Scene set-up ----

TEST_F(RenderTest, SecondInitGraphicsChangesNoStateAndMakesNoObject) {
    ASSERT_TRUE(game->glReady);
    const unsigned names[5] = {game->blockList, game->font.texture, game->tileTexture,
                               game->waterTexture, game->coarseTexture};
    for (unsigned name : names)
        EXPECT_NE(name, 0u);
    glDisable(GL_BLEND);
    game->InitGraphics();
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    const unsigned again[5] = {game->blockList, game->font.texture, game->tileTexture,
                               game->waterTexture, game->coarseTexture};
    EXPECT_TRUE(std::equal(names, names + 5, again));
    EXPECT_FALSE(glIsList(game->blockList + 1));
}

TEST_F(RenderTest, EveryViewCentreShowsTheSameSceneRectangleAndMovesTheLight) {
    const double centres[3][2] = {{0.0, 0.0}, {10.0, 7.5}, {5.5, 12.0}};
    const double corners[3][2] = {{0.0, 0.0}, {20.0, 15.0}, {11.0, 9.5}};
    for (const double* c : centres) {
        SetView(c[0], c[1]);
        double m[16];
        glGetDoublev(GL_PROJECTION_MATRIX, m);
        // Scene (x, y, z) to window units 0..20 and 0..15.
        auto project = [&m](double x, double y, double z, double& wx, double& wy) {
            const double w = m[3] * x + m[7] * y + m[11] * z + m[15];
            wx = ((m[0] * x + m[4] * y + m[8] * z + m[12]) / w + 1.0) * 10.0;
            wy = ((m[1] * x + m[5] * y + m[9] * z + m[13]) / w + 1.0) * 7.5;
        };
        double wx, wy;
        for (const double* p : corners) {
            project(p[0], p[1], 0.0, wx, wy);
            EXPECT_NEAR(wx, p[0], 1e-5); // the matrices are single precision
            EXPECT_NEAR(wy, p[1], 1e-5);
        }
        // One unit back a point moves a 21st of the way to the view centre.
        project(21.0, 0.0, -1.0, wx, wy);
        EXPECT_NEAR(wx, 21.0 - (21.0 - c[0]) / 21.0, 1e-5);
        EXPECT_NEAR(wy, c[1] / 21.0, 1e-5);
        GLfloat light[4];
        glGetLightfv(GL_LIGHT0, GL_POSITION, light);
        EXPECT_TRUE(light[0] == float(c[0]) && light[1] == float(c[1]) && light[2] == 25.0f &&
                    light[3] == 1.0f);
    }
}

// Blocks on either side of the view centre show all four sides between them;
// a side wound the wrong way round would be culled and leave black.
TEST_F(RenderTest, BlockShowsItsSidesTowardsTheViewCentre) {
    SetView(10.0, 7.5);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    game->DrawLetterBlock(2.0, 2.0, 0, White, White);
    game->DrawLetterBlock(15.0, 11.0, 0, White, White);
    glFinish();
    const double right[3] = {1, 0, 0}, left[3] = {-1, 0, 0}, up[3] = {0, 1, 0},
                 down[3] = {0, -1, 0};
    EXPECT_TRUE(Shows(2.5, 2.5, White));
    // Right side from x 3 to about 3.33, top from y 3 to about 3.21.
    EXPECT_TRUE(Near(Pixel(3.15, 2.5), Lit(3, 2.5, White, 1, -0.5, right), 0.05));
    EXPECT_TRUE(Near(Pixel(2.5, 3.1), Lit(2.5, 3, White, 1, -0.5, up), 0.05));
    EXPECT_TRUE(IsBlack(Pixel(3.45, 2.5)) && IsBlack(Pixel(2.5, 3.3)));
    EXPECT_TRUE(Near(Pixel(14.88, 11.5), Lit(15, 11.5, White, 1, -0.5, left), 0.05));
    EXPECT_TRUE(Near(Pixel(15.5, 10.9), Lit(15.5, 11, White, 1, -0.5, down), 0.05));
    EXPECT_TRUE(IsBlack(Pixel(14.7, 11.5)) && IsBlack(Pixel(15.5, 10.75)));
}

TEST_F(RenderTest, MissingImagesLeaveSurfacesInTheirPlainLitColour) {
    std::remove("tile.ppm");
    std::remove("coarse.ppm");
    NewGame();
    EXPECT_EQ(game->tileTexture, 0u);
    EXPECT_EQ(game->coarseTexture, 0u);
    game->SetCell(4, 10, 'Q');
    Frame();
    EXPECT_TRUE(Shows(4.5, 10.5, LevelBlockColour[0]));
    const double right[3] = {1, 0, 0}; // the left wall's inside face
    EXPECT_TRUE(Near(Pixel(0.05, 12.0), Lit(0.0, 12.0, White, 1.0, -0.5, right)));
}

// ---- The play screen ----

TEST_F(RenderTest, WellCellsAndPreviewShowTheLevelColourAndWaterCoversRowsZeroToSix) {
    const int cells[4][2] = {{0, 7}, {10, 14}, {4, 10}, {2, 3}};
    for (const auto& cell : cells)
        game->SetCell(cell[0], cell[1], 'E');
    for (int level = 1; level <= 5; ++level) {
        game->level = level;
        Frame();
        const float* colour = LevelBlockColour[(level - 1) % 4];
        // Centres of the cells; the one in row 3 is in front of the water.
        for (const auto& cell : cells)
            EXPECT_TRUE(Shows(cell[0] + 0.5, cell[1] + 0.5, colour)) << "level " << level;
        EXPECT_TRUE(Shows(12.5, 10.15, colour)) << "the next block, level " << level;
    }
    // Empty cells under water show the translucent water over black; from
    // the surface row up there is nothing in front of the black.
    const float water[4] = {0.35f, 0.35f, 0.35f, 1.0f};
    for (int row = 1; row <= 6; ++row)
        EXPECT_TRUE(Near(Pixel(7.5, row + 0.5), Lit(7.5, row + 0.5, water, 0.75, -0.33), 0.02));
    EXPECT_TRUE(IsBlack(Pixel(7.5, 7.5)) && IsBlack(Pixel(7.5, 8.5)));

    game->showNext = false;
    Frame();
    EXPECT_TRUE(IsBlack(Pixel(12.5, 10.15)));
}

TEST_F(RenderTest, FallingBlockShowsAtItsFractionalHeight) {
    game->state = BlockFalling;
    game->blockColumn = 3;
    game->blockHeight = 10.5;
    game->bonusBlock = false;
    Frame();
    EXPECT_TRUE(Shows(3.5, 10.6, LevelBlockColour[0]) && Shows(3.5, 11.4, LevelBlockColour[0]));
    EXPECT_TRUE(IsBlack(Pixel(3.5, 10.4)) && IsBlack(Pixel(3.5, 11.6)));
    game->bonusBlock = true;
    Frame();
    EXPECT_TRUE(Shows(3.5, 11.0, BonusBlockColour));
    game->state = BlockDelay;
    Frame();
    EXPECT_TRUE(IsBlack(Pixel(3.5, 11.0)));
}

TEST_F(RenderTest, WordBeingCreditedIsLitInEachOfItsCells) {
    for (int k = 0; k < 4; ++k)
        game->SetCell(2 + k, 9, "CATS"[k]);
    game->SetCell(7, 12, 'A');
    game->SetCell(7, 11, 'T');
    game->foundWords.resize(2);
    game->foundWords[0] = {"CAT", 2, 9, 3, false, 0, 0};
    game->foundWords[1] = {"AT", 7, 12, 2, true, 0, 0};
    game->state = WordRemoval;
    game->revealIndex = 0;
    Frame();
    EXPECT_TRUE(Shows(2.5, 9.5, HighlightBlockColour) && Shows(4.5, 9.5, HighlightBlockColour));
    EXPECT_TRUE(Shows(5.5, 9.5, LevelBlockColour[0]) && Shows(7.5, 12.5, LevelBlockColour[0]));
    game->revealIndex = 1;
    Frame();
    EXPECT_TRUE(Shows(7.5, 12.5, HighlightBlockColour) && Shows(7.5, 11.5, HighlightBlockColour));
    EXPECT_TRUE(Shows(2.5, 9.5, LevelBlockColour[0]));
    game->revealIndex = 2; // past the words found: nothing lit, no crash
    Frame();
    EXPECT_TRUE(Shows(7.5, 12.5, LevelBlockColour[0]));
}

TEST_F(RenderTest, SweepRowFadesAndRowsBelowItAreGone) {
    game->state = WellSweep;
    game->sweepRow = 8;
    game->sweepTime = 0.1;
    for (int row = 7; row <= 9; ++row)
        game->SetCell(1, row, 'B');
    Frame();
    const float* colour = LevelBlockColour[0];
    EXPECT_TRUE(Shows(1.5, 8.5, colour, 0.9));
    EXPECT_TRUE(Shows(2.5, 8.5, colour, 0.27)); // an empty cell: a bare, faint block
    EXPECT_TRUE(Shows(1.5, 9.5, colour));
    EXPECT_TRUE(IsBlack(Pixel(1.5, 7.5)));
    game->sweepRow = 14;
    Frame();
    EXPECT_TRUE(IsBlack(Pixel(1.5, 9.5)));
    EXPECT_TRUE(Shows(1.5, 14.5, colour, 0.27));
}

// ---- Overlays ----

TEST_F(RenderSolidTextTest, PausedHidesEveryBlockAndShowsItsPanel) {
    game->SetCell(2, 10, 'P');
    game->SetCell(4, 7, 'Q');
    game->state = BlockFalling;
    game->blockColumn = 8;
    game->blockHeight = 12.0;
    Frame();
    EXPECT_FALSE(IsBlack(Pixel(2.05, 10.5)) || IsBlack(Pixel(8.05, 12.5)));
    game->state = Paused;
    Frame();
    EXPECT_TRUE(IsBlack(Pixel(2.05, 10.5)) && IsBlack(Pixel(4.05, 7.5)) &&
                IsBlack(Pixel(8.05, 12.5)));
    // The panel x 7.5..12.5, y 6.5..8.5; "PAUSED" centred on x 10, y 7..8.
    const float panel[4] = {0.5f, 0.65f, 0.8f, 1.0f};
    const float text[4] = {0.0f, 0.0f, 0.5f, 1.0f};
    EXPECT_TRUE(Shows(7.6, 6.6, panel, 0.96) && Shows(12.4, 8.4, panel, 0.96));
    EXPECT_TRUE(Shows(10.05, 7.5, text) && Shows(8.6, 7.5, panel, 0.96));
    EXPECT_FALSE(IsBlack(Pixel(0.05, 12.0))); // the walls stay
}

TEST_F(RenderSolidTextTest, GameOverPanelsNameFieldAndCursorSitWhereTheyShould) {
    game->state = GameOver;
    game->nameQualifies = true;
    Frame();
    const float panel[4] = {0.8f, 0.85f, 0.9f, 1.0f};
    const float field[4] = {0.2f, 0.225f, 0.25f, 1.0f};
    const float name[4] = {0.8f, 0.9f, 1.0f, 1.0f};
    // Panel x 2.5..17.5, y 5..10; field x 4..16, y 5.75..6.95; "_" at x 4.5.
    EXPECT_TRUE(Shows(2.6, 5.1, panel, 0.92) && Shows(17.4, 9.9, panel, 0.92));
    EXPECT_FALSE(Shows(2.4, 5.1, panel, 0.92));
    EXPECT_TRUE(Shows(3.9, 6.3, panel, 0.92) && Shows(4.1, 6.3, field, 1.0));
    EXPECT_TRUE(Shows(4.7, 6.3, name) && Shows(5.1, 6.3, field) && Shows(15.9, 6.9, field));
    game->playerName = "AB";
    Frame();
    EXPECT_TRUE(Shows(5.5, 6.3, name) && Shows(6.0, 6.3, field));

    game->nameQualifies = false;
    Frame();
    const float plain[4] = {0.9f, 0.75f, 0.6f, 1.0f};
    const float text[4] = {0.3f, 0.0f, 0.0f, 1.0f};
    // Panel x 20/3..40/3, y 6..9, "GAME OVER" across y 7..8.
    EXPECT_TRUE(Shows(6.8, 6.2, plain, 0.92) && Shows(13.2, 8.8, plain, 0.92));
    EXPECT_TRUE(IsBlack(Pixel(6.5, 8.8)));
    EXPECT_TRUE(Shows(8.3, 7.5, text));
}

TEST_F(RenderSolidTextTest, RecentWordsStackUpFromTheBottomAndFade) {
    game->recentWords.assign(8, FoundWord{"DOG", 0, 0, 3, false, 5, 0});
    game->recentWords.push_front(FoundWord{"CAT", 0, 0, 3, false, 18, FlagTarget | FlagBonus});
    Frame();
    const float red[4] = {1.0f, 0.2f, 0.2f, 1.0f};
    const float k = 1.0f / 3.0f;
    const float paleBlue[4] = {0.67f * k, 0.8f * k, 0.93f * k, 1.0f};
    EXPECT_TRUE(Shows(12.45, 0.6, red) && Shows(12.45, 8.6, paleBlue));
    EXPECT_TRUE(IsBlack(Pixel(12.45, 0.1)) && IsBlack(Pixel(12.45, 9.25)));
}

// ---- Title menu and Hall of Fame ----

TEST_F(RenderSolidTextTest, TitleMenuHighlightPulsesOnTheCursorItemAndBandsAreRecorded) {
    SetView(10.0, 7.5);
    game->state = TitleMenu;
    game->menuCursor = 2;
    game->spinAngle = 0.0;
    std::fill(std::begin(game->menuBands), std::end(game->menuBands), 0.0);
    Frame();
    const double bands[5] = {6.0, 5.0, 4.0, 3.0, 2.0};
    EXPECT_TRUE(std::equal(bands, bands + 5, game->menuBands));
    // Letters of "Begin Game" (y 4..5) and "High Scores" (y 3..4) at x 9.
    const float item[4] = {0.25f, 0.5f, 0.5f, 1.0f};
    const float bright[4] = {0.9f, 0.9f, 0.9f, 1.0f};
    const float dim[4] = {0.4f, 0.4f, 0.4f, 1.0f};
    EXPECT_TRUE(Shows(9.0, 4.5, bright) && Shows(9.0, 3.5, item) && Shows(9.5, 5.5, item));
    game->spinAngle = M_PI / 5.0;
    Frame();
    EXPECT_TRUE(Shows(9.0, 4.5, dim));
    game->spinAngle = 0.0;
    game->menuCursor = 3;
    Frame();
    EXPECT_TRUE(Shows(9.0, 3.5, bright) && Shows(9.0, 4.5, item));
}

// Title blocks stand 1.25 apart, centred, each raised by 2.5 d and brightened
// by d = 0.25 sin(2 (p + spinAngle)), p growing by 0.33 per character; a
// space leaves its place empty. The black glyph covers the middle of each
// face, so the test looks at its left edge.
TEST_F(RenderSolidTextTest, TitleBlocksStandCentredAndBobAlongTheWave) {
    SetView(10.0, 7.5);
    struct Title {
        int state;
        const char* text;
        double y;
        const float* colour;
    };
    const float menuBlue[4] = {0.5f, 0.6f, 0.75f, 1.0f};
    for (const Title& title : {Title{TitleMenu, "GLYPHTUMBLE", 12.0, menuBlue},
                               Title{HallOfFame, "HALL OF FAME", 12.75, LevelBlockColour[1]}})
        for (double spin : {0.0, 1.0}) {
            game->state = title.state;
            game->spinAngle = spin;
            Frame();
            const int n = static_cast<int>(std::strlen(title.text));
            double phase = 0.0;
            for (int k = 0; k < n; ++k, phase += 0.33) {
                const float d = static_cast<float>(0.25 * std::sin(2.0 * (phase + spin)));
                const float c[4] = {title.colour[0] + d, title.colour[1] + d, title.colour[2] + d,
                                    1.0f};
                const double x = (20.0 - 1.25 * n) * 0.5 + 1.25 * k + 0.06;
                const double y = title.y + 2.5 * d + 0.5;
                if (title.text[k] == ' ')
                    EXPECT_LT(Pixel(x, y).b, 0.3) << title.text << " " << k;
                else
                    EXPECT_TRUE(Shows(x, y, c)) << title.text << " " << k << " spin " << spin;
                EXPECT_LT(Pixel(x + 0.44, y + 0.65).b, 0.3) << "above " << k;
            }
        }
}

TEST_F(RenderSolidTextTest, HallOfFameRowsFillFromTheTopUnderTheHeader) {
    SetView(10.0, 7.5);
    game->state = HallOfFame;
    for (int k = 0; k < HighScoreTable::EntryCount; ++k) {
        HighScoreEntry& entry = game->highScores.entries[k];
        std::strcpy(entry.name, k >= 7 ? "Ann" : "Nobody");
        entry.score = k >= 7 ? 100 * k : 0;
    }
    Frame();
    // Rows are 51 characters at size 0.85, centred: they start at x 0.89.
    for (int k = 7; k <= 9; ++k) {
        const float f = static_cast<float>(0.8 - 0.05 * (10 - k));
        const float colour[4] = {0.8f * f, f, 0.5f * f, 1.0f};
        EXPECT_TRUE(Shows(1.0, 2.4 + 0.85 * k, colour)) << "row " << k;
    }
    EXPECT_TRUE(Shows(1.0, 10.9, White)); // the header
    for (int k = 0; k < 7; ++k) {         // empty rows show the dim backdrop
        const Rgb c = Pixel(1.0, 2.4 + 0.85 * k);
        EXPECT_TRUE(c.r > 0.1 && c.r < 0.3) << "row " << k;
    }
    const float footer[4] = {0.62f, 0.62f, 0.62f, 1.0f};
    EXPECT_TRUE(Shows(5.6, 0.6, footer)); // its first dash, from x 5.43
}

// Frames read back from a real GL context: the plane z = 0, x 0..20 by y 0..15,
// fills 800 x 600. With plain white images a surface shows c (0.55 + 0.65 n.l).

#include "game/WordGame.h"
#include "render/Colours.h"
#include "tests/support/GlContext.h"
#include "tests/support/TempDir.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <cstring>

const float White[4] = {1, 1, 1, 1}, Black[4] = {0, 0, 0, 1};
const float* const Level1 = LevelBlockColour[0];

class RenderTest : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        dir.Write("dictionary.txt", "QUIZ\n");
        for (const char* image : {"tile.ppm", "water.ppm", "coarse.ppm"})
            dir.Write(image, "P6\n8 8\n255\n" + std::string(8 * 8 * 3, '\xff'));
        NewGame();
    }
    // A game in the view from (cx, cy); its font (29 x 69 cells, 14 to a row)
    // is white in the left ink columns (at most 27) of every cell but the
    // space's, inside a clear frame one texel wide: the filter finds the
    // space's cell clear to its borders.
    void NewGame(double cx = 5.5, double cy = 12.0, int ink = 0) {
        std::string font(512 * 512, '\0');
        for (int k = 1; ink > 0 && k < 96; ++k)
            for (int y = (k / 14) * 69 + 1; y < (k / 14 + 1) * 69 - 1; ++y)
                std::memset(&font[static_cast<std::size_t>(y * 512 + (k % 14) * 29 + 1)], 0xff,
                            static_cast<std::size_t>(std::min(ink, 27)));
        dir.Write("font.pgm", "P5\n512 512\n255\n" + font);
        Open(cx, cy);
    }
    void Open(double cx, double cy) {
        game = nullptr; // one game at a time owns the Hall of Fame file
        game = std::make_unique<WordGame>();
        game->windowOpen = true;
        glViewport(0, 0, 800, 600);
        game->InitGraphics();
        game->viewCentreX = cx;
        game->viewCentreY = cy;
        game->Reshape(800, 600);
        game->state = BlockDelay;
    }
    // Does (x, y) show c lit at depth z, facing the viewer, with alpha over black?
    ::testing::AssertionResult Shows(double x, double y, const float* c, double alpha = 1.0,
                                     double z = 0.0) const {
        const double l[3] = {game->viewCentreX - x, game->viewCentreY - y, 25.0 - z};
        const double f = 0.55 + 0.65 * l[2] / std::hypot(l[0], l[1], l[2]);
        unsigned char got[3] = {0, 0, 0};
        glReadPixels(int(x * 40), int(y * 40), 1, 1, GL_RGB, GL_UNSIGNED_BYTE, got);
        for (int i = 0; i < 3; ++i)
            if (std::fabs(got[i] / 255.0 - alpha * std::min(1.0, c[i] * f)) > 0.03)
                return ::testing::AssertionFailure() << "(" << x << ", " << y << ") shows "
                                                     << +got[0] << " " << +got[1] << " " << +got[2];
        return ::testing::AssertionSuccess();
    }
    // The text of a frame below the blocks of a title.
    std::string Text(const char* from = "") {
        const std::string text =
            DrawnText(game->font, std::bind(&WordGame::Display, game.get()), 40);
        return text.substr(text.find(from));
    }
    TempDir dir{true};
    std::unique_ptr<WordGame> game; // saves its Hall of Fame file before dir goes
};

TEST_F(RenderTest, WellFallingBlockCreditedWordPauseAndPlainColoursWithoutImages) {
    for (const auto& [column, row] : {std::pair{0, 7}, {10, 14}, {2, 3}})
        game->SetCell(column, row, 'E');
    for (game->level = 1; game->level <= 5; ++game->level) {
        game->Display();
        for (const auto& [x, y] : {std::pair{0.06, 7.5}, {10.06, 14.5}, {2.06, 3.5}})
            EXPECT_TRUE(Shows(x, y, LevelBlockColour[(game->level - 1) % 4]));
    }
    const float water[4] = {0.35f, 0.35f, 0.35f, 1.0f};
    for (int row = 1; row <= 6; ++row)
        EXPECT_TRUE(Shows(7.5, row + 0.5, water, 0.75, -0.33)) << row;
    EXPECT_TRUE(Shows(7.5, 7.5, Black));
    game->level = 1; // a falling block, the paused well, a word being credited
    game->SetCell(2, 10, 'P');
    game->state = BlockFalling;
    game->blockColumn = 3;
    game->blockHeight = 10.5;
    game->bonusBlock = true;
    game->Display();
    EXPECT_TRUE(Shows(3.06, 10.6, BonusBlockColour) && Shows(3.06, 11.4, BonusBlockColour));
    EXPECT_TRUE(Shows(3.5, 10.4, Black) && Shows(3.5, 11.6, Black));
    game->state = Paused;
    game->Display();
    EXPECT_TRUE(Shows(2.05, 10.5, Black) && Shows(3.5, 11.0, Black));
    // The word being credited is lit in each of its cells, and only it.
    const int cells[6][2] = {{2, 9}, {3, 9}, {4, 9}, {5, 9}, {7, 12}, {7, 11}};
    for (int k = 0; k < 6; ++k)
        game->SetCell(cells[k][0], cells[k][1], "CATSAT"[k]);
    game->foundWords = {{"CAT", 2, 9, 3, false, 0, 0}, {"AT", 7, 12, 2, true, 0, 0}};
    game->state = WordRemoval;
    const char* lit[3] = {"111000", "000011", "000000"}; // past the last word: none
    for (game->revealIndex = 0; game->revealIndex < 3; ++game->revealIndex) {
        game->Display();
        for (int k = 0; k < 6; ++k)
            EXPECT_TRUE(Shows(cells[k][0] + 0.06, cells[k][1] + 0.5,
                              lit[game->revealIndex][k] == '1' ? HighlightBlockColour : Level1));
    }
    std::remove("tile.ppm");
    std::remove("coarse.ppm");
    NewGame();
    game->SetCell(4, 10, 'Q');
    game->Display();
    EXPECT_TRUE(Shows(4.06, 10.5, Level1));
}

// Recent words: pale blue, a bonus yellow, a chain white, the target red,
// each dimmer by a twelfth per place above the newest.
TEST_F(RenderTest, StatusPanelRecentWordsWithTheirTintsAndTheGameOverPanel) {
    NewGame(5.5, 12.0, 14);
    game->showNext = false;
    game->score = 1234;
    game->wordsMade = 12;
    game->level = 2;
    game->minWordLength = 4;
    game->targetIndex = 0;
    game->recentWords = {{"CAT", 0, 0, 3, false, 18, 0},
                         {"LEMON", 0, 0, 5, false, 7, FlagBonus},
                         {"DOG", 0, 0, 3, false, 9, FlagChain | FlagBonus},
                         {"QUIZ", 0, 0, 4, false, 99, FlagTarget | FlagChain}};
    // Blanks draw nothing: the values, right-aligned in eight cells from x 16,
    // and the target word start where the pen has passed their leading blanks.
    EXPECT_EQ(Text(), "11.75 13.75 1.00 Score:\n17.68 13.75 1.00 1234\n"
                      "11.75 12.75 1.00 Level:\n18.94 12.75 1.00 2\n"
                      "11.75 11.75 1.00 Words:\n18.52 11.75 1.00 12\n"
                      "11.75 10.75 1.00 Min Length:\n18.94 10.75 1.00 4\n"
                      "14.77 9.75 1.00 QUIZ\n12.25 3.15 1.00 QUIZ          99\n"
                      "12.25 2.15 1.00 DOG            9\n12.25 1.15 1.00 LEMON          7\n"
                      "12.25 0.15 1.00 CAT           18");
    game->Display();
    const float tints[4][4] = {{0.67f, 0.8f, 0.93f},
                               {0.917f, 0.917f, 0.55f},
                               {0.833f, 0.833f, 0.833f},
                               {0.75f, 0.15f, 0.15f}};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(Shows(12.35, i + 0.6, tints[i])) << i;
    // Panel x 2.5..17.5, y 5..10; field x 4..16, y 5.75..6.95; "AB_" from x 4.5,
    // each glyph 0.42 wide. The empty right half of a glyph shows the field
    // behind it, not a dark box.
    game->state = GameOver;
    game->nameQualifies = true;
    game->playerName = "AB";
    game->Display();
    const float panel[4] = {0.8f, 0.85f, 0.9f, 1.0f}, field[4] = {0.2f, 0.225f, 0.25f, 1.0f},
                name[4] = {0.8f, 0.9f, 1.0f, 1.0f};
    EXPECT_TRUE(Shows(2.6, 5.1, panel, 0.92) && Shows(17.4, 9.9, panel, 0.92) &&
                !Shows(2.4, 5.1, panel, 0.92) && Shows(3.9, 6.3, panel, 0.92));
    EXPECT_TRUE(Shows(4.1, 6.3, field) && Shows(4.6, 6.3, name) && Shows(5.5, 6.3, name) &&
                Shows(6.0, 6.3, field) && Shows(15.9, 6.9, field));
    EXPECT_TRUE(Shows(4.85, 6.3, field) && Shows(5.27, 6.3, field)) << "glyph boxes";
}

TEST_F(RenderTest, BlockSidesTitleMenuThePointerAfterAResizeAndTheHallOfFame) {
    NewGame(10.0, 7.5, 29);
    // A block shows its sides towards the view centre; a side wound the wrong
    // way round would be culled and leave black.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    game->DrawLetterBlock(2.0, 2.0, 0, White, White);
    game->DrawLetterBlock(15.0, 11.0, 0, White, White);
    // Right and top sides of the first, left and bottom of the second; black beyond.
    EXPECT_TRUE(!Shows(3.15, 2.5, Black) && Shows(3.45, 2.5, Black));
    EXPECT_TRUE(!Shows(2.5, 3.1, Black) && Shows(2.5, 3.3, Black));
    EXPECT_TRUE(!Shows(14.88, 11.5, Black) && Shows(14.7, 11.5, Black));
    EXPECT_TRUE(!Shows(15.5, 10.9, Black) && Shows(15.5, 10.75, Black));
    game->state = TitleMenu;
    game->showNext = false;
    std::fill(std::begin(game->menuBands), std::end(game->menuBands), 0.0);
    EXPECT_EQ(Text("7.27 9.00"),
              "7.27 9.00 1.00 by Marrowdale\n5.43 8.00 0.75 version 1.10 build 2003-12-06\n"
              "4.75 6.00 1.00 Skill Level: Intermediate\n7.27 5.00 1.00 Show Next: No\n"
              "7.90 4.00 1.00 Begin Game\n7.69 3.00 1.00 High Scores\n"
              "7.06 2.00 1.00 Exit to system\n7.64 0.75 0.62 Start Glyphtumble!");
    const float item[4] = {0.25f, 0.5f, 0.5f, 1.0f}, bright[4] = {0.9f, 0.9f, 0.9f, 1.0f};
    for (game->menuCursor = 2; game->menuCursor <= 3; ++game->menuCursor) {
        game->Display(); // "Begin Game" at y 4..5, "High Scores" 3..4
        EXPECT_TRUE(Shows(9.0, 6.5 - game->menuCursor, bright) &&
                    Shows(9.0, 1.5 + game->menuCursor, item) && Shows(9.5, 5.5, item));
    }
    GlutCallbacks::SetCurrentApp(game.get()); // a fifteenth of 900 pixels is 60
    GlutCallbacks::Reshape(1000, 900);
    // v = 15 - y / 60: a band holds its lower edge; above and below them all,
    // and on the Hall of Fame, the pointer moves nothing.
    for (const auto& [y, item] :
         {std::pair{600, 1}, {480, 1}, {540, 0}, {780, 4}, {720, 3}, {870, 3}}) {
        game->PassiveMotion(0, y);
        EXPECT_EQ(game->menuCursor, item) << y;
    }
    game->SetState(HallOfFame);
    game->PassiveMotion(0, 540);
    EXPECT_EQ(game->menuCursor, 3);
    GlutCallbacks::Reshape(800, 600);
    GlutCallbacks::SetCurrentApp(nullptr);
    // The Hall of Fame: a white header, green rows dimming from the top, a grey footer.
    game->highScores.entries[9] = {"Ann", {}, 1234, 56, 2};
    game->highScores.entries[8] = {"Bob", {}, 99, 5, 7}; // a skill from a foreign file
    game->highScores.entries[0] = {"Cy", {}, 1, 1, 1};
    EXPECT_EQ(Text("0.89 10.50"),
              "0.89 10.50 0.85 Name                        Skill   Words     Score\n"
              "0.89 9.65 0.85 Ann                           Adv      56      1234\n"
              "0.89 8.80 0.85 Bob                           Beg       5        99\n"
              "0.89 2.00 0.85 Cy                            Int       1         1\n"
              "5.43 0.25 0.75 - Press any key to continue -");
    game->Display();
    const float header[4] = {1, 1, 1}, top[4] = {0.6f, 0.75f, 0.375f},
                second[4] = {0.56f, 0.7f, 0.35f}, lowest[4] = {0.24f, 0.3f, 0.15f},
                footer[4] = {0.62f, 0.62f, 0.62f};
    EXPECT_TRUE(Shows(1.0, 10.9, header) && Shows(1.0, 10.05, top) && Shows(1.0, 9.2, second) &&
                Shows(1.0, 2.4, lowest) && Shows(5.55, 0.6, footer));
}

// The font of the game's layout: 29 x 69 cells, 14 to a row from the top of
// a 512 x 512 image, glyphs 29 / 69 as wide as tall.
TEST_F(RenderTest, FontGridCentringAndDrawnBytes) {
    NewGame(5.5, 12.0, 14);
    const TextureFont& font = game->font;
    const int cells[][3] = {{0, 0, 69}, {13, 377, 69}, {14, 0, 138}, {95, 319, 483}};
    for (const auto& [k, left, bottom] : cells) { // a cell's edges in pixels
        EXPECT_NEAR(font.glyphU[k] * 512, left, 1e-9) << k;
        EXPECT_NEAR((1 - font.glyphV[k]) * 512, bottom, 1e-9) << k;
    }
    TextureFont refused; // no image, or sizes and cell counts of 0 or less
    EXPECT_FALSE(refused.Create("no-such-font.pgm", 512, 512, 29, 69, 14));
    for (int zero = 0; zero < 5; ++zero) {
        int a[5] = {512, 512, 29, 69, 14};
        a[zero] = zero % 2 ? 0 : -1;
        EXPECT_FALSE(refused.Create("font.pgm", a[0], a[1], a[2], a[3], a[4])) << zero;
    }
    EXPECT_EQ(refused.texture, 0u);
    // Centring counts every byte.
    EXPECT_NEAR(font.CentredX("A\nB", 1.5, 1.0), 10.87, 0.001);
    // A space takes its place; bytes below 32 and from 128 draw nothing and do
    // not advance; a glyph wound clockwise would be culled.
    glEnable(GL_CULL_FACE);
    EXPECT_EQ(DrawnText(
                  font,
                  [&] {
                      font.Draw("A b\n\x1f\x80\xff~", 1.0, 2.0, 1.0, White);
                      font.DrawChar(127, 3.13, 4.9, 0.7, 1.15, White);
                      for (const char skipped : {'\t', '\x80', '\xc8'})
                          font.DrawChar(skipped, 3, 4, 1, 1, White);
                  },
                  40),
              "3.13 4.90 1.15 \x7f\n1.00 2.00 1.00 A b~");
}

// The drawing shortcuts (solid surfaces unblended, clear glyphs left out)
// change no pixel of any screen, drawn with the game's own images.
// Rows: the real font; one inked to the edges of every cell but the space's,
// whose drawn quad the filter reaches from its neighbours' ink.
TEST_F(RenderTest, ShortcutsLeaveEveryPixelAsItWas) {
    for (const char* image : {"tile.ppm", "water.ppm", "coarse.ppm"})
        dir.Write(image, TempDir::Read(std::string(GLYPHTUMBLE_DATA_DIR) + "/" + image));
    std::string inked(512 * 512, '\xff');
    for (int y = 0; y < 69; ++y)
        std::memset(&inked[static_cast<std::size_t>(y * 512)], 0, 29);
    for (const auto& [fontName, font] :
         {std::pair{"real", TempDir::Read(std::string(GLYPHTUMBLE_DATA_DIR) + "/font.pgm")},
          {"inked", "P5\n512 512\n255\n" + inked}}) {
        dir.Write("font.pgm", font);
        Open(5.5, 12.0);
        for (int k = 0; k < HighScoreTable::EntryCount; ++k)
            game->highScores.entries[k] = {"Quincy Jo Vexby", {}, 90 * k + 7, 3 * k + 1, k % 3};
        for (int k = 0; k < WordGame::MaxRecentWords; ++k)
            game->recentWords.push_back({"JINX", 0, 0, 4, false, 10 * k, k % 8});
        game->targetIndex = 0;
        game->spinAngle = 0.7;
        game->sweepRow = 6; // faded by a tenth, its gaps faint bare blocks
        game->sweepTime = 0.1;
        game->nameQualifies = true;
        game->playerName = "Jo Q";
        const struct {
            const char* name;
            int state, well; // 0 empty, 1 in play (gaps, blocks floating), 2 full
        } screens[] = {{"title", TitleMenu, 0},   {"Hall of Fame", HallOfFame, 0},
                       {"empty", BlockDelay, 0},  {"in play", BlockFalling, 1},
                       {"full", BlockFalling, 2}, {"paused", Paused, 2},
                       {"sweep", WellSweep, 1},   {"name entry", GameOver, 1}};
        for (const auto& [width, height] : {std::pair{800, 600}, {1920, 1080}}) {
            ResizeGlWindow(width, height);
            std::vector<unsigned char> frames[2], last;
            for (const auto& screen : screens) {
                for (int row = 0; row < WordGame::WellRows; ++row)
                    for (int column = 0; column < WordGame::WellColumns; ++column)
                        game->SetCell(column, row,
                                      screen.well == 2 || (screen.well == 1 && row < 10 &&
                                                           (row * 7 + column) % 4 != 0)
                                          ? 'A' + (row * 11 + column) % 26
                                          : 0);
                const bool menu = screen.state == TitleMenu || screen.state == HallOfFame;
                game->state = screen.state;
                game->viewCentreX = menu ? 10.0 : 5.5;
                game->viewCentreY = menu ? 7.5 : 12.0;
                game->Reshape(width, height);
                for (int shortcuts = 0; shortcuts < 2; ++shortcuts) {
                    game->SetDrawShortcuts(shortcuts == 1);
                    game->Display();
                    frames[shortcuts].resize(std::size_t(width) * height * 3);
                    glPixelStorei(GL_PACK_ALIGNMENT, 1);
                    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE,
                                 frames[shortcuts].data());
                }
                std::size_t differ = 0;
                for (std::size_t i = 0; i < frames[0].size(); ++i)
                    differ += frames[0][i] != frames[1][i];
                EXPECT_EQ(differ, 0u) << screen.name << " at " << width << "x" << height
                                      << " with the " << fontName << " font";
                EXPECT_TRUE(frames[1] != last) << screen.name << " looks like the screen before";
                last = frames[1];
            }
        }
        ResizeGlWindow(800, 600);
    }
}

// font-latin1.pgm: English's very frames from A to Z; Ä where English shows a bare block.
TEST_F(RenderTest, Latin1FontDrawsEnglishFramesAlikeAndItsOwnLetters) {
    for (const char* image : {"font.pgm", "font-latin1.pgm"})
        dir.Write(image, TempDir::Read(std::string(GLYPHTUMBLE_DATA_DIR) + "/" + image));
    const auto frame = [&](const char* letters) {
        for (int column = 0; column < WordGame::WellColumns; ++column)
            game->SetCell(column, 7, letters[column % std::strlen(letters)]);
        game->Display();
        std::vector<unsigned char> pixels(800 * 600 * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    };
    Open(5.5, 12.0);
    const std::vector<unsigned char> english = frame("QUIZ"), bare = frame("\xc4");
    dir.Write("letters.txt", "A 1 1\n\xc4 1 6\n");
    Open(5.5, 12.0);
    ASSERT_EQ(game->font.glyphCount, TextureFont::Latin1GlyphCount);
    EXPECT_TRUE(frame("QUIZ") == english);
    EXPECT_TRUE(frame("\xc4") != bare);
    EXPECT_EQ(DrawnText(game->font, [&] { game->font.Draw("\xc4\x85\xe9~", 1, 2, 1, White); }, 40),
              "1.00 2.00 1.00 \xc4\xe9~");
}

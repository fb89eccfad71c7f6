// The texts and colours of the play screen and the title menu, and the part of
// the scene set-up that runs without a window.

#include "game/FoundWord.h"
#include "game/WordGame.h"
#include "render/Colours.h"
#include "render/ScreenText.h"
#include "tests/support/TempDir.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace {

void ExpectColour(const float* colour, float r, float g, float b) {
    EXPECT_FLOAT_EQ(colour[0], r);
    EXPECT_FLOAT_EQ(colour[1], g);
    EXPECT_FLOAT_EQ(colour[2], b);
    EXPECT_FLOAT_EQ(colour[3], 1.0f);
}

} // namespace

TEST(StatusPanelText, TargetIsRightAlignedSoItsMiddleSitsEightCellsIn) {
    EXPECT_EQ(TargetLineText("WORD"), "      WORD");         // width 4 / 2 + 8 = 10
    EXPECT_EQ(TargetLineText("ABCDE"), "     ABCDE");         // width 5 / 2 + 8 = 10
    EXPECT_EQ(TargetLineText("ABCDEFGHIJ"), "   ABCDEFGHIJ");      // width 10 / 2 + 8 = 13
    // No target: the word list's "" gives blanks only.
    EXPECT_EQ(TargetLineText(""), std::string(8, ' '));
    EXPECT_EQ(TargetLineText(nullptr), std::string(8, ' '));
}

TEST(StatusPanelText, ValuesFillEightCellsAndLongerOnesAreNotCut) {
    EXPECT_EQ(PanelValueText(3), "       3");
    EXPECT_EQ(PanelValueText(0), "       0");
    EXPECT_EQ(PanelValueText(-45), "     -45");
    EXPECT_EQ(PanelValueText(2147483647), "2147483647");
}

TEST(RecentWordText, WordInTenCellsPointsInSix) {
    EXPECT_EQ(RecentWordText("CAT", 18), "CAT           18");
    EXPECT_EQ(RecentWordText("QUIZ", 45), "QUIZ          45");
    EXPECT_EQ(RecentWordText("ABCDEFGHIJ", 123456), "ABCDEFGHIJ123456");
    // A longer word pushes the points right instead of being cut.
    EXPECT_EQ(RecentWordText("ABCDEFGHIJKL", 7), "ABCDEFGHIJKL     7");
}

TEST(RecentWordColour, FadesFromFullToAThirdOverNineEntries) {
    EXPECT_FLOAT_EQ(RecentWordFade(0), 1.0f);
    EXPECT_NEAR(RecentWordFade(8), 1.0f / 3.0f, 1e-6);
    for (int i = 1; i < WordGame::MaxRecentWords; ++i)
        EXPECT_NEAR(RecentWordFade(i - 1) - RecentWordFade(i), 1.0f / 12.0f, 1e-6) << i;
}

TEST(RecentWordColour, FlagsChooseTheColourTargetFirstThenChainThenBonus) {
    float colour[4];
    RecentWordColour(0, 0, colour);
    ExpectColour(colour, 0.67f, 0.8f, 0.93f);
    RecentWordColour(0, FlagBonus, colour);
    ExpectColour(colour, 1.0f, 1.0f, 0.6f);
    RecentWordColour(0, FlagChain | FlagBonus, colour);
    ExpectColour(colour, 1.0f, 1.0f, 1.0f);
    // A target word is red even with the bonus block and a chain.
    RecentWordColour(0, FlagTarget | FlagChain | FlagBonus, colour);
    ExpectColour(colour, 1.0f, 0.2f, 0.2f);

    // The ninth entry: every component scaled by a third.
    const float k = RecentWordFade(8);
    RecentWordColour(8, FlagTarget, colour);
    ExpectColour(colour, k, 0.2f * k, 0.2f * k);
    RecentWordColour(8, 0, colour);
    ExpectColour(colour, 0.67f * k, 0.8f * k, 0.93f * k);
}

TEST(NameFieldText, CursorFollowsTheName) {
    EXPECT_EQ(NameFieldText(""), "_");
    EXPECT_EQ(NameFieldText("Ann"), "Ann_");
}

TEST(TitleMenuText, ItemsShowTheSettings) {
    EXPECT_EQ(MenuItemText(0, 0, true), "Skill Level: Beginner");
    EXPECT_EQ(MenuItemText(0, 1, false), "Skill Level: Intermediate");
    EXPECT_EQ(MenuItemText(0, 2, true), "Skill Level: Advanced");
    EXPECT_EQ(MenuItemText(0, 3, true), "Skill Level: ");
    EXPECT_EQ(MenuItemText(0, -1, true), "Skill Level: ");
    EXPECT_EQ(MenuItemText(1, 1, true), "Show Next: Yes");
    EXPECT_EQ(MenuItemText(1, 1, false), "Show Next: No");
    EXPECT_EQ(MenuItemText(2, 1, true), "Begin Game");
    EXPECT_EQ(MenuItemText(3, 1, true), "High Scores");
    EXPECT_EQ(MenuItemText(4, 1, true), "Exit to system");
    EXPECT_EQ(MenuItemText(5, 1, true), "");
}

TEST(TitleMenuText, HintsBelongToTheirItemsAndFitTheScene) {
    EXPECT_STREQ(MenuHintText(2), "Start Glyphtumble!");
    EXPECT_STREQ(MenuHintText(3), "Visit the Hall of Fame");
    EXPECT_STREQ(MenuHintText(1), "Hiding the Next block earns a 15% score bonus");
    EXPECT_STREQ(MenuHintText(-1), "");
    EXPECT_STREQ(MenuHintText(5), "");

    // The game's font: 29 x 69 texel cells in a 512 x 512 texture, centred
    // over the 20-unit scene. The longest hint, at its size, must fit.
    TextureFont font;
    font.cellU = 29.0 / 512.0;
    font.cellV = 69.0 / 512.0;
    font.SetArea(0.0, 15.0, 20.0, 0.0);
    const char* longest = MenuHintText(0);
    EXPECT_EQ(std::strlen(longest), 63u);
    const double left = font.CentredX(longest, 0.0, 0.625);
    EXPECT_GT(left, 0.0);
    EXPECT_LT(left + 63 * font.GlyphWidth(0.625), 20.0);
    EXPECT_NEAR(left + 63 * font.GlyphWidth(0.625) * 0.5, 10.0, 1e-9);
}

TEST(TitleMenuText, HighlightPulsesBetweenPointNineAndPointFour) {
    EXPECT_FLOAT_EQ(MenuHighlightBrightness(0.0), 0.9f);
    EXPECT_NEAR(MenuHighlightBrightness(M_PI / 5.0), 0.4f, 1e-6);
    // Five pulses fit a full turn, so the wrap of the angle shows no jump.
    EXPECT_NEAR(MenuHighlightBrightness(WordGame::TwoPi), 0.9f, 1e-6);
}

TEST(LevelColours, CycleEveryFourLevels) {
    EXPECT_EQ(LevelColourIndex(1), 0);
    EXPECT_EQ(LevelColourIndex(4), 3);
    EXPECT_EQ(LevelColourIndex(5), 0);
    EXPECT_EQ(LevelColourIndex(10), 1);
    EXPECT_EQ(LevelColourIndex(0), 3); // never set by the game, still a valid row
    // Level 5 draws the blue of level 1.
    EXPECT_EQ(LevelBlockColour[LevelColourIndex(5)], LevelBlockColour[0]);
    ExpectColour(LevelBlockColour[0], 0.5f, 0.7f, 0.9f);
    ExpectColour(LevelLetterColour[1], 0.0f, 0.25f, 0.0f);
}

// The rules run without a window: the set-up then makes no GL call at all
// (nothing here has a GL context, so any call would crash), and still gives
// the rules the scene size and the text area they read.
TEST(SceneSetupWithoutWindow, InitGraphicsWaitsForAWindowAndReshapeSetsTheScene) {
    TempDir dir(true);
    WordGame game;
    ASSERT_FALSE(game.windowOpen);
    game.sceneWidth = 0.0;
    game.sceneHeight = 0.0;
    game.InitGraphics();
    EXPECT_FALSE(game.glReady);
    EXPECT_EQ(game.blockList, 0u);
    EXPECT_EQ(game.tileTexture, 0u);
    EXPECT_EQ(game.font.texture, 0u);

    game.viewCentreX = 5.5;
    game.viewCentreY = 12.0;
    game.Reshape(640, 480);
    EXPECT_EQ(game.sceneWidth, 20.0);
    EXPECT_EQ(game.sceneHeight, 15.0);
    EXPECT_EQ(game.font.areaLeft, 0.0);
    EXPECT_EQ(game.font.areaTop, 15.0);
    EXPECT_EQ(game.font.areaRight, 20.0);
    EXPECT_EQ(game.font.areaBottom, 0.0);
    EXPECT_EQ(game.viewCentreX, 5.5);

    // A frame without a window draws nothing and leaves the menu bands alone.
    game.state = TitleMenu;
    game.menuBands[0] = -1.0;
    game.Display();
    EXPECT_EQ(game.menuBands[0], -1.0);
}

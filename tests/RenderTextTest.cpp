// The texts and colours of the play screen and the title menu, and the part of
// the scene set-up that runs without a window.

#include "game/FoundWord.h"
#include "game/WordGame.h"
#include "render/ScreenText.h"
#include "tests/support/TempDir.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace {

::testing::AssertionResult IsColour(const float* c, float r, float g, float b) {
    if (std::fabs(c[0] - r) < 1e-6f && std::fabs(c[1] - g) < 1e-6f && std::fabs(c[2] - b) < 1e-6f &&
        c[3] == 1.0f)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << c[0] << ", " << c[1] << ", " << c[2] << ", " << c[3];
}

} // namespace

TEST(StatusPanelText, TargetRightAlignedInHalfItsLengthPlusEightAndValuesInEight) {
    EXPECT_EQ(TargetLineText("WORD"), "      WORD");
    EXPECT_EQ(TargetLineText("ABCDE"), "     ABCDE");
    EXPECT_EQ(TargetLineText("ABCDEFGHIJ"), "   ABCDEFGHIJ");
    // No target: the word list's "" gives blanks only.
    EXPECT_EQ(TargetLineText(""), std::string(8, ' '));
    EXPECT_EQ(TargetLineText(nullptr), std::string(8, ' '));
    EXPECT_EQ(PanelValueText(3), "       3");
    EXPECT_EQ(PanelValueText(-45), "     -45");
    EXPECT_EQ(PanelValueText(2147483647), "2147483647"); // longer is not cut
}

TEST(RecentWords, TextKeepsWordAndPointsInTheirColumns) {
    EXPECT_EQ(RecentWordText("CAT", 18), "CAT           18");
    EXPECT_EQ(RecentWordText("ABCDEFGHIJ", 123456), "ABCDEFGHIJ123456");
    EXPECT_EQ(RecentWordText("ABCDEFGHIJKL", 7), "ABCDEFGHIJKL     7");
    EXPECT_EQ(NameFieldText(""), "_");
    EXPECT_EQ(NameFieldText("Ann"), "Ann_");
}

TEST(RecentWords, ColourByFlagsTargetFirstThenChainThenBonusFadingByAge) {
    float c[4];
    RecentWordColour(0, 0, c);
    EXPECT_TRUE(IsColour(c, 0.67f, 0.8f, 0.93f));
    RecentWordColour(0, FlagBonus, c);
    EXPECT_TRUE(IsColour(c, 1.0f, 1.0f, 0.6f));
    RecentWordColour(0, FlagChain | FlagBonus, c);
    EXPECT_TRUE(IsColour(c, 1.0f, 1.0f, 1.0f));
    RecentWordColour(0, FlagTarget | FlagChain | FlagBonus, c);
    EXPECT_TRUE(IsColour(c, 1.0f, 0.2f, 0.2f));

    // From full brightness for the newest, 1/12 less per entry, to a third.
    EXPECT_EQ(RecentWordFade(0), 1.0f);
    for (int i = 1; i < WordGame::MaxRecentWords; ++i)
        EXPECT_NEAR(RecentWordFade(i - 1) - RecentWordFade(i), 1.0f / 12.0f, 1e-6) << i;
    const float k = RecentWordFade(8);
    EXPECT_NEAR(k, 1.0f / 3.0f, 1e-6);
    RecentWordColour(8, FlagTarget, c);
    EXPECT_TRUE(IsColour(c, k, 0.2f * k, 0.2f * k));
}

TEST(TitleMenuText, ItemsShowTheSettingsAndHintsFitTheScene) {
    EXPECT_EQ(MenuItemText(0, 0, true), "Skill Level: Beginner");
    EXPECT_EQ(MenuItemText(0, 1, false), "Skill Level: Intermediate");
    EXPECT_EQ(MenuItemText(0, 2, true), "Skill Level: Advanced");
    EXPECT_EQ(MenuItemText(0, 3, true), "Skill Level: ");
    EXPECT_EQ(MenuItemText(0, -1, true), "Skill Level: ");
    EXPECT_EQ(MenuItemText(1, 1, true), "Show Next: Yes");
    EXPECT_EQ(MenuItemText(1, 1, false), "Show Next: No");
    EXPECT_EQ(MenuItemText(4, 1, true), "Exit to system");
    EXPECT_EQ(MenuItemText(5, 1, true), "");
    EXPECT_STREQ(MenuHintText(2), "Start Glyphtumble!");
    EXPECT_STREQ(MenuHintText(-1), "");
    EXPECT_STREQ(MenuHintText(5), "");

    // The game's font over the 20-unit scene: the longest hint fits, centred.
    TextureFont font;
    font.cellU = 29.0 / 512.0;
    font.cellV = 69.0 / 512.0;
    font.SetArea(0.0, 15.0, 20.0, 0.0);
    const char* longest = MenuHintText(0);
    ASSERT_EQ(std::strlen(longest), 63u);
    const double left = font.CentredX(longest, 0.0, 0.625);
    EXPECT_GT(left, 0.0);
    EXPECT_NEAR(left + 63 * font.GlyphWidth(0.625) * 0.5, 10.0, 1e-9);
}

TEST(TitleMenuText, HighlightPulsesBetweenPointNineAndPointFourWithoutAJumpAtTheWrap) {
    EXPECT_EQ(MenuHighlightBrightness(0.0), 0.9f);
    EXPECT_NEAR(MenuHighlightBrightness(M_PI / 5.0), 0.4f, 1e-6);
    EXPECT_NEAR(MenuHighlightBrightness(WordGame::TwoPi), 0.9f, 1e-6);
}

// Without a window there is no GL context, so any GL call here would crash:
// InitGraphics waits for a window, and Reshape still gives the rules the scene
// size and the text area they read.
TEST(SceneSetupWithoutWindow, MakesNoGlCallAndStillSetsTheScene) {
    TempDir dir(true);
    WordGame game;
    ASSERT_FALSE(game.windowOpen);
    game.InitGraphics();
    EXPECT_FALSE(game.glReady);
    EXPECT_EQ(game.blockList, 0u);
    EXPECT_EQ(game.font.texture, 0u);

    game.sceneWidth = game.sceneHeight = 0.0;
    game.Reshape(640, 480);
    EXPECT_EQ(game.sceneWidth, 20.0);
    EXPECT_EQ(game.sceneHeight, 15.0);
    EXPECT_TRUE(game.font.areaLeft == 0.0 && game.font.areaTop == 15.0 &&
                game.font.areaRight == 20.0 && game.font.areaBottom == 0.0);

    game.state = TitleMenu;
    game.menuBands[0] = -1.0;
    game.Display();
    EXPECT_EQ(game.menuBands[0], -1.0);
}

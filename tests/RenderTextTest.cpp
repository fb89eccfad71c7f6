// The texts and colours of the play screen and the title menu.

#include "game/FoundWord.h"
#include "render/ScreenText.h"

#include <gtest/gtest.h>

TEST(ScreenText, StatusRecentWordNameAndMenuTextsKeepTheirColumns) {
    EXPECT_EQ(TargetLineText("WORD"), "      WORD");
    EXPECT_EQ(TargetLineText("ABCDE"), "     ABCDE");
    EXPECT_EQ(TargetLineText("ABCDEFGHIJ"), "   ABCDEFGHIJ");
    EXPECT_EQ(TargetLineText(""), std::string(8, ' '));
    EXPECT_EQ(PanelValueText(-45), "     -45");
    EXPECT_EQ(RecentWordText("CAT", 18), "CAT           18");
    EXPECT_EQ(RecentWordText("ABCDEFGHIJKL", 7), "ABCDEFGHIJKL     7");
    EXPECT_EQ(NameFieldText("Ann"), "Ann_");
    EXPECT_EQ(MenuItemText(0, 1, false), "Skill Level: Intermediate");
    EXPECT_EQ(MenuItemText(1, 1, false), "Show Next: No");
    EXPECT_EQ(MenuItemText(5, 1, true), "");
    EXPECT_STREQ(MenuHintText(2), "Start Glyphtumble!");
    EXPECT_STREQ(MenuHintText(5), "");
}

TEST(ScreenText, RecentWordColourTargetBeatsChainBeatsBonusAndFadesByAge) {
    const float cases[4][6] = {
        {0, 0, 0.67f, 0.8f, 0.93f, 1.0f}, // age, flags, r, g, b, fade
        {0, FlagBonus, 1.0f, 1.0f, 0.6f, 1.0f},
        {4, FlagChain | FlagBonus, 1.0f, 1.0f, 1.0f, 2.0f / 3.0f},
        {8, FlagTarget | FlagChain | FlagBonus, 1.0f, 0.2f, 0.2f, 1.0f / 3.0f}};
    for (const auto& c : cases) {
        float got[4];
        RecentWordColour(int(c[0]), int(c[1]), got);
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(got[i], i < 3 ? c[2 + i] * c[5] : 1.0f, 1e-6) << c[0] << " " << c[1];
    }
}

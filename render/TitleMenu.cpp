// The title menu screen: a dim backdrop, the game's name in bobbing blocks,
// the credit and version lines, the five items with the highlighted one
// pulsing, and the hint of the highlighted item. It records where each item
// stands in menuBands, which the pointer handling reads.

#include "game/WordGame.h"
#include "render/ScreenText.h"

#include <GL/gl.h>

namespace {


const float TitleLetterColour[4] = {0.0f, 0.0f, 0.0f, 1.0f};
const float TitleBlockColour[4] = {0.5f, 0.6f, 0.75f, 1.0f};
const float CreditColour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
const float VersionColour[4] = {0.75f, 0.75f, 0.75f, 1.0f};
const float ItemColour[4] = {0.25f, 0.5f, 0.5f, 1.0f};
const float HintColour[4] = {0.6f, 1.0f, 1.0f, 1.0f};

const char* const Credit = "by Marrowdale";
const char* const Version = "version 1.10 build 2003-12-06";

constexpr double TitleDrop = 3.0;
constexpr double VersionSize = 0.75;
constexpr double HintSize = 0.625;

} // namespace

void WordGame::DrawTitleMenu() {
    DrawBackdrop();

    double y = sceneHeight - TitleDrop;
    DrawTitleBlocks("GLYPHTUMBLE", y, TitleLetterColour, TitleBlockColour);

    y -= 3.0;
    font.DrawCentred(Credit, 0.0, y, 1.0, CreditColour);
    y -= 1.0;
    font.DrawCentred(Version, 0.0, y, VersionSize, VersionColour);

    y -= 2.0;
    for (int item = 0; item < MenuItemCount; ++item) {
        float highlight[4];
        const float* colour = ItemColour;
        if (item == menuCursor) {
            const float b = MenuHighlightBrightness(spinAngle);
            highlight[0] = highlight[1] = highlight[2] = b;
            highlight[3] = 1.0f;
            colour = highlight;
        }
        const std::string text = MenuItemText(item, skill, showNext);
        font.DrawCentred(text.c_str(), 0.0, y, 1.0, colour);
        // Each item's pointer band runs from here to one unit above.
        menuBands[item] = y;
        y -= 1.0;
    }

    y -= 0.25;
    font.DrawCentred(MenuHintText(menuCursor), 0.0, y, HintSize, HintColour);
}

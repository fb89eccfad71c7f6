// The frame for every screen state: the title menu, the Hall of Fame, and the
// play screen (the well and its blocks, the side strip with the status panel,
// the next block and the recent words) with the overlay of the state on top.
// Display only reads the game; every motion comes from values Update moves.

#include "game/WordGame.h"
#include "render/Colours.h"
#include "render/ScreenText.h"

#include <GL/gl.h>

namespace {

// The side strip, right of the well.
constexpr double SeparatorY = 9.5;
constexpr double StatusX = 12.25;
constexpr double StatusY = 9.75;
constexpr double PreviewX = 12.0;
constexpr double PreviewY = 9.65;
constexpr double PreviewShift = 0.75; // the target word moves right of the preview
constexpr double LabelShift = -0.5;
constexpr double ValueShift = 4.25;
constexpr double RecentWordX = 12.25;
constexpr double RecentWordRise = 0.15;
constexpr double TextSize = 1.0;

// The Hall of Fame screen.
constexpr double HallOfFameTitleDrop = 2.25;

// The pause panel.
const GLfloat PausePanelColour[4] = {0.5f, 0.65f, 0.8f, 0.96f};
const float PauseTextColour[4] = {0.0f, 0.0f, 0.5f, 1.0f};
constexpr double PausePanelHeight = 2.0;

// The game-over panels.
const GLfloat NamePanelColour[4] = {0.8f, 0.85f, 0.9f, 0.92f};
const float NewHighScoreColour[4] = {0.0f, 0.0f, 0.5f, 1.0f};
const float EnterNameColour[4] = {0.0f, 0.0f, 0.0f, 1.0f};
const GLfloat NameFieldColour[4] = {0.2f, 0.225f, 0.25f, 1.0f};
const float NameColour[4] = {0.8f, 0.9f, 1.0f, 1.0f};
const GLfloat GameOverPanelColour[4] = {0.9f, 0.75f, 0.6f, 0.92f};
const float GameOverTextColour[4] = {0.3f, 0.0f, 0.0f, 1.0f};
constexpr double NamePanelWidth = 15.0;
constexpr double NamePanelHeight = 5.0;
constexpr double NameFieldWidth = 12.0;
constexpr double NameFieldHeight = 1.2;
// The name starts at (20 - 11) / 2 = 4.5, half a unit inside the field.
constexpr double NameTextSpan = 11.0;
constexpr double GameOverPanelHeight = 3.0;

// A stone panel of w x h in the middle of the scene with one line of text
// centred on it, rise above the panel's lower edge.
void DrawMessagePanel(WordGame& game, double w, double h, const GLfloat* panelColour,
                      const char* text, double rise, const float* textColour) {
    const double y = (game.sceneHeight - h) * 0.5;
    glColor4fv(panelColour);
    game.DrawQuad((game.sceneWidth - w) * 0.5, y, w, h, static_cast<int>(game.coarseTexture), 1.0);
    game.font.DrawCentred(text, 0.0, y + rise, TextSize, textColour);
}

} // namespace

void WordGame::Display() {
    if (!windowOpen)
        return;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    if (state == TitleMenu) {
        DrawTitleMenu();
        return;
    }

    if (state == HallOfFame) {
        DrawBackdrop();
        DrawTitleBlocks("HALL OF FAME", sceneHeight - HallOfFameTitleDrop, LevelLetterColour[1],
                        LevelBlockColour[1]);
        highScores.DrawList();
        return;
    }

    // The whole well changes colour with the level, the preview included.
    const int index = LevelColourIndex(level);
    const float* const blockColour = LevelBlockColour[index];
    const float* const letterColour = LevelLetterColour[index];

    // Paused hides the well's contents; the sweep draws its own row below
    // and the rows under it are already empty.
    int firstRow = 0;
    if (state == Paused)
        firstRow = WellRows;
    else if (state == WellSweep)
        firstRow = sweepRow + 1;
    if (firstRow < 0)
        firstRow = 0;
    for (int row = firstRow; row < WellRows; ++row)
        for (int column = 0; column < WellColumns; ++column)
            if (well[row][column] != 0)
                DrawLetterBlock(column, row, well[row][column], letterColour, blockColour);

    DrawWell();

    // The separator keeps the coarse texture and the last texture coordinate
    // the well left; on a one-pixel line that only tints it.
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_LINES);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glVertex3d(WellColumns, SeparatorY, 0.0);
    glVertex3d(sceneWidth, SeparatorY, 0.0);
    glEnd();

    DrawStatusPanel(StatusX, StatusY);
    if (showNext)
        DrawLetterBlock(PreviewX, PreviewY, nextLetter, letterColour, blockColour);

    int i = 0;
    for (const FoundWord& recent : recentWords)
        DrawRecentWord(i++, recent.word, recent.points, recent.flags);

    switch (state) {
    case BlockFalling:
        // At its exact fractional height, so it glides down.
        if (bonusBlock)
            DrawLetterBlock(blockColumn, blockHeight, blockLetter, BonusLetterColour,
                            BonusBlockColour);
        else
            DrawLetterBlock(blockColumn, blockHeight, blockLetter, letterColour, blockColour);
        break;

    case WordRemoval:
        // The word being credited, lit for the half second it takes.
        if (revealIndex >= 0 && revealIndex < static_cast<int>(foundWords.size())) {
            const FoundWord& found = foundWords[static_cast<std::size_t>(revealIndex)];
            int column = found.column;
            int row = found.row;
            for (int k = 0; k < found.length; ++k) {
                if (column < 0 || column >= WellColumns || row < 0 || row >= WellRows)
                    break;
                DrawLetterBlock(column, row, well[row][column], HighlightLetterColour,
                                HighlightBlockColour);
                if (found.vertical)
                    --row;
                else
                    ++column;
            }
        }
        break;

    case GameOver: {
        const double y0 = (sceneHeight - NamePanelHeight) * 0.5;
        if (nameQualifies) {
            glColor4fv(NamePanelColour);
            DrawQuadCentred(0.0, y0, NamePanelWidth, NamePanelHeight,
                            static_cast<int>(coarseTexture), 1.0);
            font.DrawCentred("New High Score!", 0.0, y0 + 3.35, 1.25, NewHighScoreColour);
            font.DrawCentred("Please enter your name:", 0.0, y0 + 2.15, TextSize, EnterNameColour);
            glColor4fv(NameFieldColour);
            DrawQuadCentred(0.0, y0 + 0.75, NameFieldWidth, NameFieldHeight,
                            static_cast<int>(coarseTexture), 1.0);
            // A steady underscore cursor follows the name typed so far.
            const std::string field = NameFieldText(playerName);
            font.Draw(field.c_str(), (sceneWidth - NameTextSpan) * 0.5, y0 + 0.85, TextSize,
                      NameColour);
        } else {
            DrawMessagePanel(*this, sceneWidth / 3.0, GameOverPanelHeight, GameOverPanelColour,
                             "GAME OVER", 1.0, GameOverTextColour);
        }
        break;
    }

    case Paused: {
        DrawMessagePanel(*this, sceneWidth * 0.25, PausePanelHeight, PausePanelColour, "PAUSED",
                         0.5, PauseTextColour);
        break;
    }

    case WellSweep:
        if (sweepRow >= 0 && sweepRow < WellRows) {
            // The fade is not divided by the interval: the row only dims from
            // 1.0 to about 0.85 in the 0.15 s before it is emptied.
            const float a = static_cast<float>(1.0 - sweepTime);
            for (int column = 0; column < WellColumns; ++column) {
                const char cell = well[sweepRow][column];
                const float colour[4] = {blockColour[0], blockColour[1], blockColour[2],
                                         cell != 0 ? a : 0.3f * a};
                DrawLetterBlock(column, sweepRow, cell, letterColour, colour);
            }
        }
        break;

    default:
        break;
    }

    // Last, so that it blends over everything behind it.
    DrawWater();
}

void WordGame::DrawStatusPanel(double x, double y) {
    const std::string target = TargetLineText(dictionary.WordAt(targetIndex));
    font.Draw(target.c_str(), showNext ? x + PreviewShift : x, y, TextSize, ValueColour);

    x += LabelShift;
    const char* const labels[4] = {"Min Length:", "Words:", "Level:", "Score:"};
    const int values[4] = {minWordLength, wordsMade, level, score};
    for (int k = 0; k < 4; ++k) {
        y += 1.0;
        font.Draw(labels[k], x, y, TextSize, LabelColour);
        font.Draw(PanelValueText(values[k]).c_str(), x + ValueShift, y, TextSize, ValueColour);
    }
}

void WordGame::DrawRecentWord(int i, std::string word, int points, int flags) {
    float colour[4];
    RecentWordColour(i, flags, colour);
    font.Draw(RecentWordText(word, points).c_str(), RecentWordX, i + RecentWordRise, TextSize,
              colour);
}

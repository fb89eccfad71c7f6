// The drawing primitives of the scene: the letter block, the well's walls and
// floor, the water, textured rectangles and the bobbing title blocks. They
// expect the state InitGraphics leaves (lighting with colour material,
// modulated textures, blending, alpha test, LEQUAL depth, back faces culled)
// and the modelview at the identity, and they leave the last texture bound and
// the last colour set.

#include "game/WordGame.h"

#include <GL/gl.h>
#include <cctype>
#include <cmath>
#include <cstring>

namespace {

// The glyph on a block's front face: 0.7 wide and 1.15 high, from 0.13 right
// of the block's left edge and 0.1 below its bottom edge.
constexpr double GlyphInsetX = 0.13;
constexpr double GlyphInsetY = -0.1;
constexpr double GlyphWidth = 0.7;
constexpr double GlyphHeight = 1.15;

// The well: 11 cells wide and 15 high, one cell deep.
constexpr double WellWidth = WordGame::WellColumns;
constexpr double WellHeight = WordGame::WellRows;

// The water fills the well up to the surface row, a third of a block deep
// behind the blocks' front faces; its image repeats every 6 units in front.
constexpr double WaterLevel = WordGame::SurfaceRow;
constexpr double WaterFront = -0.33;
constexpr double WaterRepeat = 6.0;
const GLfloat WaterColour[4] = {0.35f, 0.35f, 0.35f, 0.75f};

// Title blocks stand 1.25 apart; each bobs by up to 2.5 times its colour
// shift, and the wave runs 0.33 radian (0.66 of the doubled angle) along.
constexpr double TitleStep = 1.25;
constexpr double TitleWaveAmplitude = 0.25;
constexpr double TitleBob = 2.5;
constexpr double TitlePhaseStep = 0.33;

} // namespace

void WordGame::DrawLetterBlock(double x, double y, char letter, const float* letterColour,
                               const float* blockColour) {
    // An opaque block is solid; its letter is cut out by the alpha test and
    // blended at its edges. The switch is made block by block: drawn one after
    // another, the letters would reach the renderer as one batch, which Mesa's
    // software renderer rounds a shade apart from letters drawn one at a time.
    const bool solid = blockColour[3] == 1.0f;
    if (solid)
        BeginSolid();
    glBindTexture(GL_TEXTURE_2D, tileTexture);
    glColor4fv(blockColour);
    glPushMatrix();
    glTranslated(x, y, 0.0);
    glCallList(blockList);
    glPopMatrix();
    if (solid)
        EndSolid();
    // Nothing is drawn for a code below 32, which leaves a bare block.
    font.DrawChar(letter, x + GlyphInsetX, y + GlyphInsetY, GlyphWidth, GlyphHeight, letterColour);
}

void WordGame::BeginSolid() {
    if (!drawShortcuts)
        return;
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
}

void WordGame::EndSolid() {
    if (!drawShortcuts)
        return;
    glEnable(GL_BLEND);
    glEnable(GL_ALPHA_TEST);
}

void WordGame::SetDrawShortcuts(bool on) {
    drawShortcuts = on;
    font.skipClearGlyphs = on;
}

void WordGame::DrawWell() {
    BeginSolid();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, coarseTexture);
    glBegin(GL_QUADS);
    // The coarse image repeats once per cell along the walls and the floor and
    // once across the well's depth. The walls have no outer faces.
    glNormal3f(-1.0f, 0.0f, 0.0f); // right wall, inside face
    glTexCoord2d(0.0, 0.0);
    glVertex3d(WellWidth, 0.0, 0.0);
    glTexCoord2d(0.0, WellHeight);
    glVertex3d(WellWidth, WellHeight, 0.0);
    glTexCoord2d(1.0, WellHeight);
    glVertex3d(WellWidth, WellHeight, -1.0);
    glTexCoord2d(1.0, 0.0);
    glVertex3d(WellWidth, 0.0, -1.0);

    glNormal3f(1.0f, 0.0f, 0.0f); // left wall, inside face
    glTexCoord2d(0.0, WellHeight);
    glVertex3d(0.0, WellHeight, 0.0);
    glTexCoord2d(0.0, 0.0);
    glVertex3d(0.0, 0.0, 0.0);
    glTexCoord2d(1.0, 0.0);
    glVertex3d(0.0, 0.0, -1.0);
    glTexCoord2d(1.0, WellHeight);
    glVertex3d(0.0, WellHeight, -1.0);

    glNormal3f(0.0f, 1.0f, 0.0f); // floor, upper face
    glTexCoord2d(WellWidth, 0.0);
    glVertex3d(WellWidth, 0.0, -1.0);
    glTexCoord2d(0.0, 0.0);
    glVertex3d(0.0, 0.0, -1.0);
    glTexCoord2d(0.0, 1.0);
    glVertex3d(0.0, 0.0, 0.0);
    glTexCoord2d(WellWidth, 1.0);
    glVertex3d(WellWidth, 0.0, 0.0);
    glEnd();
    EndSolid();
}

void WordGame::DrawWater() {
    glColor4fv(WaterColour);
    glBindTexture(GL_TEXTURE_2D, waterTexture);
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f); // front face
    glTexCoord2d(0.0, 0.0);
    glVertex3d(0.0, 0.0, WaterFront);
    glTexCoord2d(WellWidth / WaterRepeat, 0.0);
    glVertex3d(WellWidth, 0.0, WaterFront);
    glTexCoord2d(WellWidth / WaterRepeat, WaterLevel / WaterRepeat);
    glVertex3d(WellWidth, WaterLevel, WaterFront);
    glTexCoord2d(0.0, WaterLevel / WaterRepeat);
    glVertex3d(0.0, WaterLevel, WaterFront);

    glNormal3f(0.0f, 1.0f, 0.0f); // surface, from the front face back to the well's back
    glTexCoord2d(WellWidth, 0.0);
    glVertex3d(WellWidth, WaterLevel, -1.0);
    glTexCoord2d(0.0, 0.0);
    glVertex3d(0.0, WaterLevel, -1.0);
    glTexCoord2d(0.0, 1.0);
    glVertex3d(0.0, WaterLevel, WaterFront);
    glTexCoord2d(WellWidth, 1.0);
    glVertex3d(WellWidth, WaterLevel, WaterFront);
    glEnd();
}

void WordGame::DrawQuad(double x, double y, double w, double h, int texture, double repeat) {
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord2d(0.0, 0.0);
    glVertex2d(x, y);
    glTexCoord2d(w * repeat, 0.0);
    glVertex2d(x + w, y);
    glTexCoord2d(w * repeat, h * repeat);
    glVertex2d(x + w, y + h);
    glTexCoord2d(0.0, h * repeat);
    glVertex2d(x, y + h);
    glEnd();
}

void WordGame::DrawQuadCentred(double xOffset, double y, double w, double h, int texture,
                               double repeat) {
    DrawQuad((sceneWidth - w) * 0.5 + xOffset, y, w, h, texture, repeat);
}

void WordGame::DrawTitleBlocks(const char* text, double y, const float* letterColour,
                               const float* blockColour) {
    const std::size_t n = std::strlen(text);
    double x = (sceneWidth - TitleStep * static_cast<double>(n)) * 0.5;
    double phase = 0.0;
    for (const char* c = text; *c != '\0'; ++c) {
        const double d = TitleWaveAmplitude * std::sin(2.0 * (phase + spinAngle));
        // The shifted colour may leave 0..1; OpenGL takes it unclamped.
        const float shift = static_cast<float>(d);
        const float colour[4] = {blockColour[0] + shift, blockColour[1] + shift,
                                 blockColour[2] + shift, blockColour[3]};
        // A space (or any unprintable byte) leaves a gap of one step.
        if (std::isgraph(static_cast<unsigned char>(*c)))
            DrawLetterBlock(x, y + TitleBob * d, *c, letterColour, colour);
        x += TitleStep;
        phase += TitlePhaseStep;
    }
}

void WordGame::DrawBackdrop() {
    // Larger than the visible scene, so it fills the window in perspective,
    // with the coarse image repeated every 4 units.
    static const GLfloat colour[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    constexpr double margin = 2.0;
    glColor4fv(colour);
    glTranslated(0.0, 0.0, -1.0);
    BeginSolid();
    DrawQuad(-margin, -margin, sceneWidth + 2 * margin, sceneHeight + 2 * margin,
             static_cast<int>(coarseTexture), 0.25);
    EndSolid();
    glTranslated(0.0, 0.0, 1.0);
}

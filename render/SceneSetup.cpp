// The one-time OpenGL set-up of the scene, the textures, the letter block's
// display list and the off-axis projection that follows the view centre.
//
// Without an open window (the rules under test) no GL call is made here:
// InitGraphics does nothing at all and leaves glReady false, so a window
// opened later still gets the whole set-up; Reshape still sets the scene size
// and the font's text area, which the rules read.

#include "game/WordGame.h"
#include "image/CreateTexture.h"

#include <GL/gl.h>

namespace {

// The font image: a 512 x 512 texture of 29 x 69 texel cells, 14 to a row.
const char* const FontFile = "font.pgm";
constexpr int FontTextureSize = 512;
constexpr int FontCellWidth = 29;
constexpr int FontCellHeight = 69;
constexpr int FontCellsPerRow = 14;
// A language's font has Latin-1's letters too, 192 cells in twice the height.
const char* const Latin1FontFile = "font-latin1.pgm";
constexpr int Latin1FontTextureHeight = 1024;

const char* const TileFile = "tile.ppm";
const char* const WaterFile = "water.ppm";
const char* const CoarseFile = "coarse.ppm";
constexpr int CoarseTextureSize = 128;
constexpr int OwnSize = -1; // keep the image's own size

constexpr double SceneWidth = 20.0;
constexpr double SceneHeight = 15.0;
constexpr double NearPlane = 1.0;
constexpr double FarPlane = 10.0;
// The light hangs this far in front of the scene plane, above the view centre.
constexpr float LightDistance = 25.0f;

const GLfloat LightAmbient[4] = {0.35f, 0.35f, 0.35f, 1.0f};
const GLfloat LightDiffuse[4] = {0.65f, 0.65f, 0.65f, 1.0f};

// One face of the letter block: its normal and four corners, counter-clockwise
// seen from outside. Every face shows the whole tile image once.
struct BlockFace {
    GLfloat normal[3];
    GLfloat corner[4][3];
};

// The unit cube from its front face at z = 0 back to z = -1; there is no back
// face, since it never faces the viewer.
const BlockFace BlockFaces[5] = {
    {{0, 0, 1}, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}},    // front
    {{-1, 0, 0}, {{0, 1, -1}, {0, 0, -1}, {0, 0, 0}, {0, 1, 0}}}, // left
    {{0, -1, 0}, {{0, 0, -1}, {1, 0, -1}, {1, 0, 0}, {0, 0, 0}}}, // bottom
    {{1, 0, 0}, {{1, 0, -1}, {1, 1, -1}, {1, 1, 0}, {1, 0, 0}}},  // right
    {{0, 1, 0}, {{0, 1, 0}, {1, 1, 0}, {1, 1, -1}, {0, 1, -1}}},  // top
};
const GLfloat FaceTexCoords[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

} // namespace

void WordGame::InitGraphics() {
    if (glReady || !windowOpen)
        return;

    // A missing font leaves every glyph a solid quad; the game goes on.
    if (languageChosen)
        font.Create(Latin1FontFile, FontTextureSize, Latin1FontTextureHeight, FontCellWidth,
                    FontCellHeight, FontCellsPerRow, TextureFont::Latin1GlyphCount);
    else
        font.Create(FontFile, FontTextureSize, FontTextureSize, FontCellWidth, FontCellHeight,
                    FontCellsPerRow);
    LoadTextures();

    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);

    // LEQUAL lets a glyph drawn after a block, in the plane of its front
    // face, show on top of it.
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_NORMALIZE);
    glEnable(GL_TEXTURE_2D);

    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);

    // Every glColor becomes the front material's ambient and diffuse colour,
    // alpha included.
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);

    // The light's position follows the view centre and is set by Reshape.
    glLightfv(GL_LIGHT0, GL_AMBIENT, LightAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, LightDiffuse);

    glShadeModel(GL_SMOOTH);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);

    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);

    // Cuts the glyphs out of their cells.
    glAlphaFunc(GL_GREATER, 0.1f);
    glEnable(GL_ALPHA_TEST);

    // Applies to the texture bound now, the last one created.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);

    if (blockList == 0)
        BuildBlockList();

    viewCentreX = 0.0;
    viewCentreY = 0.0;
    Reshape(width, height);

    glReady = true;
}

void WordGame::LoadTextures() {
    // A texture that fails to load stays 0, and its surfaces show their lit
    // colour alone.
    tileTexture = CreateTexture(TileFile, OwnSize, OwnSize, false);
    waterTexture = CreateTexture(WaterFile, OwnSize, OwnSize, false);
    coarseTexture = CreateTexture(CoarseFile, CoarseTextureSize, CoarseTextureSize, false);
}

void WordGame::BuildBlockList() {
    blockList = glGenLists(1);
    glNewList(blockList, GL_COMPILE);
    glBegin(GL_QUADS);
    for (const BlockFace& face : BlockFaces)
        for (int v = 0; v < 4; ++v) {
            glTexCoord2fv(FaceTexCoords[v]);
            glNormal3fv(face.normal);
            glVertex3fv(face.corner[v]);
        }
    glEnd();
    glEndList();
}

void WordGame::Reshape(int, int) {
    // The frame has already set the viewport to the whole window; the scene
    // rectangle is stretched over it whatever its shape.
    sceneWidth = SceneWidth;
    sceneHeight = SceneHeight;
    font.SetArea(0.0, sceneHeight, sceneWidth, 0.0);
    if (!windowOpen)
        return;

    const double cx = viewCentreX;
    const double cy = viewCentreY;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // The eye sits at scene (cx, cy, 20); the plane z = 0 fills the viewport
    // exactly for any view centre, which only moves the vanishing point. Depth
    // is squeezed to a tenth so the blocks' sides look thin.
    glFrustum(-cx, SceneWidth - cx, -cy, SceneHeight - cy, NearPlane, FarPlane);
    glTranslated(-2.0 * cx, -2.0 * cy, -2.0);
    glScaled(2.0, 2.0, 0.1);

    // Lighting uses the modelview alone, which is the identity between frames,
    // so the light stands at scene (cx, cy, 25), behind the eye.
    const GLfloat lightPosition[4] = {static_cast<GLfloat>(cx), static_cast<GLfloat>(cy),
                                      LightDistance, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    // The matrix mode stays GL_PROJECTION; Display selects the modelview.
}

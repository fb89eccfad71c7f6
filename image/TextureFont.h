#pragma once

// TextureFont draws all the game's text: a monospaced font of 96 glyphs
// (characters 32 to 127) laid out in a grid of equal cells in one image. Each
// glyph is one textured quad in the current modelview coordinates, so text is
// lit, tinted and blended like any other surface of the scene.
//
// The drawing operations bind the font's texture and set the current colour,
// and leave both changed. Colours are four floats: red, green, blue, alpha.
//
// A glyph whose cell is clear all over, with the border that filtering
// reaches, would only make fragments that the alpha test drops: it gets no
// quad, and the pen moves on as if it had been drawn. Spaces make up most of
// the game's right-aligned and padded text, and on a software renderer every
// fragment counts.

class TextureFont {
public:
    static constexpr int GlyphCount = 96;

    TextureFont();

    // Makes the font texture (resampled to texWidth x texHeight), the glyph
    // grid and the list of clear glyphs. False, with nothing else changed,
    // when the image can't be loaded or a size or the cells per row are 0 or
    // less.
    bool Create(const char* imageFile, int texWidth, int texHeight, int cellWidth,
                int cellHeight, int cellsPerRow);
    void SetArea(double left, double top, double right, double bottom);

    // Left-aligned text with its first glyph's lower-left corner at (x, y);
    // size is the glyph height. Bytes below 32 as signed chars are skipped.
    void Draw(const char* text, double x, double y, double size, const float* colour) const;
    // Text centred in the text area, shifted by xOffset. The length counts
    // every byte, skipped ones included.
    void DrawCentred(const char* text, double xOffset, double y, double size,
                     const float* colour) const;
    // One glyph stretched over the rectangle; nothing at all for codes below 32,
    // the texture and colour alone for a clear glyph.
    void DrawChar(char ch, double x, double y, double width, double height,
                  const float* colour) const;

    // Where DrawCentred starts the text.
    double CentredX(const char* text, double xOffset, double size) const;
    // Width of one glyph of the given height.
    double GlyphWidth(double size) const { return cellU / cellV * size; }

    // The vertices of one glyph's quad, inside a GL_QUADS primitive.
    void EmitGlyph(char ch, double x, double y, double width, double height) const;
    // Whether the glyph of ch (32 or above) is left out as clear.
    bool SkipsGlyph(char ch) const;

    unsigned texture;
    double glyphU[GlyphCount];
    double glyphV[GlyphCount];
    double cellU;
    double cellV;
    double areaLeft;
    double areaRight;
    double areaTop;
    double areaBottom;
    bool clearGlyph[GlyphCount]; // the cell and its filtered border hold only 0
    bool skipClearGlyphs;        // true but in tests that draw every quad
};

#pragma once

// TextureFont draws all the game's text: a monospaced font of 96 glyphs
// (characters 32 to 127) laid out in a grid of equal cells in one image, or
// of 192 for a language other than English: 32 to 127, then Latin-1's 160
// to 255. Each glyph is one textured quad in the current modelview
// coordinates, so text is lit, tinted and blended like any other surface of
// the scene.
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
    static constexpr int Latin1GlyphCount = 192;

    TextureFont();

    // Makes the font texture (resampled to texWidth x texHeight), the glyph
    // grid and the list of clear glyphs. False, with nothing else changed,
    // when the image can't be loaded or a size or the cells per row are 0 or
    // less. glyphs is GlyphCount or Latin1GlyphCount; with the first, bytes
    // from 128 up have no glyph.
    bool Create(const char* imageFile, int texWidth, int texHeight, int cellWidth, int cellHeight,
                int cellsPerRow, int glyphs = GlyphCount);
    void SetArea(double left, double top, double right, double bottom);

    // Left-aligned text with its first glyph's lower-left corner at (x, y);
    // size is the glyph height. Bytes without a glyph are skipped: below 32,
    // 128 to 159, and in a 96-glyph font everything from 128 up.
    void Draw(const char* text, double x, double y, double size, const float* colour) const;
    // Text centred in the text area, shifted by xOffset. The length counts
    // every byte, skipped ones included.
    void DrawCentred(const char* text, double xOffset, double y, double size,
                     const float* colour) const;
    // One glyph stretched over the rectangle; nothing at all for a byte
    // without a glyph, the texture and colour alone for a clear glyph.
    void DrawChar(char ch, double x, double y, double width, double height,
                  const float* colour) const;

    // Where DrawCentred starts the text.
    double CentredX(const char* text, double xOffset, double size) const;
    // Width of one glyph of the given height.
    double GlyphWidth(double size) const { return cellU / cellV * textureAspect * size; }

    // The vertices of one glyph's quad, inside a GL_QUADS primitive.
    void EmitGlyph(char ch, double x, double y, double width, double height) const;
    // Whether the glyph of ch (one that has a glyph) is left out as clear.
    bool SkipsGlyph(char ch) const;
    // The cell of a byte: 32 to 127 from 0, 160 to 255 from 96 in a Latin-1
    // font; -1 for a byte without a glyph.
    int GlyphIndex(char ch) const;

    unsigned texture;
    int glyphCount;
    double glyphU[Latin1GlyphCount];
    double glyphV[Latin1GlyphCount];
    double cellU;
    double cellV;
    double areaLeft;
    double areaRight;
    double areaTop;
    double areaBottom;
    // The texture's width over its height: 1 for English's square one. The
    // Latin-1 font's is twice as tall, and its glyphs keep their cells' shape.
    double textureAspect;
    bool clearGlyph[Latin1GlyphCount]; // the cell and its filtered border hold only 0
    bool skipClearGlyphs;              // true but in tests that draw every quad
};

#include "image/TextureFont.h"

#include "image/CreateTexture.h"

#include <GL/gl.h>
#include <cmath>
#include <cstring>

namespace {

constexpr int FirstCharacter = 32;
constexpr int LastAscii = 127;
constexpr int FirstUpperHalf = 160; // Latin-1's; 128 to 159 are control codes

// Whether every texel that linear filtering reaches from the texture
// coordinates u0..u1, v0..v1 is 0 in all its bytes, wrapped as GL_REPEAT
// wraps. A sample at s mixes texels floor(s n - 1/2) and the next; the slack
// covers the rasteriser's rounding of the coordinates it interpolates.
bool IsClear(const UploadedTexels& image, double u0, double v0, double u1, double v1) {
    constexpr double slack = 0.01;
    const auto first = [](double s, int n) {
        return static_cast<long>(std::floor(s * n - 0.5 - slack));
    };
    const auto last = [](double s, int n) {
        return static_cast<long>(std::floor(s * n - 0.5 + slack)) + 1;
    };
    const auto wrap = [](long i, int n) { return static_cast<std::size_t>((i % n + n) % n); };
    const std::size_t bytes = static_cast<std::size_t>(image.bytesPerTexel);
    for (long j = first(v0, image.height); j <= last(v1, image.height); ++j)
        for (long i = first(u0, image.width); i <= last(u1, image.width); ++i) {
            const std::size_t row = wrap(j, image.height) * static_cast<std::size_t>(image.width);
            const std::size_t at = (row + wrap(i, image.width)) * bytes;
            for (std::size_t b = 0; b < bytes; ++b)
                if (image.texels[at + b] != 0)
                    return false;
        }
    return true;
}

} // namespace

TextureFont::TextureFont()
    : texture(0), glyphCount(GlyphCount), glyphU(), glyphV(), cellU(0.0), cellV(0.0),
      areaLeft(0.0), areaRight(1.0), areaTop(0.0), areaBottom(1.0), textureAspect(1.0),
      clearGlyph(), skipClearGlyphs(true) {}

bool TextureFont::Create(const char* imageFile, int texWidth, int texHeight, int cellWidth,
                         int cellHeight, int cellsPerRow, int glyphs) {
    // Every one of these divides or is divided by another below.
    if (texWidth <= 0 || texHeight <= 0 || cellWidth <= 0 || cellHeight <= 0 || cellsPerRow <= 0)
        return false;
    if (glyphs != GlyphCount && glyphs != Latin1GlyphCount)
        return false;
    UploadedTexels image;
    const unsigned made = CreateTexture(imageFile, texWidth, texHeight, true, &image);
    if (made == 0)
        return false;
    texture = made;
    glyphCount = glyphs;
    textureAspect = static_cast<double>(texWidth) / texHeight;
    cellU = static_cast<double>(cellWidth) / texWidth;
    cellV = static_cast<double>(cellHeight) / texHeight;

    // The grid starts at the top-left corner of the image and runs left to
    // right, then down; texture v grows upwards, so row 0 lies highest.
    const int rows = glyphCount / cellsPerRow;
    const double vb = static_cast<double>(texHeight - rows * cellHeight) / texHeight;
    for (int k = 0; k < glyphCount; ++k) {
        const int column = k % cellsPerRow;
        const int row = k / cellsPerRow;
        glyphU[k] = column * cellU;
        glyphV[k] = vb + (rows - 1 - row) * cellV;
        // Decided from the texels themselves, so any clear cell counts, not
        // just the space's.
        clearGlyph[k] = IsClear(image, glyphU[k], glyphV[k], glyphU[k] + cellU, glyphV[k] + cellV);
    }
    return true;
}

void TextureFont::SetArea(double left, double top, double right, double bottom) {
    areaLeft = left;
    areaTop = top;
    areaRight = right;
    areaBottom = bottom;
}

void TextureFont::Draw(const char* text, double x, double y, double size,
                       const float* colour) const {
    glBindTexture(GL_TEXTURE_2D, texture);
    glColor4fv(colour);
    glBegin(GL_QUADS);
    const double w = GlyphWidth(size);
    for (const char* c = text; *c != '\0'; ++c) {
        if (GlyphIndex(*c) < 0)
            continue;
        if (!SkipsGlyph(*c))
            EmitGlyph(*c, x, y, w, size);
        x += w;
    }
    glEnd();
}

void TextureFont::EmitGlyph(char ch, double x, double y, double width, double height) const {
    // Counter-clockwise seen from the viewer, so culling keeps the quad.
    const int k = GlyphIndex(ch);
    const double u = glyphU[k];
    const double v = glyphV[k];
    glNormal3d(0.0, 0.0, 1.0);
    glTexCoord2d(u, v);
    glVertex3d(x, y, 0.0);
    glTexCoord2d(u + cellU, v);
    glVertex3d(x + width, y, 0.0);
    glTexCoord2d(u + cellU, v + cellV);
    glVertex3d(x + width, y + height, 0.0);
    glTexCoord2d(u, v + cellV);
    glVertex3d(x, y + height, 0.0);
}

bool TextureFont::SkipsGlyph(char ch) const {
    return skipClearGlyphs && clearGlyph[GlyphIndex(ch)];
}

int TextureFont::GlyphIndex(char ch) const {
    const int code = static_cast<unsigned char>(ch);
    if (code >= FirstCharacter && code <= LastAscii)
        return code - FirstCharacter;
    if (glyphCount == Latin1GlyphCount && code >= FirstUpperHalf)
        return code - FirstUpperHalf + (LastAscii + 1 - FirstCharacter);
    return -1;
}

double TextureFont::CentredX(const char* text, double xOffset, double size) const {
    const double n = static_cast<double>(std::strlen(text));
    return ((areaRight - areaLeft) - n * GlyphWidth(size)) * 0.5 + xOffset;
}

void TextureFont::DrawCentred(const char* text, double xOffset, double y, double size,
                              const float* colour) const {
    Draw(text, CentredX(text, xOffset, size), y, size, colour);
}

void TextureFont::DrawChar(char ch, double x, double y, double width, double height,
                           const float* colour) const {
    if (GlyphIndex(ch) < 0)
        return;
    glBindTexture(GL_TEXTURE_2D, texture);
    glColor4fv(colour);
    if (SkipsGlyph(ch))
        return;
    glBegin(GL_QUADS);
    EmitGlyph(ch, x, y, width, height);
    glEnd();
}
